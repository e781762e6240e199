#pragma once

#include "app/CCmdTarget.h"
#include "app/ui/IModeDescriptions.h"
#include "view/CModeDescriptionDlg.h"

#include <QPointer>

class CMainFrame;
class CVexoView;

// The three edit mode commands of the main window (fixed mosaic F2, moving mosaic F3,
// preview F4) and the description windows of the first two, which the main window owns.
class CModeCommands : public CCmdTarget, public IModeDescriptions {
public:
    CModeCommands(CMainFrame& frame, CVexoView& view);
    ~CModeCommands() override;

    void FixedMode();
    void MovingMode();
    void PreviewMode();
    void CloseDescriptions() override;

    CModeDescriptionDlg* FixedDescription() const { return m_fixed; }
    CModeDescriptionDlg* MovingDescription() const { return m_moving; }

private:
    // Enters mode 0 or 1 and shows its description beside the main window.
    template <typename Dialog>
    void EnterEditMode(int mode, QPointer<CModeDescriptionDlg>& own,
                       QPointer<CModeDescriptionDlg>& other);
    void Reset(int mode);
    void Redraw();

    CMainFrame& m_frame;
    CVexoView& m_view;
    QPointer<CModeDescriptionDlg> m_fixed;
    QPointer<CModeDescriptionDlg> m_moving;
};
