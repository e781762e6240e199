#include "app/CCommandId.h"
#include "app/CInifileManager.h"
#include "app/ui/CCommandMenus.h"
#include "app/ui/CCoverageStrip.h"
#include "app/ui/CMosaicSizeDlgBar.h"
#include "app/ui/CFileCommands.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CProgressDlg.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/CVexoViewerApp.h"
#include "app/ui/RX40sCOOIconToolBar.h"
#include "media/CAviVideoStream.h"
#include "mosaic/CPictureMapping.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CTextFile.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "view/CFrameStepCommands.h"
#include "view/CPlayCommands.h"
#include "view/CVexoView.h"

#include "tests/support/CFileSizeLimit.h"
#include "tests/support/CRecordingMessageBox.h"
#include "tests/support/CSavedMovie.h"
#include "tests/core/CTestMedia.h"
#include "tests/core/CTrackFootage.h"

#include <QAction>
#include <QComboBox>
#include <QSlider>
#include <QMenu>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <QStatusBar>
#include <QToolButton>
#include <QtTest>

#include <algorithm>
#include <filesystem>
#include <set>

using Id = CCommandId;
namespace fs = std::filesystem;

namespace {

constexpr int kPlayTimer = CPlayController::PlayTimer;

QImage PlayButtonPicture(const CMainFrame& frame) {
    return frame.MovieToolBar()->ButtonOf(Id::Play)->icon().pixmap(32, 32).toImage();
}

} // namespace

// Editing with the mouse, playing and the progress commands, in the real application on the
// offscreen platform, with synthetic mouse, wheel and key events.
class PlayEditTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void fixedDragIsClippedToThePicture();
    void fixedRectangleNeedsTheTypesMinimumSize();
    void recordingFollowsTheFramesOfTheDrag();
    void modificationRecordsIntoTheChosenTrack();
    void wheelAndMiddleButtonSizeTheBrush();
    void contextMenuOfOverlappingAreasPicksTheLaterOne();
    void removeThisFrameAfterAtTheFirstFrameRemovesTheTrack();
    void playEndsRewoundOrLoops();
    void speedListAndArrowKeysRestartPlayAtTheNewInterval();
    void playWithSoundFollowsTheSound();
    void savedProgressComesBackAndRemovalDeletesIt();
    void conversionProgressBlocksTheMainWindow();
    void failedProgressAndSettingsWritesAreToldAndKeepTheOldFiles();
    void eachEditIsOneStepOfUndo_data();
    void eachEditIsOneStepOfUndo();
    void oneFrameEditsMoveOrResizeAndThePointerTells();
    void coverageStripAndNextGapLeadToTheGaps();
    void trackFollowsTheSubjectInOneStepOfUndo();

private:
    // Starts the program and opens movie in fixed mosaic mode; false when that failed.
    bool open(const std::string& movie);
    CMainFrame& frame() const { return *m_app->GetMainWnd(); }
    CVexoView& view() const { return *m_app->GetView(); }
    CAviVideoStream& stream() const { return *frame().ActiveStream(); }
    CInifileManager& settings() const { return *m_app->m_pSettings; }
    CPlayCommands& play() const { return *m_app->GetPlayCommands(); }
    // The view point whose picture point is (x, y), as the view's mapping rounds.
    QPoint at(int x, int y) const;
    void showFrame(std::int64_t n) const { m_app->GetFrameSteps()->ShowFrame(n); }
    void wheel(QPoint point, int delta, Qt::KeyboardModifiers modifiers) const;
    // Right click at point; when a context menu opens, command is chosen from it. Returns
    // whether a menu opened.
    bool rightClickAndChoose(QPoint point, int command) const;
    void press(QPoint point, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mousePress(&view(), button, {}, point);
    }
    void release(QPoint point, Qt::MouseButton button = Qt::LeftButton) const {
        QTest::mouseRelease(&view(), button, {}, point);
    }
    void move(QPoint point) const { QTest::mouseMove(&view(), point); }
    void drag(QPoint from, QPoint to) const {
        move(from);
        press(from);
        move(to);
        release(to);
    }
    // A recording from the shown frame until frame until is shown.
    void record(QPoint point, std::int64_t until) const;
    // A key pressed once the program is idle, its menu items and keys in line with the rules.
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        frame().UpdateCommandUI();
        QTest::keyClick(&view(), key, modifiers);
    }

    QTemporaryDir m_media;
    std::string m_movie;   // 640 x 480 at 30000/1001 fps, 160 frames
    std::string m_sounded; // 320 x 240 at 30000/1001 fps with 3 s of sound, read in place
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<CVexoViewerApp> m_app;
    CRecordingMessageBox m_box{QV_IDNO};
};

void PlayEditTest::initTestCase() {
    m_movie = m_media.filePath("clip.avi").toStdString();
    m_sounded = m_media.filePath("sounded.mp4").toStdString();
    QVERIFY(CSavedMovie::Generate("-f lavfi -i testsrc2=size=640x480:rate=30000/1001 -frames:v 160 "
                                  "-vcodec msmpeg4v2 -q:v 4",
                                  m_movie));
    QVERIFY(CSavedMovie::Generate("-f lavfi -i testsrc2=size=320x240:rate=30000/1001 -f lavfi -i "
                                  "sine=sample_rate=44100:duration=3 -frames:v 90 -c:v libx264 "
                                  "-pix_fmt yuv420p -c:a aac -shortest",
                                  m_sounded));
}

void PlayEditTest::init() {
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
    qputenv("LANG", "C.UTF-8");
    qputenv("SDL_AUDIODRIVER", "dummy");
    for (const char* progress : {"clip.eft", "clip.eftm"}) {
        fs::remove(m_media.filePath(progress).toStdString());
    }
}

void PlayEditTest::cleanup() {
    if (m_app) {
        frame().close();
        m_app->ExitInstance();
        m_app.reset();
    }
    CMessageBoxSeam::Install(nullptr);
    m_config.reset();
}

bool PlayEditTest::open(const std::string& movie) {
    m_app = std::make_unique<CVexoViewerApp>(QUORVEL_BIN_DIR "/Quorvel");
    if (!m_app->InitInstance({})) {
        return false;
    }
    CMessageBoxSeam::Install(&m_box);
    if (!m_app->GetFileCommands()->OpenDocumentFile(movie)) {
        return false;
    }
    // The posted mode command and First run once the event loop has its turn; a repaint then
    // tells where the picture is.
    const bool fixed = QTest::qWaitFor([this] { return frame().editMode == 0; });
    view().repaint();
    return fixed && !view().PictureRect().IsEmpty();
}

QPoint PlayEditTest::at(int x, int y) const {
    const CPictureMapping mapping(view().PictureRect(), stream().m_nWidth, stream().m_nHeight);
    QPoint point(view().PictureRect().left, view().PictureRect().top);
    while (mapping.ToPictureX(point.x()) < x) {
        point.rx()++;
    }
    while (mapping.ToPictureY(point.y()) < y) {
        point.ry()++;
    }
    return point;
}

void PlayEditTest::wheel(QPoint point, int delta, Qt::KeyboardModifiers modifiers) const {
    QWheelEvent event(point, view().mapToGlobal(point), QPoint(), QPoint(0, delta), Qt::NoButton,
                      modifiers, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view(), &event);
}

bool PlayEditTest::rightClickAndChoose(QPoint point, int command) const {
    bool shown = false;
    QTimer::singleShot(0, &view(), [this, command, &shown] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        shown = menu != nullptr;
        if (menu) {
            menu->close();
            frame().Menus().Action(command)->trigger();
        }
    });
    QTest::mouseClick(&view(), Qt::RightButton, {}, point);
    QCoreApplication::processEvents();
    return shown;
}

void PlayEditTest::fixedDragIsClippedToThePicture() {
    QVERIFY(open(m_movie));
    settings().SizeID = 2;
    const T_RECT picture = view().PictureRect();
    press(at(600, 400));
    move(QPoint(picture.right + 5, picture.bottom));
    // The release comes from beyond the view; it still ends the drag inside it.
    release(QPoint(view().width() + 40, view().height() + 40));
    const std::vector<T_RECT>& areas = stream().m_mosaic.FixedAreas();
    QCOMPARE(areas.size(), std::size_t{1});
    QCOMPARE(areas[0], (T_RECT{600, 400, 640, 480}));
    QCOMPARE(stream().m_mosaic.size, 10);
    QVERIFY(frame().movieModified);
    QVERIFY(frame().progressModified);
    QVERIFY(!view().Editor().Dragging());
    QVERIFY(QWidget::mouseGrabber() == nullptr);

    // A right press during a drag drops it.
    press(at(10, 10));
    move(at(200, 200));
    press(at(200, 200), Qt::RightButton);
    release(at(200, 200));
    QCOMPARE(areas.size(), std::size_t{1});
}

void PlayEditTest::fixedRectangleNeedsTheTypesMinimumSize() {
    QVERIFY(open(m_movie));
    settings().SizeID = 0;
    press(at(100, 100));
    move(at(125, 140));
    release(at(125, 140));
    QVERIFY(stream().m_mosaic.FixedAreas().empty());
    QVERIFY(frame().movieModified);
    QVERIFY(frame().progressModified);

    settings().SizeID = 3;
    press(at(200, 200));
    move(at(205, 205));
    release(at(205, 205));
    QCOMPARE(stream().m_mosaic.FixedAreas().size(), std::size_t{1});
    QCOMPARE(stream().m_mosaic.FixedAreas()[0], (T_RECT{200, 200, 205, 205}));
    QCOMPARE(stream().m_mosaic.size, 5);
}

void PlayEditTest::recordingFollowsTheFramesOfTheDrag() {
    QVERIFY(open(m_movie));
    QVERIFY(frame().ExecuteCommand(Id::MovingMode));
    showFrame(100);
    const QPoint brush = at(320, 240);
    move(brush);
    press(brush);
    QVERIFY(frame().playing);
    QCOMPARE(play().TimerInterval(kPlayTimer), 33);
    QVERIFY(PlayButtonPicture(frame()) != QImage());
    QVERIFY(QTest::qWaitFor([this] { return stream().m_nCurrentFrame >= 130; }, 20000));
    const std::int64_t released = stream().m_nCurrentFrame;
    release(brush);
    QVERIFY(!frame().playing);
    QCOMPARE(stream().m_nCurrentFrame, released - 1);

    QCOMPARE(stream().m_mosaic.TrackCount(), 1);
    const CMosaicTrack& track = stream().m_mosaic.Tracks()[0];
    QCOMPARE(track.First(), 100);
    QCOMPARE(static_cast<std::int64_t>(track.Rects().size()), released - 100);
    for (const T_RECT& rect : track.Rects()) {
        QVERIFY(rect.Contains(320, 240));
    }
    // Fifty window pixels each way around the pointer.
    const CPictureMapping mapping(view().PictureRect(), 640, 480);
    QCOMPARE(track.Rects()[0].left, mapping.ToPictureX(brush.x() - 50));
    QCOMPARE(track.Rects()[0].bottom, mapping.ToPictureY(brush.y() + 50));
    QVERIFY(frame().movieModified);
}

void PlayEditTest::modificationRecordsIntoTheChosenTrack() {
    QVERIFY(open(m_movie));
    CMosaicParam& mosaic = stream().m_mosaic;
    for (std::int32_t f = 20; f < 40; ++f) {
        mosaic.SetTrackRect(0, T_RECT{0, 0, 100, 100}, f);
    }
    QVERIFY(frame().ExecuteCommand(Id::MovingMode));
    showFrame(25);
    QVERIFY(rightClickAndChoose(at(50, 50), Id::TrackModify));
    QVERIFY(view().Editor().Modify());
    QCOMPARE(view().Editor().Selected(), 0);

    const QPoint brush = at(400, 300);
    move(brush);
    press(brush);
    QVERIFY(QTest::qWaitFor([this] { return stream().m_nCurrentFrame >= 28; }, 10000));
    release(brush);
    QCOMPARE(mosaic.TrackCount(), 1);
    QVERIFY(mosaic.GetTrackRect(0, 25).Contains(400, 300));
    QVERIFY(mosaic.GetTrackRect(0, 26).Contains(400, 300));
    QCOMPARE(mosaic.GetTrackRect(0, 24), (T_RECT{0, 0, 100, 100}));
    QCOMPARE(mosaic.GetTrackRect(0, 39), (T_RECT{0, 0, 100, 100}));
    QVERIFY(!view().Editor().Modify());
    QCOMPARE(view().Editor().Selected(), -1);
    QCOMPARE(view().Editor().CurrentTrack(), -1);
}

void PlayEditTest::wheelAndMiddleButtonSizeTheBrush() {
    QVERIFY(open(m_movie));
    QVERIFY(frame().ExecuteCommand(Id::MovingMode));
    const QPoint point = at(320, 240);
    move(point);
    // A notch is a tenth of the brush.
    wheel(point, 120, Qt::NoModifier);
    QCOMPARE(settings().HoriLengthFromCenter, 55);
    QCOMPARE(settings().VertLengthFromCenter, 55);
    QCOMPARE(view().Editor().Current(),
             (T_RECT{point.x() - 55, point.y() - 55, point.x() + 55, point.y() + 55}));
    // Where the pointer leaves the view no brush stays behind.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&view(), &leave);
    QCOMPARE(view().Editor().Current(), T_RECT{});
    move(point);
    wheel(point, 120, Qt::ControlModifier);
    QCOMPARE(settings().HoriLengthFromCenter, 61);
    QCOMPARE(settings().VertLengthFromCenter, 55);
    wheel(point, -240, Qt::ShiftModifier);
    QCOMPARE(settings().HoriLengthFromCenter, 61);
    QCOMPARE(settings().VertLengthFromCenter, 44);
    wheel(point, 120, Qt::ShiftModifier | Qt::ControlModifier);
    QCOMPARE(settings().HoriLengthFromCenter, 61);
    QCOMPARE(settings().VertLengthFromCenter, 44);
    settings().HoriLengthFromCenter = 1000;
    wheel(point, 120, Qt::NoModifier);
    QCOMPARE(settings().HoriLengthFromCenter, 1000);
    QCOMPARE(settings().VertLengthFromCenter, 48);

    settings().HoriLengthFromCenter = 80;
    settings().VertLengthFromCenter = 30;
    QTest::mouseClick(&view(), Qt::MiddleButton, {}, point);
    QCOMPARE(settings().HoriLengthFromCenter, 30);
    QCOMPARE(settings().VertLengthFromCenter, 30);
    QVERIFY(!frame().playing);
}

void PlayEditTest::contextMenuOfOverlappingAreasPicksTheLaterOne() {
    QVERIFY(open(m_movie));
    CMosaicParam& mosaic = stream().m_mosaic;
    mosaic.AddFixedArea(T_RECT{100, 100, 300, 300});
    mosaic.AddFixedArea(T_RECT{200, 200, 400, 400});
    QVERIFY(!rightClickAndChoose(at(500, 50), Id::AreaDelete));
    QVERIFY(rightClickAndChoose(at(250, 250), Id::AreaDelete));
    QCOMPARE(mosaic.FixedAreas(), (std::vector<T_RECT>{T_RECT{100, 100, 300, 300}}));
    QVERIFY(frame().movieModified);
    QVERIFY(rightClickAndChoose(at(150, 150), Id::ContextCancel));
    QCOMPARE(mosaic.FixedAreas().size(), std::size_t{1});
    QCOMPARE(view().Editor().Selected(), -1);

    // No context menu in preview mode or while playing.
    QVERIFY(frame().ExecuteCommand(Id::PreviewMode));
    QVERIFY(!rightClickAndChoose(at(150, 150), Id::AreaDelete));
    QVERIFY(frame().ExecuteCommand(Id::FixedMode));
    QVERIFY(frame().ExecuteCommand(Id::Play));
    QVERIFY(!rightClickAndChoose(at(150, 150), Id::AreaDelete));
    QVERIFY(frame().ExecuteCommand(Id::Stop));
    QCOMPARE(mosaic.FixedAreas().size(), std::size_t{1});
}

void PlayEditTest::removeThisFrameAfterAtTheFirstFrameRemovesTheTrack() {
    QVERIFY(open(m_movie));
    CMosaicParam& mosaic = stream().m_mosaic;
    for (std::int32_t f = 10; f < 20; ++f) {
        mosaic.SetTrackRect(0, T_RECT{0, 0, 100, 100}, f);
        mosaic.SetTrackRect(1, T_RECT{300, 300, 400, 400}, f);
    }
    QVERIFY(frame().ExecuteCommand(Id::MovingMode));
    showFrame(15);
    QVERIFY(rightClickAndChoose(at(350, 350), Id::TrackRemoveAfter));
    QCOMPARE(mosaic.Tracks()[1].Rects().size(), std::size_t{5});
    showFrame(10);
    QVERIFY(rightClickAndChoose(at(50, 50), Id::TrackRemoveAfter));
    QCOMPARE(mosaic.TrackCount(), 1);
    QCOMPARE(mosaic.GetTrackRect(0, 10), (T_RECT{300, 300, 400, 400}));
    QCOMPARE(view().Editor().CurrentTrack(), 0);
    QVERIFY(rightClickAndChoose(at(350, 350), Id::TrackRemoveAll));
    QCOMPARE(mosaic.TrackCount(), 0);
    QCOMPARE(view().Editor().CurrentTrack(), -1);
}

void PlayEditTest::playEndsRewoundOrLoops() {
    QVERIFY(open(m_movie));
    const QImage playPicture = PlayButtonPicture(frame());
    settings().LoopPlay = 0;
    showFrame(159);
    QVERIFY(frame().ExecuteCommand(Id::Play));
    QVERIFY(frame().playing);
    QVERIFY(PlayButtonPicture(frame()) != playPicture);
    QVERIFY(QTest::qWaitFor([this] { return !frame().playing; }, 5000));
    QCOMPARE(stream().m_nCurrentFrame, 0);
    QCOMPARE(PlayButtonPicture(frame()), playPicture);
    QCOMPARE(play().TimerInterval(kPlayTimer), 0);

    QVERIFY(frame().ExecuteCommand(Id::ContinuousPlay));
    QCOMPARE(settings().LoopPlay, 1);
    showFrame(158);
    QVERIFY(frame().ExecuteCommand(Id::Play));
    QVERIFY(QTest::qWaitFor([this] { return stream().m_nCurrentFrame == 2; }, 5000));
    QVERIFY(frame().playing);
    // Play again stops.
    QVERIFY(frame().ExecuteCommand(Id::Play));
    QVERIFY(!frame().playing);
}

void PlayEditTest::speedListAndArrowKeysRestartPlayAtTheNewInterval() {
    QVERIFY(open(m_movie));
    QComboBox* list = frame().SliderBar()->SpeedList();
    QCOMPARE(list->currentText(), QString("1.0"));
    showFrame(5);
    QVERIFY(frame().ExecuteCommand(Id::Play));
    QCOMPARE(play().TimerInterval(kPlayTimer), 33);
    // As the user picks an entry: the list shows it and says so.
    const auto choose = [list](int index) {
        list->setCurrentIndex(index);
        emit list->activated(index);
    };
    choose(0);
    QCOMPARE(settings().PlaySpeedRate, 2.0f);
    QVERIFY(frame().playing);
    QCOMPARE(play().TimerInterval(kPlayTimer), 16);
    const std::int64_t before = stream().m_nCurrentFrame;
    choose(5);
    QCOMPARE(play().TimerInterval(kPlayTimer), 333);
    QVERIFY(stream().m_nCurrentFrame >= before);

    // Up is faster, down slower; the ends stay.
    QTest::keyClick(&view(), Qt::Key_Up);
    QCOMPARE(list->currentText(), QString("0.2"));
    QCOMPARE(play().TimerInterval(kPlayTimer), 166);
    QTest::keyClick(&view(), Qt::Key_Down);
    QTest::keyClick(&view(), Qt::Key_Down);
    QCOMPARE(list->currentIndex(), 5);
    QCOMPARE(settings().PlaySpeedRate, 0.1f);
    QVERIFY(frame().playing);
    QVERIFY(frame().ExecuteCommand(Id::Stop));
    QTest::keyClick(&view(), Qt::Key_Up);
    QCOMPARE(list->currentText(), QString("0.2"));
    QVERIFY(!frame().playing);
}

// The sound plays from the movie itself: nothing but the lock is made beside it.
void PlayEditTest::playWithSoundFollowsTheSound() {
    QVERIFY(open(m_sounded));
    QVERIFY(stream().InPlace());
    std::vector<std::string> beside;
    for (const auto& entry : fs::directory_iterator(m_media.path().toStdString())) {
        if (entry.path().filename().string().starts_with("sounded")) {
            beside.push_back(entry.path().filename().string());
        }
    }
    std::sort(beside.begin(), beside.end());
    QCOMPARE(beside, (std::vector<std::string>{"sounded.$tmp$.lock", "sounded.mp4"}));
    QVERIFY(frame().CommandStatus(Id::PlayWithAudio).enabled);
    showFrame(10);
    QVERIFY(frame().ExecuteCommand(Id::PlayWithAudio));
    QVERIFY(frame().audioPlaying);
    QCOMPARE(play().TimerInterval(CPlayController::SoundTimer), 33);
    QCOMPARE(play().TimerInterval(kPlayTimer), 0);
    QVERIFY(!frame().CommandStatus(Id::Stop).enabled);
    QVERIFY(QTest::qWaitFor([this] { return stream().m_nCurrentFrame >= 20; }, 5000));
    // Play ends it, the sound device with it.
    QVERIFY(frame().ExecuteCommand(Id::Play));
    QVERIFY(!frame().audioPlaying);
    QVERIFY(!frame().playing);
    QCOMPARE(play().TimerInterval(CPlayController::SoundTimer), 0);

    // A movie without sound has nothing to play with it.
    QVERIFY(m_app->GetFileCommands()->OpenDocumentFile(m_movie));
    frame().UpdateCommandUI();
    QVERIFY(!frame().CommandStatus(Id::PlayWithAudio).enabled);
}

void PlayEditTest::savedProgressComesBackAndRemovalDeletesIt() {
    QVERIFY(open(m_movie));
    QVERIFY(!frame().CommandStatus(Id::SaveProgress).enabled);
    press(at(10, 20));
    move(at(110, 90));
    release(at(110, 90));
    stream().m_mosaic.SetTrackRect(0, T_RECT{1, 2, 30, 40}, 7);
    QVERIFY(frame().ExecuteCommand(Id::SaveProgress));
    QVERIFY(!frame().progressModified);
    QVERIFY(fs::exists(m_media.filePath("clip.eft").toStdString()));
    QVERIFY(fs::exists(m_media.filePath("clip.eftm").toStdString()));
    // The status bar says where, and offers no movie to play.
    QCOMPARE(frame().statusBar()->currentMessage(),
             QString::fromStdString(CStringTable::Format(
                 CResourceId::ProgressSavedMessage, m_media.filePath("clip.eft").toStdString())));
    QVERIFY(!frame().PlaySavedButton()->isVisibleTo(&frame()));

    QVERIFY(frame().ExecuteCommand(Id::Close));
    QVERIFY(frame().ActiveStream() == nullptr);
    QVERIFY(m_app->GetFileCommands()->OpenDocumentFile(m_movie));
    QCOMPARE(stream().m_mosaic.FixedAreas(), (std::vector<T_RECT>{T_RECT{10, 20, 110, 90}}));
    QCOMPARE(stream().m_mosaic.GetTrackRect(0, 7), (T_RECT{1, 2, 30, 40}));

    // Files that hold another movie's progress are replaced only when the user says so.
    const std::string eft = m_media.filePath("clip.eft").toStdString();
    const auto before = CTextFile::Read(eft);
    stream().m_strSourceName = "clip.mov";
    stream().m_mosaic.AddFixedArea(T_RECT{0, 0, 50, 50});
    frame().SetModified();
    m_box.texts.clear();
    QVERIFY(frame().ExecuteCommand(Id::SaveProgress));
    QCOMPARE(m_box.texts.size(), std::size_t{1});
    QVERIFY(m_box.texts[0].find("\"clip.avi\"") != std::string::npos);
    QCOMPARE(CTextFile::Read(eft), before);
    QVERIFY(frame().progressModified);
    stream().m_mosaic.DeleteFixedArea(1);
    stream().m_strSourceName = "clip.avi";

    frame().progressModified = true;
    QVERIFY(frame().ExecuteCommand(Id::RemoveAllMosaic));
    QVERIFY(!stream().m_mosaic.HasRegions());
    QVERIFY(!fs::exists(m_media.filePath("clip.eft").toStdString()));
    QVERIFY(!fs::exists(m_media.filePath("clip.eftm").toStdString()));
    QCOMPARE(view().Editor().CurrentTrack(), -1);
    QVERIFY(frame().progressModified);
    QVERIFY(!frame().CommandStatus(Id::RemoveAllMosaic).enabled);
}

void PlayEditTest::conversionProgressBlocksTheMainWindow() {
    // DV can't be read in place: its open converts it into a working video.
    const std::string tape = m_media.filePath("tape.avi").toStdString();
    QVERIFY(CSavedMovie::Generate("-f lavfi -i testsrc2=size=720x576:rate=25 -frames:v 25 "
                                  "-pix_fmt yuv420p -c:v dvvideo",
                                  tape));
    // Looks at the windows while the open pipeline's conversions pump events.
    int looks = 0;
    int ownedLooks = 0;
    QTimer watch;
    watch.setInterval(1);
    connect(&watch, &QTimer::timeout, [this, &looks, &ownedLooks] {
        for (QWidget* window : QApplication::topLevelWidgets()) {
            auto* progress = qobject_cast<CProgressDlg*>(window);
            if (progress && progress->isVisible()) {
                ++looks;
                ownedLooks += progress->parentWidget() == &frame() && !frame().isEnabled() &&
                              progress->isEnabled();
            }
        }
    });
    watch.start();
    QVERIFY(open(tape));
    watch.stop();
    QVERIFY(looks > 0);
    QCOMPARE(ownedLooks, looks);
    QVERIFY(frame().isEnabled());
}

// A full disk while saving the progress and the settings, and progress files that cannot be
// deleted: each is told, and the files and the regions stay as they were.
void PlayEditTest::failedProgressAndSettingsWritesAreToldAndKeepTheOldFiles() {
    const std::string eft = m_media.filePath("clip.eft").toStdString();
    const std::string eftm = m_media.filePath("clip.eftm").toStdString();
    QVERIFY(open(m_movie));
    press(at(10, 20));
    move(at(110, 90));
    release(at(110, 90));
    stream().m_mosaic.SetTrackRect(0, T_RECT{1, 2, 30, 40}, 7);
    QVERIFY(frame().ExecuteCommand(Id::SaveProgress));
    const auto savedAreas = CTextFile::Read(eft);
    const auto savedTracks = CTextFile::Read(eftm);
    QVERIFY(savedAreas && savedTracks);
    press(at(200, 200));
    move(at(300, 260));
    release(at(300, 260));
    QCOMPARE(stream().m_mosaic.FixedAreas().size(), std::size_t{2});
    QVERIFY(frame().progressModified);
    m_box.texts.clear();
    {
        const CFileSizeLimit full(64);
        QVERIFY(full.Active());
        QVERIFY(frame().ExecuteCommand(Id::SaveProgress));
    }
    QCOMPARE(m_box.texts, std::vector<std::string>{CStringTable::Format(2080, eft)});
    QVERIFY(frame().progressModified);
    QCOMPARE(CTextFile::Read(eft), savedAreas);
    QCOMPARE(CTextFile::Read(eftm), savedTracks);

    // The track file cannot be moved aside to be deleted with the other.
    fs::create_directories(eftm + ".removed/blocked");
    QVERIFY(frame().ExecuteCommand(Id::RemoveAllMosaic));
    QCOMPARE(m_box.texts.back(), CStringTable::Format(2081, eft));
    QCOMPARE(stream().m_mosaic.FixedAreas().size(), std::size_t{2});
    QCOMPARE(stream().m_mosaic.TrackCount(), 1);
    QCOMPARE(CTextFile::Read(eft), savedAreas);
    QCOMPARE(CTextFile::Read(eftm), savedTracks);
    fs::remove_all(eftm + ".removed");

    const std::string ini = settings().Path();
    QVERIFY(settings().Save());
    const auto savedSettings = CTextFile::Read(ini);
    QVERIFY(savedSettings);
    settings().LoopPlay = 1;
    frame().close();
    m_box.texts.clear();
    {
        const CFileSizeLimit full(64);
        QVERIFY(full.Active());
        m_app.reset();
    }
    QCOMPARE(m_box.texts, std::vector<std::string>{CStringTable::Format(2082, ini)});
    QCOMPARE(CTextFile::Read(ini), savedSettings);
}

void PlayEditTest::record(QPoint point, std::int64_t until) const {
    move(point);
    press(point);
    QVERIFY(QTest::qWaitFor([this, until] { return stream().m_nCurrentFrame >= until; }, 10000));
    release(point);
}

namespace {

enum class Edit {
    AreaDrawn,
    AreaMoved,
    AreaResized,
    AreaDeleted,
    AllRemoved,
    Recording,
    Modification,
    FrameMoved,
    TrackRemoved,
    TailRemoved,
    GapsFilled,
    TypeChosen,
};

bool SameMosaic(const CMosaicParam& a, const CMosaicParam& b) {
    return a.type == b.type && a.size == b.size && a.FixedAreas() == b.FixedAreas() &&
           a.Tracks() == b.Tracks();
}

} // namespace

void PlayEditTest::eachEditIsOneStepOfUndo_data() {
    QTest::addColumn<Edit>("edit");
    QTest::newRow("area drawn") << Edit::AreaDrawn;
    QTest::newRow("area moved") << Edit::AreaMoved;
    QTest::newRow("area resized") << Edit::AreaResized;
    QTest::newRow("area deleted") << Edit::AreaDeleted;
    QTest::newRow("all removed") << Edit::AllRemoved;
    QTest::newRow("recording") << Edit::Recording;
    QTest::newRow("modification") << Edit::Modification;
    QTest::newRow("one frame moved") << Edit::FrameMoved;
    QTest::newRow("track removed") << Edit::TrackRemoved;
    QTest::newRow("tail removed") << Edit::TailRemoved;
    QTest::newRow("gaps filled") << Edit::GapsFilled;
    QTest::newRow("type chosen") << Edit::TypeChosen;
}

// Each edit, made as the user makes it, is one step: Ctrl+Z gives the mosaic before it back
// and, as that is what the progress files hold, clears the progress flag; Ctrl+Shift+Z and
// Ctrl+Y bring the edit back. Undo goes no further than the opened movie.
void PlayEditTest::eachEditIsOneStepOfUndo() {
    QFETCH(Edit, edit);
    QVERIFY(open(m_movie));
    CMosaicParam& mosaic = stream().m_mosaic;
    mosaic.AddFixedArea(T_RECT{100, 100, 200, 200});
    for (std::int32_t f = 20; f <= 40; ++f) {
        mosaic.SetTrackRect(0, f == 30 ? T_RECT{} : T_RECT{300, 200, 400, 300}, f);
    }
    frame().SetModified();
    QVERIFY(frame().ExecuteCommand(Id::SaveProgress));
    QVERIFY(!frame().progressModified);
    const CMosaicParam saved = mosaic;
    const std::size_t states = frame().History().StateCount();

    switch (edit) {
    case Edit::AreaDrawn:
        drag(at(10, 300), at(90, 380));
        break;
    case Edit::AreaMoved:
        drag(at(150, 150), at(170, 160));
        break;
    case Edit::AreaResized:
        drag(at(199, 150), at(250, 150));
        break;
    case Edit::AreaDeleted:
        QVERIFY(rightClickAndChoose(at(150, 150), Id::AreaDelete));
        break;
    case Edit::AllRemoved:
        QVERIFY(frame().ExecuteCommand(Id::RemoveAllMosaic));
        break;
    case Edit::Recording:
        QVERIFY(frame().ExecuteCommand(Id::MovingMode));
        showFrame(60);
        record(at(500, 400), 64);
        break;
    case Edit::Modification:
        QVERIFY(frame().ExecuteCommand(Id::MovingMode));
        showFrame(25);
        QVERIFY(rightClickAndChoose(at(350, 250), Id::TrackModify));
        record(at(500, 400), 28);
        break;
    case Edit::FrameMoved:
        QVERIFY(frame().ExecuteCommand(Id::MovingMode));
        showFrame(25);
        drag(at(350, 250), at(380, 270));
        break;
    case Edit::TrackRemoved:
        QVERIFY(frame().ExecuteCommand(Id::MovingMode));
        showFrame(25);
        QVERIFY(rightClickAndChoose(at(350, 250), Id::TrackRemoveAll));
        break;
    case Edit::TailRemoved:
        QVERIFY(frame().ExecuteCommand(Id::MovingMode));
        showFrame(35);
        QVERIFY(rightClickAndChoose(at(350, 250), Id::TrackRemoveAfter));
        break;
    case Edit::GapsFilled:
        QVERIFY(frame().ExecuteCommand(Id::FillGaps));
        break;
    case Edit::TypeChosen:
        frame().MosaicTypeBar()->OnTypeChosen(8);
        break;
    }
    const CMosaicParam edited = mosaic;
    QVERIFY(!SameMosaic(edited, saved));
    // The offscreen platform leaves a closed context menu the active window.
    QApplication::setActiveWindow(&frame());
    QCOMPARE(frame().History().StateCount(), states + 1);
    QCOMPARE(frame().progressModified, edit != Edit::AllRemoved);

    key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(SameMosaic(mosaic, saved));
    QCOMPARE(settings().SizeID, saved.type);
    QCOMPARE(frame().MosaicTypeBar()->typeIndex, saved.type);
    QCOMPARE(frame().progressModified, edit == Edit::AllRemoved);
    QVERIFY(frame().CommandStatus(Id::Redo).enabled);
    key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QVERIFY(SameMosaic(mosaic, edited));
    QCOMPARE(frame().progressModified, edit != Edit::AllRemoved);
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(SameMosaic(mosaic, edited));
    QVERIFY(!frame().CommandStatus(Id::Redo).enabled);

    // Back past the regions set up here, to the movie as it opened; no further.
    key(Qt::Key_Z, Qt::ControlModifier);
    key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(!mosaic.HasRegions());
    QVERIFY(!frame().CommandStatus(Id::Undo).enabled);
    QVERIFY(!frame().ExecuteCommand(Id::Undo));
    // A recording goes on after the last track there is.
    QCOMPARE(view().Editor().CurrentTrack(), -1);

    // Closing forgets the history.
    key(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(mosaic.HasRegions());
    frame().movieModified = false;
    QVERIFY(frame().ExecuteCommand(Id::Close));
    QCOMPARE(frame().History().StateCount(), std::size_t{1});
}

// With play stopped a drag on a region changes it on the shown frame alone; the pointer shows
// what a drag would do there. A click that moves nothing changes nothing and stays put.
void PlayEditTest::oneFrameEditsMoveOrResizeAndThePointerTells() {
    QVERIFY(open(m_movie));
    CMosaicParam& mosaic = stream().m_mosaic;
    const T_RECT original{300, 200, 400, 300};
    for (std::int32_t f = 20; f <= 40; ++f) {
        mosaic.SetTrackRect(0, original, f);
    }
    mosaic.AddFixedArea(T_RECT{50, 50, 150, 150});
    QVERIFY(frame().ExecuteCommand(Id::MovingMode));
    showFrame(30);
    const auto shapeAt = [this](QPoint point) {
        move(QPoint(0, 0));
        move(point);
        return view().cursor().shape();
    };
    QCOMPARE(shapeAt(at(350, 250)), Qt::SizeAllCursor);
    QCOMPARE(shapeAt(at(399, 250)), Qt::SizeHorCursor);
    QCOMPARE(shapeAt(at(350, 200)), Qt::SizeVerCursor);
    QCOMPARE(shapeAt(at(300, 200)), Qt::SizeFDiagCursor);
    QCOMPARE(shapeAt(at(399, 200)), Qt::SizeBDiagCursor);
    QCOMPARE(shapeAt(at(500, 400)), Qt::BitmapCursor);
    // The fixed area is no region of this mode.
    QCOMPARE(shapeAt(at(100, 100)), Qt::BitmapCursor);

    const std::size_t states = frame().History().StateCount();
    drag(at(350, 250), at(350, 250));
    QCOMPARE(mosaic.GetTrackRect(0, 30), original);
    QCOMPARE(stream().m_nCurrentFrame, std::int64_t{30});
    QVERIFY(!frame().movieModified);
    QCOMPARE(frame().History().StateCount(), states);

    drag(at(350, 250), at(380, 270));
    QCOMPARE(mosaic.GetTrackRect(0, 30), (T_RECT{330, 220, 430, 320}));
    QCOMPARE(mosaic.GetTrackRect(0, 29), original);
    QCOMPARE(mosaic.GetTrackRect(0, 31), original);
    drag(at(429, 250), at(479, 250));
    QCOMPARE(mosaic.GetTrackRect(0, 30), (T_RECT{330, 220, 480, 320}));
    QCOMPARE(stream().m_nCurrentFrame, std::int64_t{30});
    QVERIFY(!frame().playing);
    QVERIFY(frame().movieModified);
    QCOMPARE(frame().History().StateCount(), states + 2);

    // A short click with a modification armed records nothing and keeps the frame.
    QVERIFY(rightClickAndChoose(at(350, 250), Id::TrackModify));
    press(at(500, 400));
    release(at(500, 400));
    QCOMPARE(stream().m_nCurrentFrame, std::int64_t{30});
    QCOMPARE(mosaic.GetTrackRect(0, 30), (T_RECT{330, 220, 480, 320}));
    QVERIFY(!view().Editor().Modify());
    QCOMPARE(frame().History().StateCount(), states + 2);

    // In fixed mosaic mode the same drags act on the fixed areas; during play they draw.
    QVERIFY(frame().ExecuteCommand(Id::FixedMode));
    QCOMPARE(shapeAt(at(100, 149)), Qt::SizeVerCursor);
    drag(at(100, 149), at(100, 199));
    QCOMPARE(mosaic.FixedAreas(), (std::vector<T_RECT>{T_RECT{50, 50, 150, 200}}));
    QVERIFY(frame().ExecuteCommand(Id::Play));
    QCOMPARE(shapeAt(at(100, 100)), Qt::BitmapCursor);
    drag(at(100, 100), at(130, 130));
    QVERIFY(frame().ExecuteCommand(Id::Stop));
    QCOMPARE(mosaic.FixedAreas().size(), std::size_t{2});
}

// The strip shows every frame's cover, the gaps red; a click on it goes to its frame, and
// Next gap (G) from one run of gaps to the next, round to the first. Fill gaps mends them all.
void PlayEditTest::coverageStripAndNextGapLeadToTheGaps() {
    QVERIFY(open(m_movie));
    frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame()));
    CMosaicParam& mosaic = stream().m_mosaic;
    for (const std::int32_t f : {20, 24, 26, 33, 40}) {
        mosaic.SetTrackRect(0, T_RECT{300, 200, 400, 300}, f);
    }
    mosaic.SetTrackUnsure(0, 33, true);
    frame().SetModified();
    CCoverageStrip& strip = *frame().SliderBar()->Coverage();
    QVERIFY(strip.isVisible());
    const std::vector<CCoverage::Kind>& kinds = strip.Kinds();
    QCOMPARE(kinds.size(), std::size_t{160});
    QCOMPARE(kinds[19], CCoverage::Kind::None);
    QCOMPARE(kinds[20], CCoverage::Kind::Track);
    QCOMPARE(kinds[21], CCoverage::Kind::Gap);
    QCOMPARE(kinds[33], CCoverage::Kind::Unsure);
    // The red of a one-frame gap is not lost where a pixel stands for several frames.
    const QImage picture = strip.grab().toImage();
    const int gapX = (25 * strip.width() + 159) / 160;
    QCOMPARE(picture.pixelColor(gapX, 0), CCoverageStrip::ColourOf(CCoverage::Kind::Gap));

    QTest::mouseClick(&strip, Qt::LeftButton, {}, QPoint(strip.width() * 3 / 4, 1));
    QCOMPARE(stream().m_nCurrentFrame, strip.FrameAt(strip.width() * 3 / 4));
    QCOMPARE(frame().SliderBar()->FrameSlider()->value(),
             static_cast<int>(stream().m_nCurrentFrame));
    showFrame(0);
    std::vector<std::int64_t> visited;
    for (int press = 0; press < 5; ++press) {
        key(Qt::Key_G);
        visited.push_back(stream().m_nCurrentFrame);
    }
    const std::vector<std::int64_t> expected{21, 25, 27, 34, 21};
    QCOMPARE(visited, expected);
    QCOMPARE(CCoverage::GapFrames(mosaic), std::int64_t{16});

    QVERIFY(frame().ExecuteCommand(Id::FillGaps));
    QCOMPARE(frame().statusBar()->currentMessage(),
             QString::fromStdString(CStringTable::Format(CResourceId::GapsFilledMessage, "16")));
    QCOMPARE(strip.Kinds()[21], CCoverage::Kind::Track);
    QCOMPARE(mosaic.GetTrackRect(0, 22), (T_RECT{300, 200, 400, 300}));
    QVERIFY(!frame().CommandStatus(Id::NextGap).enabled);
    QVERIFY(!frame().CommandStatus(Id::FillGaps).enabled);
}

// A rectangle recorded on the subject, then T: the view follows the run while the program is
// busy, the track holds the subject frame by frame up to the block that hides it, and the run
// stops there and says so. One Ctrl+Z takes the whole run back; Shift+T from a later frame
// follows back to the first, replacing the rectangles on its way and keeping the rest.
void PlayEditTest::trackFollowsTheSubjectInOneStepOfUndo() {
    const CTestMedia media;
    const std::string footage = CTrackFootage::Write(media, "subject.avi");
    QVERIFY(!footage.empty());
    QVERIFY(open(footage));
    QCOMPARE(stream().m_nLastFrame, std::int64_t{CTrackFootage::kFrames - 1});
    frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame()));
    QVERIFY(frame().ExecuteCommand(Id::MovingMode));
    QVERIFY(!frame().CommandStatus(Id::Track).enabled);

    // The brush as large as the subject, on it.
    const T_RECT truth = CTrackFootage::Truth(0);
    const double scale = double(view().PictureRect().right - view().PictureRect().left) /
                         stream().m_nWidth;
    settings().HoriLengthFromCenter = static_cast<int>((truth.right - truth.left) * scale / 2);
    settings().VertLengthFromCenter = static_cast<int>((truth.bottom - truth.top) * scale / 2);
    record(at((truth.left + truth.right) / 2, (truth.top + truth.bottom) / 2), 1);
    const std::int64_t start = stream().m_nCurrentFrame;
    CMosaicParam& mosaic = stream().m_mosaic;
    QCOMPARE(mosaic.TrackCount(), 1);
    QVERIFY(CTrackFootage::Overlap(mosaic.GetTrackRect(0, static_cast<std::int32_t>(start)),
                                   CTrackFootage::Truth(static_cast<int>(start))) > 0.6);
    const CMosaicParam recorded = mosaic;

    // The frames shown while the run holds the program busy.
    std::set<int> shown;
    QObject::connect(frame().SliderBar()->FrameSlider(), &QSlider::valueChanged, &frame(),
                     [&](int value) {
                         if (frame().IsBusy()) {
                             shown.insert(value);
                         }
                     });
    key(Qt::Key_T);
    // The offscreen platform leaves no window active once the progress window has gone.
    QTest::qWait(20);
    frame().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&frame()));
    QObject::disconnect(frame().SliderBar()->FrameSlider(), nullptr, &frame(), nullptr);
    QVERIFY(!frame().IsBusy());
    QVERIFY2(!shown.empty() && *shown.begin() > start, "the view shows the frames followed");
    const std::int64_t end = stream().m_nCurrentFrame;
    QVERIFY(end >= CTrackFootage::kFullCover - 1 && end <= CTrackFootage::kFullCover + 5);
    const CMosaicTrack& track = mosaic.Tracks()[0];
    QCOMPARE(track.Shown().first, start);
    QCOMPARE(track.Shown().last, end);
    QVERIFY(CTrackFootage::ShareOnPath(static_cast<int>(start), track.Rects(), 0.7) >= 0.9);
    const std::string unsure = std::to_string(track.UnsureFrames().size());
    QCOMPARE(frame().statusBar()->currentMessage(),
             QString::fromStdString(CStringTable::Format(CResourceId::TrackLostMessage,
                                                         {std::to_string(end + 1), unsure})));
    QVERIFY(frame().movieModified && frame().progressModified);
    const CMosaicParam tracked = mosaic;

    key(Qt::Key_Z, Qt::ControlModifier);
    QVERIFY(SameMosaic(mosaic, recorded));
    key(Qt::Key_Y, Qt::ControlModifier);
    QVERIFY(SameMosaic(mosaic, tracked));

    showFrame(60);
    const T_RECT later = mosaic.GetTrackRect(0, 70);
    key(Qt::Key_T, Qt::ShiftModifier);
    QCOMPARE(stream().m_nCurrentFrame, std::int64_t{0});
    QCOMPARE(mosaic.Tracks()[0].Shown().first, std::int64_t{0});
    // It set out from a rectangle that was followed itself, so it lands less closely.
    QVERIFY(CTrackFootage::Overlap(mosaic.GetTrackRect(0, 0), CTrackFootage::Truth(0)) >= 0.5);
    QCOMPARE(mosaic.GetTrackRect(0, 70), later);
    const std::set<std::int64_t>& doubts = mosaic.Tracks()[0].UnsureFrames();
    const auto backUnsure = std::count_if(doubts.begin(), doubts.end(), [](std::int64_t f) { return f <= 60; });
    QCOMPARE(frame().statusBar()->currentMessage(),
             QString::fromStdString(CStringTable::Format(CResourceId::TrackEndMessage,
                                                         {"1", "61", std::to_string(backUnsure)})));
}

QTEST_MAIN(PlayEditTest)
#include "PlayEditTest.moc"
