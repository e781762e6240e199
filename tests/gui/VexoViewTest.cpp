#include "CFakeDocument.h"

#include "app/CCommandId.h"
#include "app/CInifileManager.h"
#include "app/CRecentFileList.h"
#include "app/ui/CFileCommands.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/CVexoDoc.h"
#include "app/ui/CVexoViewerApp.h"
#include "platform/CFileDialogSeam.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CShellOpenSeam.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "view/CModeCommands.h"
#include "view/CMosaicPropertyExDlg.h"
#include "view/CVexoView.h"

#include "tests/support/CSavedMovie.h"

#include <QComboBox>
#include <QSlider>
#include <QTemporaryDir>
#include <QtTest>

#include <filesystem>
#include <fstream>

using Id = CCommandId;
namespace fs = std::filesystem;

namespace {

class CScriptedBox : public IMessageBox {
public:
    int Show(const std::string& text, int) override {
        asked.push_back(text);
        return answer;
    }
    int answer = QV_IDOK;
    std::vector<std::string> asked;
};

class CScriptedFileDialog : public IFileDialog {
public:
    Answer Show(const Request& request) override {
        asked.push_back(request);
        return answer;
    }
    Answer answer;
    std::vector<Request> asked;
};

class CRefusingShell : public IShellOpen {
public:
    bool Open(const std::string& target) override {
        asked.push_back(target);
        return false;
    }
    std::vector<std::string> asked;
};

QRgb Rgb(int r, int g, int b) {
    return qRgb(r, g, b);
}

bool NearWhite(QRgb pixel) {
    return qRed(pixel) > 230 && qGreen(pixel) > 230 && qBlue(pixel) > 230;
}

int WhitePixels(const QImage& image, const QRect& area) {
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            count += image.pixel(x, y) == qRgb(255, 255, 255) ? 1 : 0;
        }
    }
    return count;
}

} // namespace

// The view, the document and their commands: a view drawn standalone over a fake document, and
// the real application object opening generated movies in a temporary folder.
class VexoViewTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void letterboxedFrameWithLabelCounterAndPanes();
    void outlinesOfFixedAreasAndTracks();
    void movieOpensThroughTheDocument();
    void commandsFollowTheDocument();
    void failedOpensReportAndLeaveTheDocumentEmpty();
    void openCommandAsksThroughTheFileDialog();
    void droppedFilesAndHelp();
    void japaneseLabelsAndDescriptions();
    void ratePaneCountsThePicturesShown_data();
    void ratePaneCountsThePicturesShown();

private:
    // A started application; its message boxes and file dialogs answered by the test.
    std::unique_ptr<CVexoViewerApp> startApp();

    QTemporaryDir m_media;
    std::string m_movie; // white 640 x 480, 300 frames
    std::unique_ptr<QTemporaryDir> m_config;
    CScriptedBox m_box;
    CScriptedFileDialog m_dialog;
};

void VexoViewTest::initTestCase() {
    m_movie = m_media.filePath("white.avi").toStdString();
    QVERIFY(CSavedMovie::Generate("-f lavfi -i color=c=white:size=640x480:rate=25 -frames:v 300 "
                                  "-vcodec msmpeg4v2 -q:v 2",
                                  m_movie));
}

void VexoViewTest::init() {
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
    qputenv("LANG", "C.UTF-8");
    m_box = CScriptedBox();
    m_dialog = CScriptedFileDialog();
}

void VexoViewTest::cleanup() {
    CMessageBoxSeam::Install(nullptr);
    CFileDialogSeam::Install(nullptr);
    m_config.reset();
}

std::unique_ptr<CVexoViewerApp> VexoViewTest::startApp() {
    auto app = std::make_unique<CVexoViewerApp>(QUORVEL_BIN_DIR "/Quorvel");
    if (!app->InitInstance({})) {
        return nullptr;
    }
    CMessageBoxSeam::Install(&m_box);
    CFileDialogSeam::Install(&m_dialog);
    return app;
}

void VexoViewTest::letterboxedFrameWithLabelCounterAndPanes() {
    CInifileManager settings("");
    CMainFrame frame(settings, "Quorvel", false);
    CFakeDocument document;
    document.Open(m_movie, settings.SizeID);
    QCOMPARE(document.GetStream()->OpenVideo(), 1);
    frame.SetDocument(&document);
    frame.editMode = 0;
    CVexoView view(frame, settings);
    view.resize(1002, 502);
    const QImage shot = view.grab().toImage();
    QCOMPARE(view.PictureRect(), (T_RECT{168, 1, 834, 501}));
    const QRgb grey = Rgb(100, 100, 100);
    for (const QPoint p : {QPoint(0, 0), QPoint(500, 0), QPoint(1001, 501), QPoint(0, 250),
                           QPoint(1001, 250), QPoint(500, 501)}) {
        QCOMPARE(shot.pixel(p), grey);
    }
    for (const QPoint p : {QPoint(1, 1), QPoint(167, 250), QPoint(834, 1), QPoint(1000, 500)}) {
        QCOMPARE(shot.pixel(p), Rgb(0, 0, 0));
    }
    for (const QPoint p : {QPoint(168, 1), QPoint(833, 500), QPoint(500, 250)}) {
        QVERIFY(NearWhite(shot.pixel(p)));
    }
    // The label and the counter are white text over their black shadows, in the left bar.
    QCOMPARE(CViewCanvas::CounterText(0, 299), QString("    1/  300 Frame"));
    QCOMPARE(CViewCanvas::ModeLabel(0), QString("[ Fixed Mosaic Mode ]"));
    QVERIFY(WhitePixels(shot, QRect(9, 9, 150, 14)) > 20);
    QVERIFY(WhitePixels(shot, QRect(9, 32, 150, 14)) > 20);
    QCOMPARE(frame.PaneText(CResourceId::SizePaneWidth), QString("ImageSize:( 640* 480)"));
    QCOMPARE(frame.PaneText(CResourceId::RatePaneWidth), QString("0.00 / 25.00(fps)"));

    // A still image shows no counter and no rate; nothing open leaves the grey only.
    frame.stillImage = true;
    const QImage still = view.grab().toImage();
    QVERIFY(WhitePixels(still, QRect(9, 9, 150, 14)) > 20);
    QCOMPARE(WhitePixels(still, QRect(9, 32, 150, 14)), 0);
    QCOMPARE(frame.PaneText(CResourceId::RatePaneWidth), QString());
    // Nothing open: grey, with the way to begin in the middle.
    document.Close();
    const QImage empty = view.grab().toImage();
    QVERIFY(WhitePixels(empty, QRect(300, 240, 402, 22)) > 100);
    QCOMPARE(empty.pixel(1, 1), grey);
    QCOMPARE(empty.pixel(500, 150), grey);
    QCOMPARE(frame.PaneText(CResourceId::SizePaneWidth), QString());
}

void VexoViewTest::outlinesOfFixedAreasAndTracks() {
    CInifileManager settings("");
    settings.SizeID = 5;
    CMainFrame frame(settings, "Quorvel", false);
    CFakeDocument document;
    document.Open(m_movie, settings.SizeID);
    CAviVideoStream& stream = *document.GetStream();
    QCOMPARE(stream.OpenVideo(), 1);
    stream.m_mosaic.AddFixedArea(T_RECT{320, 240, 640, 480});
    stream.m_mosaic.SetTrackRect(0, T_RECT{0, 0, 64, 48}, 0);
    frame.SetDocument(&document);
    CVexoView view(frame, settings);
    view.resize(1002, 502);
    // Picture (320, 240) is window (501, 251); the inverted area is black inside a red frame.
    frame.editMode = 0;
    QImage shot = view.grab().toImage();

    QCOMPARE(shot.pixel(501, 400), Rgb(255, 0, 0));
    QCOMPARE(shot.pixel(700, 251), Rgb(255, 0, 0));
    QCOMPARE(shot.pixel(833, 400), Rgb(255, 0, 0));
    QCOMPARE(shot.pixel(700, 300), Rgb(0, 0, 0));
    QVERIFY(NearWhite(shot.pixel(500, 400)));
    // Its number "1" is red on white just inside the top left corner.
    bool redLabel = false;
    for (int x = 502; x < 512; ++x) {
        for (int y = 252; y < 266; ++y) {
            redLabel = redLabel || shot.pixel(x, y) == Rgb(255, 0, 0);
        }
    }
    QVERIFY(redLabel);
    QCOMPARE(shot.pixel(168, 1), qRgb(0, 0, 0)); // the track is painted, but not outlined
    QVERIFY(shot.pixel(200, 1) != Rgb(255, 0, 0));
    // Moving mode outlines the track at this frame instead; preview outlines nothing.
    frame.editMode = 1;
    shot = view.grab().toImage();
    QCOMPARE(shot.pixel(200, 1), Rgb(255, 0, 0));
    QVERIFY(shot.pixel(501, 400) != Rgb(255, 0, 0));
    frame.editMode = 2;
    shot = view.grab().toImage();
    QVERIFY(shot.pixel(200, 1) != Rgb(255, 0, 0));
    QCOMPARE(shot.pixel(700, 300), Rgb(0, 0, 0));
    // In a gap of the track it is neither painted nor outlined.
    stream.m_mosaic.SetTrackRect(0, T_RECT{0, 0, 64, 48}, 2);
    stream.m_nCurrentFrame = 1;
    frame.editMode = 1;
    shot = view.grab().toImage();
    QVERIFY(shot.pixel(200, 1) != Rgb(255, 0, 0));
    QVERIFY(shot.pixel(168, 1) != qRgb(0, 0, 0));
}

void VexoViewTest::movieOpensThroughTheDocument() {
    const auto app = startApp();
    QVERIFY(app);
    CMainFrame& frame = *app->GetMainWnd();
    CVexoDoc& document = *app->GetDocument();
    const std::string mp4 = m_media.filePath("clip.mp4").toStdString();
    QVERIFY(CSavedMovie::Generate("-f lavfi -i testsrc2=size=320x240:rate=25 -frames:v 40 "
                                  "-pix_fmt yuv420p",
                                  mp4));
    const std::string work = (fs::path(mp4).parent_path() / "clip.$tmp$.lock").string();
    QVERIFY(app->GetFileCommands()->OpenDocumentFile(mp4));
    QVERIFY(m_box.asked.empty());
    QCOMPARE(document.GetPathName(), mp4);
    // The movie is read in place: no working video, only the lock on the working names.
    QVERIFY(fs::exists(work));
    QVERIFY(!fs::exists((fs::path(mp4).parent_path() / "clip.$tmp$.avi").string()));
    const QSlider* slider = frame.SliderBar()->FrameSlider();
    QCOMPARE(slider->maximum(), 40);
    QCOMPARE(slider->tickInterval(), 2);
    QCOMPARE(slider->pageStep(), 2);
    QCOMPARE(app->GetRecentFileList()->Files().front(), mp4);
    // The posted mode and First run once the event loop has its turn.
    QTRY_COMPARE(frame.editMode, 0);
    QVERIFY(app->GetModeCommands()->FixedDescription());
    QCOMPARE(app->GetModeCommands()->FixedDescription()->PicturePath(),
             QString(":/pictures/fixed-en.svg"));
    QVERIFY(QFile::exists(":/pictures/fixed-en.svg"));
    QVERIFY(frame.CommandStatus(Id::FixedMode).checked);

    // Close takes the working files away and leaves no mode.
    QVERIFY(frame.ExecuteCommand(Id::Close));
    QVERIFY(document.GetPathName().empty());
    QVERIFY(!document.GetStream());
    QVERIFY(!fs::exists(work));
    QCOMPARE(frame.editMode, -1);
    QVERIFY(!app->GetModeCommands()->FixedDescription());
    app->ExitInstance();
    QVERIFY(fs::exists(mp4));
}

void VexoViewTest::commandsFollowTheDocument() {
    const auto app = startApp();
    QVERIFY(app);
    CMainFrame& frame = *app->GetMainWnd();
    const std::vector<int> steps{Id::First, Id::Back, Id::Next, Id::Last};
    for (const int id : {Id::FixedMode, Id::MovingMode, Id::PreviewMode, Id::First, Id::Back,
                         Id::Next, Id::Last, Id::Close, Id::VideoSize}) {
        QVERIFY2(!frame.CommandStatus(id).enabled, qPrintable(QString::number(id)));
    }
    QVERIFY(frame.CommandStatus(Id::Open).enabled);
    QVERIFY(frame.CommandStatus(Id::Help).enabled);

    QVERIFY(app->GetFileCommands()->OpenDocumentFile(m_movie));
    QTRY_COMPARE(frame.editMode, 0);
    for (const int id : {Id::FixedMode, Id::MovingMode, Id::PreviewMode, Id::First, Id::Back,
                         Id::Next, Id::Last, Id::Close, Id::VideoSize}) {
        QVERIFY2(frame.CommandStatus(id).enabled, qPrintable(QString::number(id)));
    }
    CAviVideoStream& stream = *app->GetDocument()->GetStream();
    const QSlider* slider = frame.SliderBar()->FrameSlider();
    QVERIFY(frame.ExecuteCommand(Id::Next));
    QCOMPARE(stream.m_nCurrentFrame, 1);
    QCOMPARE(slider->value(), 1);
    QVERIFY(frame.ExecuteCommand(Id::Last));
    QCOMPARE(stream.m_nCurrentFrame, 299);
    QVERIFY(frame.ExecuteCommand(Id::Next));
    QCOMPARE(stream.m_nCurrentFrame, 299);
    QCOMPARE(slider->value(), 300);
    QVERIFY(frame.ExecuteCommand(Id::First));
    QVERIFY(frame.ExecuteCommand(Id::Back));
    QCOMPARE(stream.m_nCurrentFrame, 0);
    QCOMPARE(slider->value(), 0);
    frame.SliderBar()->FrameSlider()->triggerAction(QAbstractSlider::SliderPageStepAdd);
    QCOMPARE(stream.m_nCurrentFrame, 15);

    // Modes: one checked at a time; the description windows come and go with them.
    QVERIFY(frame.ExecuteCommand(Id::MovingMode));
    QCOMPARE(frame.editMode, 1);
    QVERIFY(frame.CommandStatus(Id::MovingMode).checked);
    QVERIFY(!frame.CommandStatus(Id::FixedMode).checked);
    QVERIFY(!app->GetModeCommands()->FixedDescription());
    QVERIFY(app->GetModeCommands()->MovingDescription());
    QVERIFY(app->GetModeCommands()->MovingDescription()->isVisible());
    QVERIFY(frame.ExecuteCommand(Id::PreviewMode));
    QCOMPARE(frame.editMode, 2);
    QVERIFY(!app->GetModeCommands()->MovingDescription());
    QVERIFY(frame.ExecuteCommand(Id::FixedMode));
    // Escape destroys the window; the mode stays.
    app->GetModeCommands()->FixedDescription()->reject();
    QTRY_VERIFY(!app->GetModeCommands()->FixedDescription());
    QCOMPARE(frame.editMode, 0);

    // While forward play runs, the steps and Close are not carried out.
    frame.playing = true;
    for (const int id : steps) {
        QVERIFY(!frame.ExecuteCommand(id));
    }
    QVERIFY(!frame.CommandStatus(Id::Close).enabled);
    frame.playing = false;

    // "Display in video size": the view becomes as tall as the picture (the window can't be
    // made narrower than 800 pixels).
    frame.show();
    QVERIFY(frame.ExecuteCommand(Id::VideoSize));
    QTRY_COMPARE(app->GetView()->height(), 480);
}

void VexoViewTest::failedOpensReportAndLeaveTheDocumentEmpty() {
    const auto app = startApp();
    QVERIFY(app);
    CVexoDoc& document = *app->GetDocument();
    const std::string bad = m_media.filePath("not-a-movie.mp4").toStdString();
    std::ofstream(bad) << "this is text";
    QVERIFY(!app->GetFileCommands()->OpenDocumentFile(bad));
    QCOMPARE(m_box.asked.size(), std::size_t(1));
    QVERIFY(m_box.asked[0].find("could not be opened") != std::string::npos);
    QVERIFY(m_box.asked[0].find(bad) != std::string::npos);
    QVERIFY(document.GetPathName().empty());
    QVERIFY(!document.GetStream());
    QVERIFY(!fs::exists(m_media.filePath("not-a-movie.$tmp$.avi").toStdString()));
    QVERIFY(app->GetRecentFileList()->Files().empty());
    QVERIFY(fs::exists(bad));

    // A folder that can't be written to: message 2030, nothing opened.
    if (geteuid() != 0) {
        QTemporaryDir locked;
        const std::string copy = locked.filePath("white.avi").toStdString();
        fs::copy_file(m_movie, copy);
        fs::permissions(locked.path().toStdString(), fs::perms::owner_write, fs::perm_options::remove);
        QVERIFY(!app->GetFileCommands()->OpenDocumentFile(copy));
        fs::permissions(locked.path().toStdString(), fs::perms::owner_write, fs::perm_options::add);
        QCOMPARE(m_box.asked.back(), CStringTable::Load(CResourceId::ReadOnlySourceFolder));
        QVERIFY(document.GetPathName().empty());
    }
}

void VexoViewTest::openCommandAsksThroughTheFileDialog() {
    const auto app = startApp();
    QVERIFY(app);
    CMainFrame& frame = *app->GetMainWnd();
    app->m_pSettings->OpenFilterIndex = 3;
    m_dialog.answer = IFileDialog::Answer{false, {}, 1};
    QVERIFY(frame.ExecuteCommand(Id::Open));
    QCOMPARE(m_dialog.asked.size(), std::size_t(1));
    QCOMPARE(m_dialog.asked[0].filterIndex, 3);
    QCOMPARE(m_dialog.asked[0].filter, CStringTable::Load(CResourceId::OpenFilter));
    QVERIFY(m_dialog.asked[0].kind == IFileDialog::Kind::Open);
    QCOMPARE(app->m_pSettings->OpenFilterIndex, 3);
    QVERIFY(app->GetDocument()->GetPathName().empty());

    m_dialog.answer = IFileDialog::Answer{true, m_movie, 1};
    QVERIFY(frame.ExecuteCommand(Id::Open));
    QCOMPARE(app->m_pSettings->OpenFilterIndex, 1);
    QCOMPARE(app->GetDocument()->GetPathName(), m_movie);

    // A changed movie asks first: Cancel keeps it, Yes posts Save and opens nothing.
    app->GetDocument()->GetStream()->m_mosaic.AddFixedArea(T_RECT{1, 1, 50, 50});
    frame.SetModified();
    m_box.answer = QV_IDCANCEL;
    QVERIFY(frame.ExecuteCommand(Id::Open));
    QCOMPARE(m_dialog.asked.size(), std::size_t(2));
    QVERIFY(frame.ExecuteCommand(Id::Close));
    QCOMPARE(app->GetDocument()->GetPathName(), m_movie);
    m_box.answer = QV_IDNO;
    QVERIFY(frame.ExecuteCommand(Id::RecentFile1));
    QCOMPARE(app->GetDocument()->GetPathName(), m_movie);
    QVERIFY(!frame.movieModified);

    // The recent files are kept in the settings file.
    app->ExitInstance();
    CRecentFileList kept(app->GetProfileName());
    kept.Load();
    QCOMPARE(kept.Files(), std::vector<std::string>{m_movie});
}

void VexoViewTest::droppedFilesAndHelp() {
    const auto app = startApp();
    QVERIFY(app);
    CMainFrame& frame = *app->GetMainWnd();
    CVexoView& view = *app->GetView();
    const std::string other = m_media.filePath("other.avi").toStdString();
    fs::copy_file(m_movie, other, fs::copy_options::overwrite_existing);
    view.OnDropFiles({"/nowhere/first.avi", other});
    QCOMPARE(app->GetDocument()->GetPathName(), other);
    frame.movieModified = true;
    m_box.answer = QV_IDCANCEL;
    view.OnDropFiles({m_movie});
    QCOMPARE(app->GetDocument()->GetPathName(), other);
    QVERIFY(frame.movieModified);

    // A manual that is missing or that the desktop can't open: the user learns which one.
    CRefusingShell shell;
    IShellOpen* previous = CShellOpenSeam::Install(&shell);
    const std::string manual = app->GetFileCommands()->HelpFile();
    QCOMPARE(manual, std::string(QUORVEL_BIN_DIR "/Quorvel_en.pdf"));
    QVERIFY(frame.ExecuteCommand(Id::Help));
    CShellOpenSeam::Install(previous);
    QCOMPARE(m_box.asked.back(), CStringTable::Format(CResourceId::ManualNotOpened, manual));
    QVERIFY(m_box.asked.back().find("PDF") != std::string::npos);
    QCOMPARE(shell.asked, fs::exists(manual) ? std::vector<std::string>{manual}
                                             : std::vector<std::string>{});
}

void VexoViewTest::japaneseLabelsAndDescriptions() {
    CStringTable::SetLanguage(CStringTable::Japanese);
    const QString label = CViewCanvas::ModeLabel(1);
    const CMosaicPropertyExDlg moving(nullptr);
    const QString title = moving.windowTitle();
    const QString picture = moving.PicturePath();
    CViewCanvas canvas;
    canvas.Resize(300, 60);
    CStringTable::SetLanguage(0);
    QCOMPARE(label, QString::fromStdString(CStringTable::Load(2013, CStringTable::Japanese)));
    QVERIFY(label != QString("[ Moving Mosaic Mode ]"));
    QCOMPARE(title, QString::fromUtf8("移動モザイクモード（説明）"));
    QCOMPARE(picture, QString(":/pictures/moving-jp.svg"));
    QVERIFY(QFile::exists(picture));
    // The view's font has the Japanese glyphs itself.
    const QFontMetrics metrics(canvas.Font());
    QVERIFY(metrics.inFont(label.at(label.size() / 2)));
    QCOMPARE(canvas.Font().pixelSize(), 14);
}

QTEST_MAIN(VexoViewTest)
#include "VexoViewTest.moc"

void VexoViewTest::ratePaneCountsThePicturesShown_data() {
    QTest::addColumn<QString>("speed");
    QTest::addColumn<bool>("sound");
    // Pictures shown a second by a 25 fps movie: the timer's pace without sound; with sound
    // the view follows the sound at the movie's pace, so a slow sound repeats pictures and a fast
    // one skips them.
    QTest::addColumn<double>("shown");
    for (const bool sound : {false, true}) {
        for (const auto& [speed, rate] : {std::pair{"0.5", 12.5}, std::pair{"1.0", 25.0},
                                          std::pair{"2.0", sound ? 25.0 : 50.0}}) {
            QTest::addRow("%s%s", speed, sound ? " with sound" : "") << speed << sound << rate;
        }
    }
}

void VexoViewTest::ratePaneCountsThePicturesShown() {
    QFETCH(QString, speed);
    QFETCH(bool, sound);
    QFETCH(double, shown);
    const std::string movie = m_media.filePath("voiced.avi").toStdString();
    if (!std::filesystem::exists(movie)) {
        QVERIFY(CSavedMovie::Generate("-f lavfi -i testsrc2=size=160x120:rate=25 -f lavfi "
                                      "-i sine=duration=12 -t 12 -c:v msmpeg4v2 -c:a pcm_s16le",
                                      movie));
    }
    const std::unique_ptr<CVexoViewerApp> app = startApp();
    QVERIFY(app);
    CMainFrame& frame = *app->GetMainWnd();
    QVERIFY(app->GetFileCommands()->OpenDocumentFile(movie));
    QComboBox* speeds = frame.SliderBar()->SpeedList();
    const int index = speeds->findText(speed);
    QVERIFY(index >= 0);
    speeds->setCurrentIndex(index);
    emit speeds->activated(index);
    QVERIFY(frame.ExecuteCommand(sound ? Id::PlayWithAudio : Id::Play));
    QTest::qWait(1600);
    const QString pane = frame.PaneText(CResourceId::RatePaneWidth);
    frame.StopPlay();
    const double measured = pane.section(' ', 0, 0).toDouble();
    QVERIFY2(pane.endsWith("/ 25.00(fps)"), qPrintable(pane));
    // A busy machine shows fewer pictures than asked, never more.
    QVERIFY2(measured > shown * 0.6 && measured < shown * 1.15, qPrintable(pane));
    frame.movieModified = false;
    frame.close();
    app->ExitInstance();
}
