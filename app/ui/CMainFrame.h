#pragma once

#include "app/CBusyState.h"
#include "app/CCmdTarget.h"
#include "app/CCommandRouter.h"
#include "app/CCommandTable.h"
#include "app/CInifileManager.h"
#include "mosaic/CMosaicHistory.h"

#include <QMainWindow>

#include <map>

class CAviVideoStream;
class CCommandMenus;
class CDocument;
class CMosaicSizeDlgBar;
class CPlayController;
class CRecentFileList;
class CSliderDlgBar;
class CView;
class CWindowFrameFit;
class QKeyEvent;
class QLabel;
class QToolButton;
class RX40sCOOIconToolBar;

// The program's one top-level window: menus, toolbars, dialog bars, status bar and the view.
// It holds the state the commands depend on and routes every command view -> document ->
// main window (and its parts) -> application. It opens where the settings say (or at 0, 0,
// 800, 600 when that is not wholly on the desktop), can't be made smaller than 800 by 600,
// and gives its outer rectangle back to the settings when it is destroyed.
class CMainFrame : public QMainWindow, public CCmdTarget {
    Q_OBJECT
public:
    static constexpr int MinWidth = 800;
    static constexpr int MinHeight = 600;
    // The Play button's pictures (normal, disabled, hot) while no play runs and while one does.
    static constexpr int PlayIcons[3] = {158, 176, 159};
    static constexpr int StopIcons[3] = {160, 177, 161};

    CMainFrame(CInifileManager& settings, const QString& title, bool progressOnly,
               CCmdTarget* application = nullptr);
    ~CMainFrame() override;

    // The state the commands depend on; other parts read and write it directly.
    bool movieModified = false;    // mosaic edits not yet saved as a movie
    bool progressModified = false; // mosaic edits not yet written to the progress files
    bool audioPlaying = false;     // play with sound runs
    bool playing = false;          // forward play runs
    CAviVideoStream* playStream = nullptr;
    int editMode = -1;             // -1 none, 0 fixed mosaic, 1 moving mosaic, 2 preview
    bool stillImage = false;

    // Set while a conversion or a save runs; every command rule sees it.
    CBusyState& Busy() { return m_busy; }
    bool IsBusy() const { return m_busy.IsBusy(); }

    // Started with "/O" and an existing file: only the progress can be saved.
    bool IsProgressOnly() const { return m_progressOnly; }
    // Moves the window to the rectangle chosen from the settings (stored back when replaced).
    void ApplyPlacement();

    // The central view, the document and the parts of this window that carry out some of its
    // commands (asked after the window itself); none is owned.
    void SetView(CView* view);
    CView* GetView() const { return m_view; }
    void SetDocument(CDocument* document);
    CDocument* GetDocument() const { return m_document; }
    void AddCommandTarget(CCmdTarget* part);
    void SetRecentFileList(const CRecentFileList* list) { m_recentFiles = list; }

    bool IsDocumentOpen() const;
    // The open document's stream, or nullptr.
    CAviVideoStream* ActiveStream() const;
    // A mosaic edit: both changed flags, and the mosaic as it is now one step of the undo
    // history. Whoever changes the mosaic calls it once the change is complete.
    void SetModified();
    // A change of the mosaic that moves no flag: one step of the history all the same.
    void RecordMosaic();
    // The open document's history, from the mosaic as it is now; empty without a document.
    void ResetHistory();
    CMosaicHistory& History() { return m_history; }
    // Undoes or redoes one step of the open document's mosaic; the flags then say whether it
    // differs from what was saved last. False when there was nothing to step.
    bool StepHistory(bool undo);
    // What was saved (or removed) now holds the mosaic as it is.
    void ProgressSaved();
    void MovieSaved();
    void ProgressRemoved();
    void InvalidateView();
    // The coverage strip shows the open document's mosaic and frame.
    void RefreshCoverage();
    // Ends any play; the Play button shows play again.
    void StopPlay();
    // The control that runs the plays; StopPlay goes there. Not owned.
    void SetPlayController(CPlayController* play) { m_play = play; }

    // Runs id now when its rule allows; returns whether it ran.
    bool ExecuteCommand(int id);
    // Runs id once the current handler has returned (and only if it is enabled then).
    void PostCommand(int id);
    CCommandRouter::Status CommandStatus(int id) const { return m_router.Query(id); }
    // Brings menu items and toolbar buttons in line with the rules.
    void UpdateCommandUI();

    CCommandMenus& Menus() const { return *m_menus; }
    RX40sCOOIconToolBar* StandardToolBar() const { return m_standardBar; }
    RX40sCOOIconToolBar* MovieToolBar() const { return m_movieBar; }
    RX40sCOOIconToolBar* OptionToolBar() const { return m_optionBar; }
    CSliderDlgBar* SliderBar() const { return m_sliderBar; }
    CMosaicSizeDlgBar* MosaicTypeBar() const { return m_mosaicTypeBar; }
    // Status bar panes by string id: 2011, 2034 (picture size), 2000 (play rate).
    void SetPaneText(int paneId, const QString& text);
    QString PaneText(int paneId) const;
    // Tells in the status bar, for a few seconds, what was saved where; a saved movie can be
    // played from there.
    void ShowSaved(const std::string& text, bool offerPlay);
    QToolButton* PlaySavedButton() const { return m_playSaved; }
    static constexpr int SavedMessageMs = 8000;

    void FillCommandState(CCommandState& state) const override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    static CInifileManager::Rect WorkArea();
    void storeOuterRect();

    void createToolBars();
    RX40sCOOIconToolBar* createToolBar(int captionId, CCommandTable::Toolbar toolbar);
    void createStatusBar();
    void createDialogBars();
    void registerCommands();
    void rebuildChain();
    QWidget* barOf(int toggleId) const;
    void toggleBar(int toggleId);
    void toggleDeinterlace();
    bool confirmClose();
    // Closing while busy: the running work is cancelled and the window closes once it unwound.
    bool confirmQuitWhileBusy();
    bool handleBlurKey(const QKeyEvent& key);

    CInifileManager& m_settings;
    bool m_progressOnly;
    CCmdTarget* m_application;
    CView* m_view = nullptr;
    CDocument* m_document = nullptr;
    CPlayController* m_play = nullptr;
    std::vector<CCmdTarget*> m_parts;
    const CRecentFileList* m_recentFiles = nullptr;
    CCommandRouter m_router;
    CBusyState m_busy;
    CMosaicHistory m_history;
    // The history's states that the movie and the progress files were saved from last.
    std::uint64_t m_movieSavedState = 0;
    std::uint64_t m_progressSavedState = 0;
    // The user chose to quit while busy: the close that follows asks nothing more.
    bool m_quitConfirmed = false;

    CCommandMenus* m_menus = nullptr;
    RX40sCOOIconToolBar* m_standardBar = nullptr;
    RX40sCOOIconToolBar* m_movieBar = nullptr;
    RX40sCOOIconToolBar* m_optionBar = nullptr;
    CSliderDlgBar* m_sliderBar = nullptr;
    CMosaicSizeDlgBar* m_mosaicTypeBar = nullptr;
    std::map<int, QLabel*> m_panes;
    QToolButton* m_playSaved = nullptr;
    CWindowFrameFit* m_placement = nullptr;
};
