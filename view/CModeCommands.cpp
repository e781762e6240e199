#include "view/CModeCommands.h"

#include "app/CCommandId.h"
#include "app/ui/CMainFrame.h"
#include "view/CMosaicPropertyDlg.h"
#include "view/CMosaicPropertyExDlg.h"
#include "view/CVexoView.h"

CModeCommands::CModeCommands(CMainFrame& frame, CVexoView& view) : m_frame(frame), m_view(view) {
    OnCommand(CCommandId::FixedMode, [this] { FixedMode(); });
    OnCommand(CCommandId::MovingMode, [this] { MovingMode(); });
    OnCommand(CCommandId::PreviewMode, [this] { PreviewMode(); });
}

CModeCommands::~CModeCommands() {
    CloseDescriptions();
}

void CModeCommands::FixedMode() {
    EnterEditMode<CMosaicPropertyDlg>(0, m_fixed, m_moving);
}

void CModeCommands::MovingMode() {
    EnterEditMode<CMosaicPropertyExDlg>(1, m_moving, m_fixed);
}

void CModeCommands::PreviewMode() {
    Reset(2);
    CloseDescriptions();
    Redraw();
}

void CModeCommands::CloseDescriptions() {
    delete m_fixed;
    delete m_moving;
}

template <typename Dialog>
void CModeCommands::EnterEditMode(int mode, QPointer<CModeDescriptionDlg>& own,
                                  QPointer<CModeDescriptionDlg>& other) {
    Reset(mode);
    delete other;
    if (own) {
        return;
    }
    own = new Dialog(&m_frame);
    QObject::connect(own, &CModeDescriptionDlg::destroyedByUser, &m_view,
                     [view = &m_view] { view->update(); });
    own->PlaceBeside(m_frame);
    own->show();
    Redraw();
}

void CModeCommands::Reset(int mode) {
    m_view.Editor().ResetForMode();
    m_frame.editMode = mode;
}

void CModeCommands::Redraw() {
    m_view.update();
    m_frame.activateWindow();
}
