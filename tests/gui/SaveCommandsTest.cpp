#include "app/CCommandId.h"
#include "app/CCommandTable.h"
#include "app/CInifileManager.h"
#include "app/ui/CFileCommands.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CProgressDlg.h"
#include "app/ui/CSliderDlgBar.h"
#include "app/ui/CVexoDoc.h"
#include "app/ui/CVexoViewerApp.h"
#include "media/CAviVideoStream.h"
#include "media/CFormatIniFile.h"
#include "view/CVexoView.h"
#include "platform/CFileDialogSeam.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CTextFile.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"
#include "tests/support/CRecordingMessageBox.h"
#include "tests/support/CSavedMovie.h"
#include "tests/support/CShellRecorder.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <QStatusBar>
#include <QToolButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <optional>
#include <set>

using Id = CCommandId;
namespace fs = std::filesystem;

namespace {

constexpr const char* kUsersFile = "the user's file";
constexpr int kExportCaption = 2025;

// Answers every file dialog with the scripted name and filter and remembers what was asked.
class CScriptedSaveDialog : public IFileDialog {
public:
    Answer Show(const Request& request) override {
        asked.push_back(request);
        return Answer{true, path, filterIndex};
    }
    std::string path;
    int filterIndex = 1;
    std::vector<Request> asked;
};

// Looks at the progress window on every turn of the event loop while a command runs: whether
// it was up with the main window disabled and offered Cancel, and presses Cancel in the step
// whose caption starts with cancelAt: early in the export, or while a converter runs (its bar
// has no end). The window keeps the last caption until the next step sets its own.
class CProgressWatch : public QObject {
public:
    enum class Step { None, Export, Converter };

    CProgressWatch(CMainFrame& frame, CProgressDlg& progress, Step step = Step::None,
                   std::string cancelAt = {})
        : m_frame(frame), m_progress(progress), m_step(step), m_cancelAt(std::move(cancelAt)) {
        connect(&m_timer, &QTimer::timeout, this, [this] { Look(); });
        m_timer.start(0);
    }

    bool shownOverDisabledWindow = false;
    bool shownOverEnabledWindow = false;
    bool cancelOffered = false;
    // The export showed its percentage.
    bool percentShown = false;
    std::set<std::string> captions;
    bool cancelled = false;

private:
    void Look() {
        if (!m_progress.isVisible()) {
            return;
        }
        (m_frame.isEnabled() ? shownOverEnabledWindow : shownOverDisabledWindow) = true;
        cancelOffered = cancelOffered || m_progress.CancelButton()->isVisible();
        const std::string caption = m_progress.windowTitle().toStdString();
        captions.insert(caption);
        percentShown = percentShown || (caption == CStringTable::Load(kExportCaption) &&
                                        m_progress.PercentLabel()->isVisible());
        if (!cancelled && InStep(caption) && m_progress.CancelButton()->isVisible()) {
            QTest::mouseClick(m_progress.CancelButton(), Qt::LeftButton);
            cancelled = true;
        }
    }

    bool InStep(const std::string& caption) const {
        const QProgressBar& bar = *m_progress.ProgressBar();
        const bool marquee = bar.maximum() == bar.minimum();
        return caption.rfind(m_cancelAt, 0) == 0 &&
               ((m_step == Step::Export && !marquee && bar.value() * 2 <= bar.maximum()) ||
                (m_step == Step::Converter && marquee));
    }

    CMainFrame& m_frame;
    CProgressDlg& m_progress;
    Step m_step;
    std::string m_cancelAt;
    QTimer m_timer;
};

std::string ReadAll(const std::string& path) {
    return CTextFile::Read(path).value_or("");
}

// Texts as Qt's, which the test's messages print.
QString Text(const std::string& text) {
    return QString::fromStdString(text);
}

// The program's one question before a save replaces path.
QString ReplaceQuestion(const std::string& path) {
    return Text(CStringTable::Format(CResourceId::ReplaceQuestion, path));
}

QStringList Texts(const std::vector<std::string>& texts) {
    QStringList list;
    for (const std::string& text : texts) {
        list << Text(text);
    }
    return list;
}

} // namespace

// Save, Saved as a bitmap and Play a saved movie in the real application on the offscreen
// platform: the file dialog answered through its seam, the saved files read back with the
// FFmpeg tool and held against what the view showed.
class SaveCommandsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();
    void savesTheMovieInEveryFormatAsItWasPreviewed();
    void savesAPictureInTheChosenImageFormat();
    void aFailedConversionKeepsTheTargetAndSaysWhy();
    void aMissingConverterKeepsTheTargetAndSaysWhy();
    void cancelKeepsTheTargetInEveryStep();
    void nothingElseStartsWhileASaveRuns();
    void closingDuringASaveAsksThenCancelsAndQuits();
    void savingOntoTheOpenedFilesChangesNothing();
    void gapsInTracksAreToldBeforeASave();
    void savedAsABitmapWritesTheShownPicture();

private:
    // Starts the program from programDir and opens source with the test's mosaic in fixed
    // mosaic mode; false when that failed.
    bool open(const std::string& source, const std::string& programDir = QUORVEL_BIN_DIR);
    // What the view shows on every frame, the mosaic painted.
    std::vector<CFrameBuffer> previews() const;
    // Runs Save with target and filterIndex as the dialog's answer.
    bool save(const std::string& target, int filterIndex);
    std::string media(const std::string& name) const {
        return m_media.filePath(QString::fromStdString(name)).toStdString();
    }
    // The files in the media folder besides the sources, sorted.
    QStringList extraFiles() const;

    CMainFrame& frame() const { return *m_app->GetMainWnd(); }
    CVexoDoc& document() const { return *m_app->GetDocument(); }
    CAviVideoStream& stream() const { return *frame().ActiveStream(); }
    CInifileManager& settings() const { return *m_app->m_pSettings; }

    QTemporaryDir m_media;
    std::set<std::string> m_sources;
    std::unique_ptr<QTemporaryDir> m_config;
    std::unique_ptr<CVexoViewerApp> m_app;
    // Yes to the program's question before a file is replaced; the other boxes only inform.
    CRecordingMessageBox m_box{QV_IDYES};
    CScriptedSaveDialog m_dialog;
    // Installed over the program's own opener once it runs.
    std::optional<CShellRecorder> m_shell;
};

void SaveCommandsTest::initTestCase() {
    CStringTable::SetLanguage(CStringTable::English);
    // A B-frame movie with sound whose conversion delays pictures; a silent AVI the program
    // opens without the converter; a photo.
    QVERIFY(CSavedMovie::Generate(
        "-f lavfi -i testsrc2=size=160x120:rate=25,trim=end_frame=50 -f lavfi -i sine=duration=2 "
        "-c:v libx264 -bf 2 -pix_fmt yuv420p -c:a aac",
        media("clip.mp4")));
    QVERIFY(CSavedMovie::Generate(
        "-f lavfi -i testsrc2=size=160x120:rate=25,trim=end_frame=25 -c:v msmpeg4v2",
        media("silent.avi")));
    QVERIFY(CSavedMovie::Generate("-f lavfi -i testsrc2=size=160x120 -frames:v 1 -q:v 2",
                                  media("photo.jpg")));
    m_sources = {"clip.mp4", "silent.avi", "photo.jpg"};
}

void SaveCommandsTest::init() {
    m_config = std::make_unique<QTemporaryDir>();
    qputenv("XDG_CONFIG_HOME", m_config->path().toUtf8());
    qputenv("LANG", "C.UTF-8");
    m_box.texts.clear();
    m_dialog.asked.clear();
}

void SaveCommandsTest::cleanup() {
    m_shell.reset();
    if (m_app) {
        frame().movieModified = false;
        frame().close();
        m_app->ExitInstance();
        m_app.reset();
    }
    CMessageBoxSeam::Install(nullptr);
    CFileDialogSeam::Install(nullptr);
    qunsetenv("QUORVEL_FFMPEG");
    for (const QString& name : extraFiles()) {
        fs::remove(media(name.toStdString()));
    }
    m_config.reset();
}

bool SaveCommandsTest::open(const std::string& source, const std::string& programDir) {
    m_app = std::make_unique<CVexoViewerApp>(programDir + "/Quorvel");
    if (!m_app->InitInstance({})) {
        return false;
    }
    CMessageBoxSeam::Install(&m_box);
    CFileDialogSeam::Install(&m_dialog);
    m_shell.emplace();
    if (!m_app->GetFileCommands()->OpenDocumentFile(source) ||
        !QTest::qWaitFor([this] { return frame().editMode == 0; })) {
        return false;
    }
    CSavedMovie::Paint(stream().m_mosaic, settings().SizeID, stream().m_nLastFrame);
    frame().SetModified();
    return true;
}

std::vector<CFrameBuffer> SaveCommandsTest::previews() const {
    std::vector<CFrameBuffer> shown;
    for (std::int64_t n = 0; n <= stream().m_nLastFrame; ++n) {
        if (stream().GetFrame(n, false) == 1) {
            shown.push_back(stream().Frame());
        }
    }
    return shown;
}

bool SaveCommandsTest::save(const std::string& target, int filterIndex) {
    m_dialog.path = target;
    m_dialog.filterIndex = filterIndex;
    return frame().ExecuteCommand(Id::Save);
}

QStringList SaveCommandsTest::extraFiles() const {
    QStringList names;
    for (const auto& entry : fs::directory_iterator(m_media.path().toStdString())) {
        const std::string name = entry.path().filename().string();
        if (!m_sources.contains(name)) {
            names << Text(name);
        }
    }
    names.sort();
    return names;
}

void SaveCommandsTest::savesTheMovieInEveryFormatAsItWasPreviewed() {
    QVERIFY(open(media("clip.mp4")));
    QVERIFY(!frame().CommandStatus(Id::PlaySavedMovie).enabled);
    const std::vector<CFrameBuffer> shown = previews();
    QCOMPARE(shown.size(), std::size_t{50});
    const std::string filter = CFormatIniFile(QUORVEL_BIN_DIR, false).GetFilterString();
    settings().FilterIndex = 3;
    settings().ImageFilterIndex = 2;

    // The profile file's filters: 1 AVI, 2 MP4, 4 Matroska. The view shows the source itself;
    // the saved movie is encoded once, by the AVI encoder (whose finest step leaves about 34 dB
    // on this detailed little picture) or by the profile's own codec.
    const struct {
        const char* name;
        int filterIndex;
        double minPsnr;
    } targets[] = {{"out.avi", 1, 33.0}, {"out.mp4", 2, 38.0}, {"out.mkv", 4, 38.0}};
    int preselected = 3;
    for (const auto& target : targets) {
        frame().SetModified();
        frame().ExecuteCommand(Id::FixedMode);
        stream().m_nCurrentFrame = 17;
        const CProgressWatch watch(frame(), document().Progress());
        QVERIFY(save(media(target.name), target.filterIndex));

        const IFileDialog::Request& asked = m_dialog.asked.back();
        QVERIFY(asked.kind == IFileDialog::Kind::Save);
        QCOMPARE(asked.filter, filter);
        QCOMPARE(asked.filterIndex, preselected);
        QCOMPARE(asked.defaultExtension, std::string("avi"));
        QCOMPARE(Text(asked.initialPath), m_media.path());
        QCOMPARE(asked.suggestedStem, std::string("clip_mosaic"));
        QCOMPARE(asked.hiddenFiles, std::string("*.$tmp$.*"));
        preselected = target.filterIndex;
        QCOMPARE(settings().FilterIndex, target.filterIndex);
        QCOMPARE(settings().ImageFilterIndex, 2);

        QCOMPARE(Texts(m_box.texts), QStringList());
        QVERIFY(!frame().movieModified);
        QVERIFY(frame().progressModified);
        QCOMPARE(frame().editMode, 2);
        QCOMPARE(stream().m_nCurrentFrame, std::int64_t{0});
        QCOMPARE(frame().SliderBar()->FrameSlider()->value(), 0);
        QVERIFY(watch.shownOverDisabledWindow);
        QVERIFY(!watch.shownOverEnabledWindow);
        QVERIFY(watch.cancelOffered);
        QVERIFY(watch.captions.contains(CStringTable::Load(kExportCaption)));
        QVERIFY(watch.percentShown);
        QVERIFY(frame().isEnabled());
        QVERIFY(!document().Progress().isVisible());

        const std::string path = media(target.name);
        QCOMPARE(
            Text(CSavedMovie::Unlike(CSavedMovie::Pictures(path), shown, true, target.minPsnr)),
            QString());
        QVERIFY2(CSavedMovie::HasSound(path), target.name);
        QVERIFY2(std::abs(CSavedMovie::Duration(path) - 2.0) < 0.1, target.name);
        QCOMPARE(document().m_strSavedPath, path);
        // The status bar tells where it went and offers to play it.
        QCOMPARE(frame().statusBar()->currentMessage(),
                 Text(CStringTable::Format(CResourceId::MovieSavedMessage, path)));
        QVERIFY(frame().PlaySavedButton()->isVisibleTo(&frame()));
    }
    QCOMPARE(extraFiles(),
             (QStringList{"clip.$tmp$.lock", "out.avi", "out.mkv", "out.mp4"}));

    QVERIFY(frame().ExecuteCommand(Id::PlaySavedMovie));
    QCOMPARE(Texts(m_shell->Opened), QStringList{Text(media("out.mkv"))});
    QCOMPARE(Texts(m_box.texts), QStringList());
    // Nothing on the desktop plays it: the user is told which file.
    m_shell->opens = false;
    QVERIFY(frame().ExecuteCommand(Id::PlaySavedMovie));
    QCOMPARE(Texts(m_box.texts),
             QStringList{Text(CStringTable::Format(CResourceId::SavedMovieNotPlayed, media("out.mkv")))});
    m_box.texts.clear();
    // The next save starts where the last one went.
    fs::create_directories(media("elsewhere"));
    QVERIFY(save(media("elsewhere/again.avi"), 1));
    QVERIFY(save(media("elsewhere/again.avi"), 1));
    QCOMPARE(Text(m_dialog.asked.back().initialPath), Text(media("elsewhere")));
    QCOMPARE(Texts(m_box.texts), QStringList{ReplaceQuestion(media("elsewhere/again.avi"))});
    m_box.texts.clear();
    fs::remove_all(media("elsewhere"));
    // Another movie has no saved file of its own.
    QVERIFY(m_app->GetFileCommands()->OpenDocumentFile(media("silent.avi")));
    QVERIFY(!frame().CommandStatus(Id::PlaySavedMovie).enabled);
    QVERIFY(frame().CommandStatus(Id::Save).enabled);
    QVERIFY(frame().CommandStatus(Id::SaveBitmap).enabled);
    frame().movieModified = false;
    QVERIFY(frame().ExecuteCommand(Id::Close));
    QVERIFY(!frame().CommandStatus(Id::Save).enabled);
    QVERIFY(!frame().CommandStatus(Id::SaveBitmap).enabled);
    QVERIFY(!frame().ExecuteCommand(Id::Save));
}

void SaveCommandsTest::savesAPictureInTheChosenImageFormat() {
    QVERIFY(open(media("photo.jpg")));
    const std::vector<CFrameBuffer> shown = previews();
    QCOMPARE(shown.size(), std::size_t{1});
    QVERIFY(!frame().CommandStatus(Id::SaveBitmap).enabled);
    settings().FilterIndex = 4;
    settings().ImageFilterIndex = 1;

    QVERIFY(save(media("photo.png"), 3));
    QCOMPARE(m_dialog.asked.back().filter, CFormatIniFile(QUORVEL_BIN_DIR, true).GetFilterString());
    QCOMPARE(m_dialog.asked.back().filterIndex, 1);
    QCOMPARE(settings().ImageFilterIndex, 3);
    QCOMPARE(settings().FilterIndex, 4);
    QCOMPARE(Texts(m_box.texts), QStringList());
    QVERIFY(!frame().movieModified);
    QCOMPARE(frame().editMode, 2);
    QCOMPARE(Text(CSavedMovie::Unlike(CSavedMovie::Pictures(media("photo.png")), shown, false)),
             QString());
    QCOMPARE(extraFiles(), (QStringList{"photo.$tmp$.bmp", "photo.$tmp$.lock", "photo.png"}));
    QVERIFY(!frame().CommandStatus(Id::PlaySavedMovie).enabled);
}

// A profile tool that fails at once: its own words reach the user.
void SaveCommandsTest::aFailedConversionKeepsTheTargetAndSaysWhy() {
    QVERIFY(open(media("clip.mp4")));
    const std::string tool = media("failing-tool");
    std::ofstream(tool)
        << "#!/bin/sh\necho 'Conversion failed: no room for the test' >&2\nexit 1\n";
    fs::permissions(tool, fs::perms::owner_all);
    qputenv("QUORVEL_FFMPEG", QByteArray::fromStdString(tool));
    std::ofstream(media("out.mp4")) << kUsersFile;

    QVERIFY(save(media("out.mp4"), 2));
    QCOMPARE(m_box.texts.size(), std::size_t{2});
    QCOMPARE(Text(m_box.texts[0]), ReplaceQuestion(media("out.mp4")));
    QCOMPARE(m_box.texts[1].substr(0, 14), std::string("Export error!!"));
    QVERIFY2(m_box.texts[1].find("Conversion failed: no room for the test") != std::string::npos,
             m_box.texts[1].c_str());
    QCOMPARE(Text(ReadAll(media("out.mp4"))), QString(kUsersFile));
    QVERIFY(frame().movieModified);
    QVERIFY(!frame().CommandStatus(Id::PlaySavedMovie).enabled);
    // The failing tool made no working video either.
    QCOMPARE(extraFiles(), (QStringList{"clip.$tmp$.lock", "failing-tool", "out.mp4"}));
}

// A program folder without its converter: the silent AVI opens without one, the conversion to
// the target's format needs it.
void SaveCommandsTest::aMissingConverterKeepsTheTargetAndSaysWhy() {
    QTemporaryDir program;
    for (const char* file : {"Quorvel", "profile_x64.ini"}) {
        fs::create_symlink(fs::path(QUORVEL_BIN_DIR) / file,
                           fs::path(program.path().toStdString()) / file);
    }
    QVERIFY(open(media("silent.avi"), program.path().toStdString()));
    std::ofstream(media("out.mkv")) << kUsersFile;

    QVERIFY(save(media("out.mkv"), 4));
    QCOMPARE(Texts(m_box.texts),
             (QStringList{ReplaceQuestion(media("out.mkv")),
                          Text("Export error!!\n\nThe converter could not be found:\n" +
                               program.path().toStdString() + "/misc/ffmpeg")}));
    QCOMPARE(Text(ReadAll(media("out.mkv"))), QString(kUsersFile));
    QVERIFY(frame().movieModified);
    QCOMPARE(extraFiles(), (QStringList{"out.mkv", "silent.$tmp$.lock"}));
}

// Cancel while the profile's tool encodes, and in the join of an AVI's sound: the old target
// stays, every file of the save goes and the movie stays unsaved; nothing is reported.
void SaveCommandsTest::cancelKeepsTheTargetInEveryStep() {
    QVERIFY(open(media("clip.mp4")));
    using Step = CProgressWatch::Step;
    const struct {
        Step step;
        int caption;
        const char* target;
        int filterIndex;
    } cancels[] = {{Step::Export, kExportCaption, "out.mp4", 2},
                   {Step::Converter, 2024, "out.avi", 1}};
    for (const auto& cancel : cancels) {
        const std::string caption = CStringTable::Load(cancel.caption);
        const std::string target = media(cancel.target);
        std::ofstream(target) << kUsersFile;
        stream().m_nCurrentFrame = 9;
        frame().ExecuteCommand(Id::FixedMode);
        const CProgressWatch watch(frame(), document().Progress(), cancel.step, caption);
        m_box.texts.clear();
        QVERIFY(save(target, cancel.filterIndex));
        QVERIFY2(watch.cancelled, caption.c_str());
        QCOMPARE(Texts(m_box.texts), QStringList{ReplaceQuestion(target)});
        QCOMPARE(Text(ReadAll(target)), QString(kUsersFile));
        QVERIFY(frame().movieModified);
        QCOMPARE(frame().editMode, 2);
        QCOMPARE(stream().m_nCurrentFrame, std::int64_t{0});
        QVERIFY(frame().isEnabled());
        fs::remove(target);
        QCOMPARE(extraFiles(), (QStringList{"clip.$tmp$.lock"}));
    }
    QVERIFY(!frame().CommandStatus(Id::PlaySavedMovie).enabled);
}

// While the export pumps events a posted command, a drop and a signal's close all find the
// program busy: every command is disabled, the drop opens nothing and the close asks first.
void SaveCommandsTest::nothingElseStartsWhileASaveRuns() {
    QVERIFY(open(media("clip.mp4")));
    CRecordingMessageBox no(QV_IDNO);
    int looks = 0;
    int enabledCommands = 0;
    QTimer during;
    connect(&during, &QTimer::timeout, this, [&] {
        if (!document().Progress().isVisible() || looks++ > 0) {
            return;
        }
        for (const CCommandTable::Row& row : CCommandTable::Rows()) {
            enabledCommands += frame().CommandStatus(row.id).enabled;
        }
        frame().PostCommand(Id::Save);
        frame().PostCommand(Id::Close);
        m_app->GetView()->OnDropFiles({media("silent.avi")});
        CMessageBoxSeam::Install(&no);
        frame().close();
        CMessageBoxSeam::Install(&m_box);
    });
    during.start(0);
    QVERIFY(save(media("out.avi"), 1));
    during.stop();
    QTest::qWait(50);
    QVERIFY(looks > 0);
    QCOMPARE(enabledCommands, 0);
    QCOMPARE(no.texts, std::vector<std::string>{CStringTable::Load(CResourceId::QuitWhileBusyQuestion)});
    QCOMPARE(m_dialog.asked.size(), std::size_t{1});
    QCOMPARE(document().GetPathName(), media("clip.mp4"));
    QVERIFY(frame().isVisible());
    QVERIFY(!frame().IsBusy());
    QVERIFY(frame().CommandStatus(Id::Save).enabled);
    QVERIFY(CSavedMovie::HasSound(media("out.avi")));
}

// Yes to the question cancels the save; the window closes once the save has unwound and the
// old target is whole.
void SaveCommandsTest::closingDuringASaveAsksThenCancelsAndQuits() {
    QVERIFY(open(media("clip.mp4")));
    std::ofstream(media("out.mp4")) << kUsersFile;
    CRecordingMessageBox yes(QV_IDYES);
    bool asked = false;
    QTimer during;
    connect(&during, &QTimer::timeout, this, [&] {
        if (!asked && document().Progress().isVisible()) {
            asked = true;
            CMessageBoxSeam::Install(&yes);
            frame().close();
            CMessageBoxSeam::Install(&m_box);
        }
    });
    during.start(0);
    QVERIFY(save(media("out.mp4"), 2));
    during.stop();
    QVERIFY(asked);
    QCOMPARE(yes.texts.size(), std::size_t{1});
    QVERIFY(QTest::qWaitFor([this] { return !frame().isVisible(); }));
    QCOMPARE(Texts(m_box.texts), QStringList{ReplaceQuestion(media("out.mp4"))});
    QCOMPARE(Text(ReadAll(media("out.mp4"))), QString(kUsersFile));
    // Cancelled while the working video was made for the export: none was kept.
    QCOMPARE(extraFiles(), (QStringList{"clip.$tmp$.lock", "out.mp4"}));
}

// Frames of a track without a rectangle are counted and told before the target is asked for:
// Yes goes to the first of them to mend it, No saves all the same, Cancel saves nothing.
void SaveCommandsTest::gapsInTracksAreToldBeforeASave() {
    QVERIFY(open(media("silent.avi")));
    stream().m_mosaic.SetTrackRect(0, T_RECT{}, 5);
    stream().m_mosaic.SetTrackRect(0, T_RECT{}, 6);
    stream().m_nCurrentFrame = 12;
    const QString question = Text(CStringTable::Format(CResourceId::GapsBeforeSaveQuestion, "2"));
    const auto answering = [this, &question](int answer, const std::string& target) {
        CRecordingMessageBox box(answer);
        CMessageBoxSeam::Install(&box);
        m_dialog.asked.clear();
        const bool ran = save(target, 1);
        CMessageBoxSeam::Install(&m_box);
        return ran && !box.texts.empty() && Text(box.texts.front()) == question
                   ? Texts(box.texts).mid(1)
                   : QStringList{"not asked"};
    };
    QCOMPARE(answering(QV_IDCANCEL, media("target.avi")), QStringList{});
    QVERIFY(m_dialog.asked.empty());
    QCOMPARE(stream().m_nCurrentFrame, std::int64_t{12});
    QCOMPARE(frame().editMode, 0);

    QCOMPARE(answering(QV_IDYES, media("target.avi")), QStringList{});
    QVERIFY(m_dialog.asked.empty());
    QCOMPARE(stream().m_nCurrentFrame, std::int64_t{5});
    QCOMPARE(frame().editMode, 1);

    // Saving all the same asks for the target: here the opened file, which is refused.
    QCOMPARE(answering(QV_IDNO, media("silent.avi")), QStringList{Text(CStringTable::Load(2021))});
    QCOMPARE(m_dialog.asked.size(), std::size_t{1});
    QVERIFY(!fs::exists(media("target.avi")));
}

void SaveCommandsTest::savingOntoTheOpenedFilesChangesNothing() {
    QVERIFY(open(media("silent.avi")));
    const std::string before = ReadAll(media("silent.avi"));
    stream().m_nCurrentFrame = 5;
    settings().FilterIndex = 2;
    for (const std::string& target : {media("silent.avi"), media("SILENT.AVI")}) {
        m_box.texts.clear();
        QVERIFY(save(target, 1));
        QCOMPARE(Texts(m_box.texts), QStringList{Text(CStringTable::Load(2021))});
    }
    QCOMPARE(ReadAll(media("silent.avi")), before);
    QCOMPARE(stream().m_nCurrentFrame, std::int64_t{5});
    QCOMPARE(frame().editMode, 0);
    QVERIFY(frame().movieModified);
    QCOMPARE(settings().FilterIndex, 2);
    QCOMPARE(extraFiles(), QStringList{"silent.$tmp$.lock"});
    QVERIFY(!frame().CommandStatus(Id::PlaySavedMovie).enabled);
}

void SaveCommandsTest::savedAsABitmapWritesTheShownPicture() {
    QVERIFY(open(media("clip.mp4")));
    const std::vector<CFrameBuffer> shown = previews();
    stream().m_nCurrentFrame = 7;
    settings().FilterIndex = 2;
    m_dialog.path = media("frame.bmp");
    QVERIFY(frame().ExecuteCommand(Id::SaveBitmap));
    const IFileDialog::Request& asked = m_dialog.asked.back();
    QCOMPARE(asked.filter, std::string("Bitmap file(*.bmp)|*.bmp||"));
    QCOMPARE(asked.defaultExtension, std::string("bmp"));
    QCOMPARE(Text(asked.initialPath), m_media.path());
    const std::vector<CSavedMovie::Picture> pictures = CSavedMovie::Pictures(media("frame.bmp"));
    QCOMPARE(pictures.size(), std::size_t{1});
    QCOMPARE(CSavedMovie::Psnr(pictures[0], shown[7]), 99.0);
    QCOMPARE(Texts(m_box.texts), QStringList());
    QVERIFY(frame().movieModified);
    QCOMPARE(frame().editMode, 0);
    QCOMPARE(settings().FilterIndex, 2);

    // Never over the opened movie; a folder that cannot be written is reported.
    const std::string source = ReadAll(media("clip.mp4"));
    m_dialog.path = media("clip.mp4");
    QVERIFY(frame().ExecuteCommand(Id::SaveBitmap));
    m_dialog.path = media("no-such-folder/frame.bmp");
    QVERIFY(frame().ExecuteCommand(Id::SaveBitmap));
    QCOMPARE(Texts(m_box.texts),
             (QStringList{Text(CStringTable::Load(2021)), Text(CStringTable::Load(2076))}));
    QCOMPARE(ReadAll(media("clip.mp4")), source);
}

QTEST_MAIN(SaveCommandsTest)
#include "SaveCommandsTest.moc"
