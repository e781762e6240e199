#include "app/ui/CMainFrame.h"

#include "app/CCommandId.h"
#include "app/CDocument.h"
#include "app/CPlayController.h"
#include "app/CRecentFileList.h"
#include "app/CWindowPlacement.h"
#include "app/ui/CCommandMenus.h"
#include "app/ui/CCommandText.h"
#include "app/ui/CMosaicSizeDlgBar.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/CView.h"
#include "app/ui/CWindowFrameFit.h"
#include "app/ui/RX40sCOOIconToolBar.h"
#include "app/ui/CCoverageStrip.h"
#include "media/CAviVideoStream.h"
#include "mosaic/CCoverage.h"
#include "platform/CMessageBoxSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>

namespace {

using Id = CCommandId;
using R = CResourceId;

constexpr int StandardSaveButton = 6;
constexpr int StatusPanes[] = {R::ThirdPaneWidth, R::SizePaneWidth, R::RatePaneWidth};

QString Text(int id) {
    return QString::fromStdString(CStringTable::Load(id));
}

} // namespace

CMainFrame::CMainFrame(CInifileManager& settings, const QString& title, bool progressOnly,
                       CCmdTarget* application)
    : m_settings(settings), m_progressOnly(progressOnly), m_application(application) {
    setWindowTitle(title);
    setWindowIcon(RX40sCOOIconToolBar::ProgramIcon());
    m_menus = new CCommandMenus(*this);
    if (m_progressOnly) {
        m_menus->RemoveRecentFiles();
    }
    connect(m_menus, &CCommandMenus::commandTriggered, this, &CMainFrame::ExecuteCommand);
    connect(m_menus, &CCommandMenus::aboutToShowPopup, this, &CMainFrame::UpdateCommandUI);
    createToolBars();
    createStatusBar();
    createDialogBars();
    registerCommands();
    rebuildChain();
    // Buttons follow the rules whenever the program has nothing else to do.
    connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
            &CMainFrame::UpdateCommandUI);
    qApp->installEventFilter(this);

    m_placement = new CWindowFrameFit(*this, QSize(MinWidth, MinHeight));
    ApplyPlacement();
    UpdateCommandUI();
}

CMainFrame::~CMainFrame() {
    qApp->removeEventFilter(this);
    StopPlay();
    storeOuterRect();
}

void CMainFrame::createToolBars() {
    m_standardBar = createToolBar(R::StandardBarCaption, CCommandTable::Toolbar::Standard);
    if (m_progressOnly) {
        m_standardBar->SetButtonCommand(StandardSaveButton, Id::SaveProgress);
    }
    m_standardBar->AddButtonIcon(144, 169, 143);
    m_standardBar->AddButtonIcon(146, 170, 147);
    m_standardBar->AddButtonIcon(148, 171, 149);
    m_standardBar->AddButtonIcon(150, 172, 151);
    m_standardBar->AddButtonIcon(152, 173, 145);

    m_movieBar = createToolBar(R::MovieBarCaption, CCommandTable::Toolbar::Movie);
    m_movieBar->AddButtonIcon(154, 174, 155);
    m_movieBar->AddButtonIcon(156, 175, 157);
    m_movieBar->AddButtonIcon(158, 176, 159);
    m_movieBar->AddButtonIcon(162, 178, 163);
    m_movieBar->AddButtonIcon(164, 179, 165);
    m_movieBar->AddButtonIcon(182, 183, 184);

    m_optionBar = createToolBar(R::OptionBarCaption, CCommandTable::Toolbar::Option);
    m_optionBar->AddButtonIcon(168, 181, 153);

    // Standard, Movie and Option side by side in the first row.
    for (RX40sCOOIconToolBar* bar : {m_standardBar, m_movieBar, m_optionBar}) {
        addToolBar(Qt::TopToolBarArea, bar);
    }
}

RX40sCOOIconToolBar* CMainFrame::createToolBar(int captionId, CCommandTable::Toolbar toolbar) {
    auto* bar = new RX40sCOOIconToolBar(Text(captionId), this);
    bar->setObjectName(Text(captionId));
    bar->LoadToolBar(toolbar);
    bar->SetPictureSize(1);
    bar->UpdateButtonSize();
    connect(bar, &RX40sCOOExToolBar::commandTriggered, this, &CMainFrame::ExecuteCommand);
    return bar;
}

void CMainFrame::createStatusBar() {
    QStatusBar* bar = statusBar();
    for (const int paneId : StatusPanes) {
        auto* pane = new QLabel(bar);
        // As wide as the pane's string, which is only its measure.
        pane->setFixedWidth(pane->fontMetrics().horizontalAdvance(Text(paneId)) +
                            2 * pane->frameWidth() + 4);
        bar->addPermanentWidget(pane);
        m_panes[paneId] = pane;
    }
    SetPaneText(R::ThirdPaneWidth, Text(R::ThirdPaneWidth));
    m_playSaved = new QToolButton(bar);
    m_playSaved->setText(CCommandText::ToolTip(Id::PlaySavedMovie));
    m_playSaved->setAutoRaise(true);
    m_playSaved->hide();
    bar->insertPermanentWidget(0, m_playSaved);
    connect(m_playSaved, &QToolButton::clicked, this,
            [this] { ExecuteCommand(Id::PlaySavedMovie); });
    // The offer goes with the message that made it.
    connect(bar, &QStatusBar::messageChanged, m_playSaved, [this](const QString& message) {
        if (message.isEmpty()) {
            m_playSaved->hide();
        }
    });
    bar->showMessage(Text(R::IdleMessage));
}

void CMainFrame::ShowSaved(const std::string& text, bool offerPlay) {
    statusBar()->showMessage(QString::fromStdString(text), SavedMessageMs);
    m_playSaved->setVisible(offerPlay);
}

void CMainFrame::createDialogBars() {
    m_sliderBar = new CSliderDlgBar(m_settings, this);
    m_sliderBar->setObjectName(Text(R::SliderBarCaption));
    m_sliderBar->Create();
    m_mosaicTypeBar = new CMosaicSizeDlgBar(*this, m_settings);
    m_mosaicTypeBar->setObjectName(Text(R::MosaicTypeBarCaption));
    m_mosaicTypeBar->Create();
    // A second row: the slider bar, the mosaic type bar right of it.
    addToolBarBreak(Qt::TopToolBarArea);
    addToolBar(Qt::TopToolBarArea, m_sliderBar);
    addToolBar(Qt::TopToolBarArea, m_mosaicTypeBar);
}

void CMainFrame::registerCommands() {
    OnCommand(Id::Deinterlace, [this] { toggleDeinterlace(); });
    for (const int id : {Id::StandardBar, Id::MovieBar, Id::OptionBar, Id::SliderBar,
                         Id::MosaicTypeBar, Id::StatusBar}) {
        OnCommand(id, [this, id] { toggleBar(id); });
    }
    OnCommand(Id::Exit, [this] { close(); });
}

void CMainFrame::SetView(CView* view) {
    m_view = view;
    setCentralWidget(view);
    rebuildChain();
}

void CMainFrame::SetDocument(CDocument* document) {
    m_document = document;
    rebuildChain();
}

void CMainFrame::AddCommandTarget(CCmdTarget* part) {
    m_parts.push_back(part);
    rebuildChain();
}

void CMainFrame::rebuildChain() {
    std::vector<CCmdTarget*> chain{m_view, m_document, this};
    chain.insert(chain.end(), m_parts.begin(), m_parts.end());
    chain.push_back(m_application);
    m_router.SetChain(std::move(chain));
}

bool CMainFrame::IsDocumentOpen() const {
    return m_document && m_document->IsOpen();
}

CAviVideoStream* CMainFrame::ActiveStream() const {
    return m_document ? m_document->GetStream() : nullptr;
}

void CMainFrame::SetModified() {
    movieModified = progressModified = true;
    RecordMosaic();
}

void CMainFrame::RecordMosaic() {
    if (const CAviVideoStream* stream = ActiveStream()) {
        m_history.Commit(stream->m_mosaic);
    }
    RefreshCoverage();
}

void CMainFrame::ResetHistory() {
    const CAviVideoStream* stream = ActiveStream();
    m_history.Reset(stream ? stream->m_mosaic : CMosaicParam());
    m_movieSavedState = m_progressSavedState = m_history.StateId();
    RefreshCoverage();
}

bool CMainFrame::StepHistory(bool undo) {
    CAviVideoStream* stream = ActiveStream();
    if (!stream || !(undo ? m_history.Undo(stream->m_mosaic) : m_history.Redo(stream->m_mosaic))) {
        return false;
    }
    // The type shown and painted is the setting's, so it follows the restored one.
    m_settings.SizeID = stream->m_mosaic.type;
    m_mosaicTypeBar->SelectType(m_settings.SizeID);
    movieModified = m_history.StateId() != m_movieSavedState;
    progressModified = m_history.StateId() != m_progressSavedState;
    InvalidateView();
    return true;
}

void CMainFrame::ProgressSaved() {
    progressModified = false;
    m_progressSavedState = m_history.StateId();
}

void CMainFrame::MovieSaved() {
    movieModified = false;
    m_movieSavedState = m_history.StateId();
}

// The files are gone, which is what an empty mosaic saves as.
void CMainFrame::ProgressRemoved() {
    RecordMosaic();
    m_progressSavedState = m_history.StateId();
}

void CMainFrame::InvalidateView() {
    if (m_view) {
        m_view->update();
    }
    RefreshCoverage();
}

void CMainFrame::RefreshCoverage() {
    const CAviVideoStream* stream = ActiveStream();
    if (!m_sliderBar) {
        return;
    }
    if (!stream || stillImage) {
        m_sliderBar->Coverage()->Show({}, -1);
        return;
    }
    m_sliderBar->Coverage()->Show(CCoverage::Compute(stream->m_mosaic, stream->m_nLastFrame + 1),
                                  stream->m_nCurrentFrame);
}

void CMainFrame::StopPlay() {
    if (m_play) {
        m_play->StopPlay();
        return;
    }
    // Without the play part nothing runs: only the state and the button to put right.
    audioPlaying = false;
    playing = false;
    playStream = nullptr;
    m_movieBar->ReplaceButtonIcon(PlayIcons[0], PlayIcons[1], PlayIcons[2]);
}

bool CMainFrame::ExecuteCommand(int id) {
    const bool ran = m_router.Execute(id);
    UpdateCommandUI();
    return ran;
}

void CMainFrame::PostCommand(int id) {
    QMetaObject::invokeMethod(this, [this, id] { ExecuteCommand(id); }, Qt::QueuedConnection);
}

void CMainFrame::UpdateCommandUI() {
    const CCommandState state = m_router.State();
    m_menus->Update(m_router, state, m_recentFiles ? m_recentFiles->Files()
                                                   : std::vector<std::string>{});
    for (RX40sCOOIconToolBar* bar : {m_standardBar, m_movieBar, m_optionBar}) {
        bar->UpdateButtons(m_router, state);
    }
}

void CMainFrame::FillCommandState(CCommandState& state) const {
    state.image = stillImage;
    state.playing = playing;
    state.audioPlaying = audioPlaying;
    state.progressOnly = m_progressOnly;
    state.progressModified = progressModified;
    state.editMode = editMode;
    state.loopPlay = m_settings.LoopPlay == 1;
    state.busy = m_busy.IsBusy();
    state.canUndo = IsDocumentOpen() && m_history.CanUndo();
    state.canRedo = IsDocumentOpen() && m_history.CanRedo();
    state.recentFiles = m_recentFiles ? m_recentFiles->Files().size() : 0;
    const int toggles[] = {Id::StandardBar, Id::MovieBar,      Id::OptionBar,
                           Id::SliderBar,   Id::MosaicTypeBar, Id::StatusBar};
    for (int bar = 0; bar < CCommandState::BarCount; ++bar) {
        state.barVisible[bar] = barOf(toggles[bar])->isVisibleTo(this);
    }
}

QWidget* CMainFrame::barOf(int toggleId) const {
    switch (toggleId) {
    case Id::StandardBar:
        return m_standardBar;
    case Id::MovieBar:
        return m_movieBar;
    case Id::OptionBar:
        return m_optionBar;
    case Id::SliderBar:
        return m_sliderBar;
    case Id::MosaicTypeBar:
        return m_mosaicTypeBar;
    default:
        return statusBar();
    }
}

void CMainFrame::toggleBar(int toggleId) {
    QWidget* bar = barOf(toggleId);
    bar->setVisible(!bar->isVisibleTo(this));
}

void CMainFrame::toggleDeinterlace() {
    if (CAviVideoStream* stream = ActiveStream()) {
        stream->m_bLineDouble = !stream->m_bLineDouble;
        InvalidateView();
    }
}

void CMainFrame::SetPaneText(int paneId, const QString& text) {
    if (const auto found = m_panes.find(paneId); found != m_panes.end()) {
        found->second->setText(text);
    }
}

QString CMainFrame::PaneText(int paneId) const {
    const auto found = m_panes.find(paneId);
    return found == m_panes.end() ? QString() : found->second->text();
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    const bool close = m_quitConfirmed || (m_busy.IsBusy() ? confirmQuitWhileBusy() : confirmClose());
    if (close) {
        event->accept();
    } else {
        event->ignore();
    }
}

bool CMainFrame::confirmClose() {
    const bool changed = m_progressOnly ? progressModified : movieModified;
    if (!IsDocumentOpen() || !changed) {
        return true;
    }
    const CAviVideoStream* stream = ActiveStream();
    if (!m_progressOnly && !(stream && stream->m_mosaic.HasRegions())) {
        return true;
    }
    switch (CMessageBoxSeam::Show(CStringTable::Load(R::SaveChangesQuestion),
                                  QV_MB_YESNOCANCEL | QV_MB_ICONQUESTION)) {
    case QV_IDNO:
        return true;
    case QV_IDYES:
        // The save runs after this; the user closes again once it is done.
        PostCommand(m_progressOnly ? Id::SaveProgress : Id::Save);
        return false;
    default:
        return false;
    }
}

bool CMainFrame::confirmQuitWhileBusy() {
    if (CMessageBoxSeam::Show(CStringTable::Load(R::QuitWhileBusyQuestion),
                              QV_MB_YESNO | QV_MB_ICONQUESTION) != QV_IDYES) {
        return false;
    }
    if (!m_busy.CancelRunning()) {
        return true;
    }
    // Closed from the event loop, never from inside the work that is unwinding.
    m_busy.WhenIdle([this] {
        QMetaObject::invokeMethod(
            this,
            [this] {
                m_quitConfirmed = true;
                close();
            },
            Qt::QueuedConnection);
    });
    return false;
}

void CMainFrame::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::StyleChange || event->type() == QEvent::FontChange) {
        for (RX40sCOOIconToolBar* bar : {m_standardBar, m_movieBar, m_optionBar}) {
            if (bar) {
                bar->UpdateButtonSize();
            }
        }
    }
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress && watched->isWidgetType() &&
        static_cast<QWidget*>(watched)->window() == this &&
        handleBlurKey(*static_cast<QKeyEvent*>(event))) {
        // Accepted too, or the key would go on to the widget's parents and act again.
        event->accept();
        return true;
    }
    return QMainWindow::eventFilter(watched, event);
}

bool CMainFrame::handleBlurKey(const QKeyEvent& key) {
    const int sizeId = m_settings.SizeID;
    CAviVideoStream* stream = ActiveStream();
    if (sizeId < 7 || sizeId > 9 || !(key.modifiers() & Qt::ControlModifier) || !stream) {
        return false;
    }
    CMosaicParam& mosaic = stream->m_mosaic;
    const bool keypad = key.modifiers() & Qt::KeypadModifier;
    bool changed = false;
    if (keypad && key.key() == Qt::Key_Plus && mosaic.size < 50) {
        changed = mosaic.StepBlurSize(sizeId, +1);
    } else if (keypad && key.key() == Qt::Key_Minus && mosaic.size >= 6) {
        changed = mosaic.StepBlurSize(sizeId, -1);
    } else if (key.key() == Qt::Key_R) {
        changed = mosaic.ResetBlurSize(sizeId);
    }
    if (changed) {
        SetModified();
        InvalidateView();
    }
    return changed;
}

CInifileManager::Rect CMainFrame::WorkArea() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen) {
        return {};
    }
    const QRect area = screen->availableGeometry();
    return {area.x(), area.y(), area.x() + area.width(), area.y() + area.height()};
}

void CMainFrame::ApplyPlacement() {
    const auto chosen = CWindowPlacement::Choose(m_settings.WindowRect, WorkArea());
    m_settings.WindowRect = chosen;
    const QRect outer(chosen.left, chosen.top, chosen.right - chosen.left,
                      chosen.bottom - chosen.top);
    m_placement->Place(outer);
}

void CMainFrame::storeOuterRect() {
    const QRect outer = m_placement->OuterRect();
    m_settings.WindowRect = {outer.x(), outer.y(), outer.x() + outer.width(),
                             outer.y() + outer.height()};
}
