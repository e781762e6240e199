#pragma once

#include "platform/IProgress.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;

// The modeless progress window of conversions and the export: it disables the window that
// owns it while it is up and keeps the interface painted while the caller blocks.
class CProgressDlg : public QDialog, public IProgress {
    Q_OBJECT
public:
    // owner: the window to disable; the active window when none is given.
    explicit CProgressDlg(QWidget* owner = nullptr);
    ~CProgressDlg() override;

    bool Create() override;
    void SetMarquee() override;
    void SetRange(int lower, int upper) override;
    void SetCaption(const std::string& caption) override;
    void UpdatePercent(int position) override;
    void Pump() override;
    void Destroy() override;

    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* PercentLabel() const { return m_percent; }
    bool OwnerDisabled() const { return m_ownerDisabled; }

private:
    void EnableOwner();

    QProgressBar* m_progress = nullptr;
    QLabel* m_percent = nullptr;
    QPointer<QWidget> m_owner;
    int m_lower = 0;
    int m_upper = 100;
    bool m_ownerDisabled = false;
};
