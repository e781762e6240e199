#include "CFakeDocument.h"

#include "app/CCommandId.h"
#include "app/CInifileManager.h"
#include "app/CRecentFileList.h"
#include "app/ui/CCommandMenus.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CMosaicSizeDlgBar.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/RX40sCOOIconToolBar.h"
#include "platform/CMessageBoxSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QtTest>

#include <functional>
#include <set>

using Id = CCommandId;

namespace {

// Answers the message boxes with a script and remembers what they asked.
class CScriptedBox : public IMessageBox {
public:
    int Show(const std::string& text, int style) override {
        asked.push_back(text);
        styles.push_back(style);
        return answer;
    }
    int answer = QV_IDCANCEL;
    std::vector<std::string> asked;
    std::vector<int> styles;
};

std::set<int> AllIds() {
    std::set<int> ids;
    for (const auto& row : CCommandTable::Rows()) {
        ids.insert(row.id);
    }
    return ids;
}

const std::set<int> Bars{Id::StandardBar, Id::MovieBar,      Id::OptionBar,
                         Id::SliderBar,   Id::MosaicTypeBar, Id::StatusBar};
const std::set<int> Context{Id::AreaDelete, Id::ContextCancel, Id::TrackRemoveAll,
                            Id::TrackRemoveAfter, Id::TrackModify};

std::set<int> Union(std::initializer_list<std::set<int>> sets) {
    std::set<int> all;
    for (const auto& set : sets) {
        all.insert(set.begin(), set.end());
    }
    return all;
}

std::set<int> Without(std::set<int> ids, const std::set<int>& removed) {
    for (const int id : removed) {
        ids.erase(id);
    }
    return ids;
}

} // namespace

// The main window's commands: their enable and check state in every situation, where they
// are carried out, and that a disabled one never runs, whatever asks for it.
class MainFrameCommandTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void everyCommandFollowsItsRulesInEverySituation();
    void menuAndButtonsShowTheRulesAfterIdle();
    void aDisabledCommandNeverRunsFromAnySource();
    void postedCommandsRunAfterTheCurrentHandler();
    void barTogglesShowAndHideTheirBars();
    void progressOnlyModeSavesProgressInstead();
    void closingAsksOnlyWhenChangesCanBeLost();
    void eachAnswerOfTheClosingQuestion();

private:
    void makeFrame(bool progressOnly = false);
    void openMovie();
    void expectStates(const char* situation, const std::set<int>& enabled,
                      const std::set<int>& checked);

    std::unique_ptr<QTemporaryDir> m_folder;
    std::unique_ptr<CInifileManager> m_settings;
    std::unique_ptr<CFakeDocument> m_document;
    std::unique_ptr<CCommandRecorder> m_log;
    std::unique_ptr<CMainFrame> m_frame;
    CScriptedBox m_box;
    CRecentFileList m_recentFiles{""};
};

namespace {

// Lets the event loop run until it waits for input: the program is idle.
void Idle() {
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
}

} // namespace

void MainFrameCommandTest::init() {
    m_folder = std::make_unique<QTemporaryDir>();
    m_settings = std::make_unique<CInifileManager>("");
    m_settings->WindowRect = {10, 10, 1010, 710};
    m_document = std::make_unique<CFakeDocument>();
    m_log = std::make_unique<CCommandRecorder>();
    m_box = CScriptedBox();
    m_recentFiles = CRecentFileList("");
    CMessageBoxSeam::Install(&m_box);
}

void MainFrameCommandTest::cleanup() {
    m_frame.reset();
    m_log.reset();
    m_document.reset();
    m_settings.reset();
    CMessageBoxSeam::Install(nullptr);
}

void MainFrameCommandTest::makeFrame(bool progressOnly) {
    m_frame = std::make_unique<CMainFrame>(*m_settings, "Quorvel", progressOnly);
    m_frame->SetDocument(m_document.get());
    m_frame->AddCommandTarget(m_log.get());
    m_frame->SetRecentFileList(&m_recentFiles);
    m_frame->show();
}

void MainFrameCommandTest::openMovie() {
    m_document->Open((m_folder->path() + "/movie.$tmp$.avi").toStdString(), m_settings->SizeID);
}

void MainFrameCommandTest::expectStates(const char* situation, const std::set<int>& enabled,
                                        const std::set<int>& checked) {
    for (const int id : AllIds()) {
        const CCommandRouter::Status status = m_frame->CommandStatus(id);
        QVERIFY2(status.enabled == enabled.contains(id),
                 qPrintable(QString("%1: enabled of %2").arg(situation).arg(id)));
        QVERIFY2(status.checked == checked.contains(id),
                 qPrintable(QString("%1: checked of %2").arg(situation).arg(id)));
    }
}

void MainFrameCommandTest::everyCommandFollowsItsRulesInEverySituation() {
    makeFrame();
    const std::set<int> always = Union({{Id::Open, Id::Exit, Id::Help, Id::About}, Bars, Context});
    expectStates("no document", always, Bars);

    // A still image: the movie-only commands stay off even with a saved output and areas.
    openMovie();
    m_frame->stillImage = true;
    m_frame->editMode = 0;
    m_document->savedOutput = true;
    m_document->GetStream()->m_mosaic.AddFixedArea({1, 1, 20, 20});
    m_document->GetStream()->m_bLineDouble = true;
    const std::set<int> image = Union({always, {Id::Close, Id::Save, Id::FixedMode,
                                                Id::PreviewMode, Id::VideoSize,
                                                Id::RemoveAllMosaic}});
    expectStates("image", image, Union({Bars, {Id::FixedMode}}));

    // A movie with everything: all but Stop; Saving the middle course needs unsaved progress,
    // Undo and Redo a step each way, Fill gaps and Next gap a track with a gap, Track and Track
    // back moving mosaic mode and a track's rectangle on the shown frame.
    CMosaicParam& mosaic = m_document->GetStream()->m_mosaic;
    mosaic.SetTrackRect(0, {1, 1, 20, 20}, 1);
    mosaic.SetTrackRect(0, {1, 1, 20, 20}, 3);
    m_frame->SetModified();
    mosaic.AddFixedArea({5, 5, 30, 30});
    m_frame->SetModified();
    QVERIFY(m_frame->History().Undo(mosaic));
    m_frame->stillImage = false;
    m_frame->editMode = 1;
    m_document->GetStream()->m_nCurrentFrame = 1;
    m_frame->progressModified = true;
    m_document->soundFile = true;
    m_settings->LoopPlay = 1;
    m_recentFiles.Add("/a.mp4");
    m_recentFiles.Add("/b.mp4");
    const std::set<int> movie = Without(AllIds(), {Id::Stop, Id::RecentFile1 + 2, Id::RecentFile4});
    const std::set<int> movieChecked =
        Union({Bars, {Id::MovingMode, Id::Deinterlace, Id::ContinuousPlay}});
    expectStates("movie", movie, movieChecked);

    // Forward play: no stepping, saving, opening or closing; Stop on; Play checked.
    m_frame->playing = true;
    const std::set<int> playingOff{Id::Open,         Id::Close,           Id::Save,
                                   Id::SaveProgress, Id::SaveBitmap,      Id::RemoveAllMosaic,
                                   Id::First,        Id::Back,            Id::Next,
                                   Id::Last,         Id::Stop,            Id::Undo,
                                   Id::Redo,         Id::FillGaps,        Id::NextGap,
                                   Id::Track,        Id::TrackBack};
    expectStates("playing", Union({Without(movie, playingOff), {Id::Stop}}),
                 Union({movieChecked, {Id::Play}}));

    // Play with sound: Close stays, Stop is off, Play stops it.
    m_frame->playing = false;
    m_frame->audioPlaying = true;
    expectStates("with sound", Union({Without(movie, playingOff), {Id::Close}}),
                 Union({movieChecked, {Id::Play}}));

    // While a long operation runs nothing starts, the mosaic's commands with the rest.
    m_frame->audioPlaying = false;
    {
        const CBusyState::Scope busy(m_frame->Busy(), [] {});
        expectStates("busy", {}, movieChecked);
    }
    expectStates("idle again", movie, movieChecked);

    // Nothing to follow from a frame in the track's gap, nor in fixed mosaic mode.
    const std::set<int> tracking{Id::Track, Id::TrackBack};
    m_document->GetStream()->m_nCurrentFrame = 2;
    expectStates("frame without a rectangle", Without(movie, tracking), movieChecked);
    m_document->GetStream()->m_nCurrentFrame = 1;
    m_frame->editMode = 0;
    expectStates("fixed mode", Without(movie, tracking),
                 Union({Without(movieChecked, {Id::MovingMode}), {Id::FixedMode}}));
    m_frame->editMode = 1;

    // With every step undone the mosaic is empty again: nothing to undo, remove or mend.
    QVERIFY(m_frame->History().Undo(mosaic));
    QVERIFY(!m_frame->History().CanUndo());
    expectStates("all undone",
                 Without(movie, Union({{Id::Undo, Id::FillGaps, Id::NextGap, Id::RemoveAllMosaic},
                                       tracking})),
                 movieChecked);

    // Deinterlacing shows unchecked once the document is an image again.
    m_frame->stillImage = true;
    QVERIFY(!m_frame->CommandStatus(Id::Deinterlace).checked);
}

void MainFrameCommandTest::menuAndButtonsShowTheRulesAfterIdle() {
    makeFrame();
    openMovie();
    m_frame->editMode = 2;
    m_frame->playing = true;
    QVERIFY(!m_frame->Menus().Action(Id::Stop)->isEnabled());
    Idle();
    QVERIFY(m_frame->Menus().Action(Id::Stop)->isEnabled());
    CCommandMenus& menus = m_frame->Menus();
    QVERIFY(menus.Action(Id::PreviewMode)->isChecked());
    QVERIFY(!menus.Action(Id::FixedMode)->isChecked());
    QVERIFY(menus.Action(Id::Play)->isChecked());
    QVERIFY(!menus.Action(Id::First)->isEnabled());
    // Buttons: the mode button is pressed, Play is not (its check is the menu item's only).
    QVERIFY(m_frame->StandardToolBar()->ButtonOf(Id::PreviewMode)->isChecked());
    QVERIFY(!m_frame->StandardToolBar()->ButtonOf(Id::FixedMode)->isChecked());
    QVERIFY(!m_frame->MovieToolBar()->ButtonOf(Id::Play)->isChecked());
    QVERIFY(m_frame->MovieToolBar()->ButtonOf(Id::Play)->isEnabled());
    QVERIFY(!m_frame->MovieToolBar()->ButtonOf(Id::Next)->isEnabled());
    // No mode: no button pressed.
    m_frame->editMode = -1;
    m_frame->playing = false;
    Idle();
    QVERIFY(m_frame->MovieToolBar()->ButtonOf(Id::Next)->isEnabled());
    for (const int id : {Id::FixedMode, Id::MovingMode, Id::PreviewMode}) {
        QVERIFY(!m_frame->StandardToolBar()->ButtonOf(id)->isChecked());
        QVERIFY(!menus.Action(id)->isChecked());
    }
    // A menu that opens runs the rules first, without waiting for idle.
    m_frame->stillImage = true;
    QMenu* movieMenu = menus.Popup(CResourceId::MenuMovie);
    emit movieMenu->aboutToShow();
    QVERIFY(!menus.Action(Id::Next)->isEnabled());
}

void MainFrameCommandTest::aDisabledCommandNeverRunsFromAnySource() {
    makeFrame();
    m_frame->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(m_frame.get()));
    // Nothing open: F5 (Save), the Save button, the menu item, a posted Save all do nothing.
    QTest::keyClick(m_frame.get(), Qt::Key_F5);
    m_frame->StandardToolBar()->ButtonOf(Id::Save)->trigger();
    m_frame->Menus().Action(Id::Save)->trigger();
    m_frame->PostCommand(Id::Save);
    QVERIFY(!m_frame->ExecuteCommand(Id::Save));
    QTest::qWait(20);
    QVERIFY(m_log->ran.empty());

    // Enabled: the key runs it.
    openMovie();
    Idle();
    QTest::keyClick(m_frame.get(), Qt::Key_F5);
    QCOMPARE(m_log->ran, std::vector<int>{Id::Save});

    // The rule is asked again right before the command runs, even when the button still
    // shows enabled: posted while allowed, run after play started.
    m_frame->PostCommand(Id::Save);
    m_frame->playing = true;
    QVERIFY(m_frame->StandardToolBar()->ButtonOf(Id::Save)->isEnabled());
    m_frame->StandardToolBar()->ButtonOf(Id::Save)->trigger();
    QTest::qWait(20);
    QCOMPARE(m_log->ran, std::vector<int>{Id::Save});
}

void MainFrameCommandTest::postedCommandsRunAfterTheCurrentHandler() {
    makeFrame();
    openMovie();
    m_frame->PostCommand(Id::First);
    m_frame->PostCommand(Id::Next);
    QVERIFY(m_log->ran.empty());
    QTRY_COMPARE(m_log->ran, (std::vector<int>{Id::First, Id::Next}));
}

void MainFrameCommandTest::barTogglesShowAndHideTheirBars() {
    makeFrame();
    const std::pair<int, QWidget*> bars[] = {
        {Id::StandardBar, m_frame->StandardToolBar()},
        {Id::MovieBar, m_frame->MovieToolBar()},
        {Id::OptionBar, m_frame->OptionToolBar()},
        {Id::SliderBar, m_frame->SliderBar()},
        {Id::MosaicTypeBar, m_frame->MosaicTypeBar()},
        {Id::StatusBar, m_frame->statusBar()},
    };
    for (const auto& [id, bar] : bars) {
        QVERIFY(bar->isVisible());
        QVERIFY(m_frame->ExecuteCommand(id));
        QVERIFY(!bar->isVisible());
        QVERIFY(!m_frame->Menus().Action(id)->isChecked());
        QVERIFY(m_frame->Menus().Action(id)->isEnabled());
        QVERIFY(m_frame->ExecuteCommand(id));
        QVERIFY(bar->isVisible());
        QVERIFY(m_frame->Menus().Action(id)->isChecked());
    }
}

void MainFrameCommandTest::progressOnlyModeSavesProgressInstead() {
    makeFrame(true);
    openMovie();
    // The File menu ends with Remove all mosaic, a separator and Exit; no recent files.
    const QList<QAction*> file = m_frame->Menus().Popup(CResourceId::MenuFile)->actions();
    QCOMPARE(file.size(), 12);
    QCOMPARE(file[file.size() - 3], m_frame->Menus().Action(Id::RemoveAllMosaic));
    QVERIFY(file[file.size() - 2]->isSeparator());
    QCOMPARE(file.last(), m_frame->Menus().Action(Id::Exit));
    QVERIFY(!file.contains(m_frame->Menus().Action(Id::RecentFile1)));
    // Open and Save are off; the fifth Standard button saves the progress.
    QVERIFY(!m_frame->CommandStatus(Id::Open).enabled);
    QVERIFY(!m_frame->CommandStatus(Id::Save).enabled);
    QCOMPARE(m_frame->StandardToolBar()->ButtonCommand(6), Id::SaveProgress);
    QAction* saveButton = m_frame->StandardToolBar()->ButtonOf(Id::SaveProgress);
    QVERIFY(saveButton);
    QCOMPARE(saveButton->toolTip().toStdString(), std::string("Saving the middle course"));
    m_frame->UpdateCommandUI();
    QVERIFY(!saveButton->isEnabled());
    m_frame->progressModified = true;
    m_frame->UpdateCommandUI();
    QVERIFY(saveButton->isEnabled());
    saveButton->trigger();
    QCOMPARE(m_log->ran, std::vector<int>{Id::SaveProgress});

    // Closing with unsaved progress asks, even without areas, and Yes saves the progress.
    m_box.answer = QV_IDYES;
    QVERIFY(!m_frame->close());
    QCOMPARE(m_box.asked.size(), std::size_t{1});
    QTRY_COMPARE(m_log->ran, (std::vector<int>{Id::SaveProgress, Id::SaveProgress}));
    QVERIFY(m_frame->isVisible());
    // Unsaved movie edits alone don't matter in this mode.
    m_frame->progressModified = false;
    m_frame->movieModified = true;
    QVERIFY(m_frame->close());
    QCOMPARE(m_box.asked.size(), std::size_t{1});
}

void MainFrameCommandTest::closingAsksOnlyWhenChangesCanBeLost() {
    makeFrame();
    // Nothing open, even with the flag set.
    m_frame->movieModified = true;
    QVERIFY(m_frame->close());
    m_frame->show();
    // Open and changed, but no areas and no tracks: nothing to lose.
    openMovie();
    QVERIFY(m_frame->close());
    // Areas, but saved.
    m_frame->show();
    m_document->GetStream()->m_mosaic.AddFixedArea({0, 0, 10, 10});
    m_frame->movieModified = false;
    m_frame->progressModified = true;
    QVERIFY(m_frame->close());
    QVERIFY(m_box.asked.empty());
}

void MainFrameCommandTest::eachAnswerOfTheClosingQuestion() {
    makeFrame();
    openMovie();
    m_document->GetStream()->m_mosaic.AddFixedArea({0, 0, 10, 10});
    m_frame->movieModified = true;

    // Cancel: stays open, nothing posted.
    m_box.answer = QV_IDCANCEL;
    QVERIFY(!m_frame->close());
    QCOMPARE(m_box.asked.back(), CStringTable::Load(CResourceId::SaveChangesQuestion));
    QCOMPARE(m_box.styles.back(), QV_MB_YESNOCANCEL | QV_MB_ICONQUESTION);
    QTest::qWait(20);
    QVERIFY(m_log->ran.empty());
    QVERIFY(m_frame->isVisible());

    // Yes: stays open and the save runs afterwards, through the rules.
    m_box.answer = QV_IDYES;
    QVERIFY(!m_frame->close());
    QVERIFY(m_log->ran.empty());
    QTRY_COMPARE(m_log->ran, std::vector<int>{Id::Save});
    QVERIFY(m_frame->isVisible());

    // Yes while the save can't run (a play started meanwhile): the posted save is dropped.
    m_frame->close();
    m_frame->playing = true;
    QTest::qWait(20);
    QCOMPARE(m_log->ran, std::vector<int>{Id::Save});
    m_frame->playing = false;

    // No: closes.
    m_box.answer = QV_IDNO;
    QVERIFY(m_frame->close());
    QVERIFY(!m_frame->isVisible());
    QCOMPARE(m_box.asked.size(), std::size_t{4});
}

QTEST_MAIN(MainFrameCommandTest)
#include "MainFrameCommandTest.moc"
