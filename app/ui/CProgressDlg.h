#pragma once

#include "platform/IProgress.h"

#include <QDialog>
#include <QPointer>

class QLabel;
class QProgressBar;
class QPushButton;

// The progress window of conversions and the export, above the window that owns it: the owner
// is disabled while it is up, so no input reaches it while the caller blocks and pumps events to
// keep the interface painted. It is not modal, so the owner still hears a request to close and
// can ask whether to cancel. During a save it shows the time left and offers Cancel, which the
// running step sees at its next look.
class CProgressDlg : public QDialog, public IProgress {
    Q_OBJECT
public:
    // owner: the main window; the progress window stays above it and disables it while up.
    explicit CProgressDlg(QWidget* owner);
    ~CProgressDlg() override;

    bool Create() override;
    void SetMarquee() override;
    void SetRange(int lower, int upper) override;
    void SetCaption(const std::string& caption) override;
    void UpdatePercent(int position) override;
    void Pump() override;
    void Destroy() override;
    void SetPosition(int position) override;
    void SetTimeLeft(const std::string& text) override;
    void SetCancellable(bool on) override;
    bool CancelRequested() const override { return m_cancelRequested || m_abandoned; }
    // Cancels the running work and every step after it: the program is about to quit.
    void Abandon() { m_abandoned = true; }

    QProgressBar* ProgressBar() const { return m_progress; }
    QLabel* PercentLabel() const { return m_percent; }
    QLabel* TimeLeftLabel() const { return m_timeLeft; }
    QPushButton* CancelButton() const { return m_cancel; }
    bool OwnerDisabled() const { return m_ownerDisabled; }

    // Escape and the window's close button: Cancel while it is offered, else nothing. The
    // window stays up as long as the work it shows.
    void reject() override;

private:
    void EnableOwner();

    QProgressBar* m_progress = nullptr;
    QLabel* m_percent = nullptr;
    QLabel* m_timeLeft = nullptr;
    QPushButton* m_cancel = nullptr;
    QPointer<QWidget> m_owner;
    bool m_cancelRequested = false;
    bool m_abandoned = false;
    int m_lower = 0;
    int m_upper = 100;
    bool m_ownerDisabled = false;
};
