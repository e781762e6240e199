// Pictures of the program for the manual: the real main window, in one interface language, with
// a generated movie open, grabbed to PNG in each of the three edit modes, during a correction of
// one frame, and while and after Track follows the subject.
//
//   quorvel-manual-shots PROGRAM_FOLDER OUTPUT_FOLDER en|jp

#include "app/CCommandId.h"
#include "app/ui/CFileCommands.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CProgressDlg.h"
#include "app/ui/CVexoDoc.h"
#include "app/ui/CVexoViewerApp.h"
#include "media/CAviVideoStream.h"
#include "platform/CMessageBoxSeam.h"
#include "mosaic/CPictureMapping.h"
#include "view/CFrameStepCommands.h"
#include "view/CVexoView.h"

#include <QApplication>
#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace fs = std::filesystem;

namespace {

// A program folder of its own: the real program's files, and a language file that no user's
// Language.md beside the build can override.
std::string MakeProgramFolder(const fs::path& real, const fs::path& folder, bool japanese) {
    fs::create_directories(folder);
    for (const char* name : {"Quorvel", "misc", "profile_x64.ini", "libRX40dApp_x64.so"}) {
        fs::create_symlink(fs::absolute(real / name), folder / name);
    }
    std::ofstream(folder / "Language.md") << (japanese ? "Japanese\n" : "English\n");
    return (folder / "Quorvel").string();
}

// Where the subject is on frame f: it crosses the picture from left to right, and on its way
// passes behind a post that hides it for a few frames.
constexpr int kFrames = 150;
constexpr int kSubjectSize = 100;
constexpr int kSubjectTop = 220;
// The rectangle that hides the subject, with a little to spare as a user would draw it.
T_RECT SubjectRect(int f) {
    const int left = 60 + 3 * f;
    constexpr int spare = 4;
    return {left - spare, kSubjectTop - spare, left + kSubjectSize + spare,
            kSubjectTop + kSubjectSize + spare};
}

// A detailed picture with sound, so the mosaic shows and play with sound is offered, and a
// textured subject for the tracker to follow.
std::string MakeMovie(const fs::path& folder) {
    const fs::path movie = folder / "sample.avi";
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y -f lavfi -i \""
        "mandelbrot=size=640x360:rate=25[bg];testsrc=size=100x100:rate=25[subject];"
        "[bg][subject]overlay=x='60+3*n':y=" + std::to_string(kSubjectTop) + ":eval=frame,"
        "drawbox=x=420:y=0:w=120:h=360:color=0x3c4650:t=fill\" -f lavfi -i sine=frequency=440 "
        "-frames:v " + std::to_string(kFrames) +
        " -shortest -vcodec msmpeg4v2 -q:v 3 -acodec pcm_s16le '" + movie.string() + "'";
    return std::system(command.c_str()) == 0 && fs::exists(movie) ? movie.string() : std::string();
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

bool Save(const QPixmap& picture, const fs::path& file) {
    if (!picture.save(QString::fromStdString(file.string()), "PNG")) {
        std::fprintf(stderr, "could not write %s\n", file.c_str());
        return false;
    }
    return true;
}

bool Grab(CMainFrame& frame, const fs::path& file) {
    Settle();
    return Save(frame.grab(), file);
}

// Offscreen windows have no frame, so a plain one is drawn around window, its title on top.
QPixmap Framed(QWidget& window) {
    const QPixmap inside = window.grab();
    const int bar = QFontMetrics(window.font()).height() + 10;
    QPixmap framed(inside.width() + 2, inside.height() + bar + 1);
    framed.fill(QColor(0x50, 0x5a, 0x64));
    QPainter painter(&framed);
    painter.drawPixmap(1, bar, inside);
    painter.setPen(Qt::white);
    painter.setFont(window.font());
    painter.drawText(QRect(8, 0, framed.width() - 16, bar), Qt::AlignVCenter | Qt::AlignLeft,
                     window.windowTitle());
    return framed;
}

// The main window with the progress window shown over it, where it is, as a screen shows it.
bool GrabWithProgress(CMainFrame& frame, const fs::path& file) {
    QPixmap picture = frame.grab();
    QPainter painter(&picture);
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (dynamic_cast<CProgressDlg*>(window) != nullptr && window->isVisible()) {
            const QPixmap shown = Framed(*window);
            const QPoint at = window->geometry().topLeft() - frame.geometry().topLeft() -
                              QPoint(1, shown.height() - window->height() - 1);
            painter.drawPixmap(std::clamp(at.x(), 0, picture.width() - shown.width()),
                               std::clamp(at.y(), 0, picture.height() - shown.height()), shown);
        }
    }
    painter.end();
    return Save(picture, file);
}

// Offscreen windows have no pointer: one of the shape the view shows is drawn where it is, a
// white double arrow with a black edge for each way it drags.
void DrawPointer(QPixmap& picture, QPoint at, Qt::CursorShape shape) {
    std::vector<double> angles;
    if (shape == Qt::SizeHorCursor || shape == Qt::SizeAllCursor) {
        angles.push_back(0);
    }
    if (shape == Qt::SizeVerCursor || shape == Qt::SizeAllCursor) {
        angles.push_back(90);
    }
    if (shape == Qt::SizeFDiagCursor) {
        angles.push_back(45);
    }
    if (shape == Qt::SizeBDiagCursor) {
        angles.push_back(-45);
    }
    const QPolygonF arrow({{12, 0}, {5, -6}, {5, -2}, {-5, -2}, {-5, -6}, {-12, 0}, {-5, 6},
                           {-5, 2}, {5, 2}, {5, 6}});
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(Qt::black, 1.2));
    painter.setBrush(Qt::white);
    for (const double angle : angles) {
        painter.save();
        painter.translate(at);
        painter.rotate(angle);
        painter.drawPolygon(arrow);
        painter.restore();
    }
}

// Two fixed areas and one track that moves from left to right over the whole movie, with a
// gap and a stretch a tracker was unsure of, for the coverage strip to show.
constexpr int kGapFirst = 70;
constexpr int kGapLast = 77;
constexpr int kUnsureFirst = 20;
constexpr int kUnsureLast = 27;

void AddRegions(CMosaicParam& mosaic, int frames) {
    mosaic.AddFixedArea({380, 20, 500, 110});
    mosaic.AddFixedArea({420, 230, 540, 330});
    for (int f = 0; f < frames; ++f) {
        if (f < kGapFirst || f > kGapLast) {
            mosaic.SetTrackRect(0, SubjectRect(f), f);
        }
    }
    for (int f = kUnsureFirst; f <= kUnsureLast; ++f) {
        mosaic.SetTrackUnsure(0, f, true);
    }
}

void Mouse(QWidget& view, QEvent::Type type, QPoint at, Qt::MouseButtons held) {
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, at, view.mapToGlobal(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(&view, &event);
}

// On one frame the track sits too small on the subject: its bottom right corner is dragged out
// onto the subject's, and grabbed with the pointer while the button is still held.
constexpr int kEditFrame = 50;

bool ShootFrameEdit(CVexoViewerApp& app, const fs::path& file) {
    CMainFrame& frame = *app.GetMainWnd();
    CAviVideoStream& stream = *app.GetDocument()->GetStream();
    CVexoView& view = *app.GetView();
    const T_RECT subject = SubjectRect(kEditFrame);
    const T_RECT before{subject.left, subject.top, subject.right - 30, subject.bottom - 34};
    stream.m_mosaic.SetTrackRect(0, before, kEditFrame);
    app.GetFrameSteps()->ShowFrame(kEditFrame);
    if (!frame.ExecuteCommand(CCommandId::MovingMode)) {
        return false;
    }
    Settle();
    const CPictureMapping mapping(view.PictureRect(), static_cast<int>(stream.m_nWidth),
                                  static_cast<int>(stream.m_nHeight));
    const T_RECT from = mapping.ToWindow(before);
    const T_RECT to = mapping.ToWindow(subject);
    const QPoint grip(from.right - 1, from.bottom - 1);
    const QPoint drop(to.right, to.bottom);
    Mouse(view, QEvent::MouseMove, grip, Qt::NoButton);
    Mouse(view, QEvent::MouseButtonPress, grip, Qt::LeftButton);
    Mouse(view, QEvent::MouseMove, drop, Qt::LeftButton);
    Settle();
    QPixmap picture = frame.grab();
    const Qt::CursorShape pointer = view.cursor().shape();
    DrawPointer(picture, view.mapTo(&frame, drop), pointer);
    Mouse(view, QEvent::MouseButtonRelease, drop, Qt::NoButton);
    if (pointer != Qt::SizeFDiagCursor || stream.m_mosaic.GetTrackRect(0, kEditFrame) == before) {
        std::fprintf(stderr, "the drag did not take hold of the corner\n");
        return false;
    }
    return Save(picture, file);
}

// Track from the subject's place on one frame: grabbed while it runs, with the progress window,
// once the view has followed a stretch; and after it stopped behind the post.
constexpr int kTrackFrom = 40;
constexpr int kTrackShown = 70;

bool ShootTracking(CVexoViewerApp& app, const fs::path& running, const fs::path& stopped) {
    CMainFrame& frame = *app.GetMainWnd();
    CAviVideoStream& stream = *app.GetDocument()->GetStream();
    stream.m_mosaic.RemoveAllTracks();
    stream.m_mosaic.SetTrackRect(0, SubjectRect(kTrackFrom), kTrackFrom);
    frame.RefreshCoverage();
    app.GetFrameSteps()->ShowFrame(kTrackFrom);
    bool grabbed = false;
    bool saved = false;
    QTimer watch;
    QObject::connect(&watch, &QTimer::timeout, [&] {
        if (!grabbed && stream.m_nCurrentFrame >= kTrackShown) {
            grabbed = true;
            saved = GrabWithProgress(frame, running);
        }
    });
    watch.start(5);
    const bool tracked = frame.ExecuteCommand(CCommandId::Track);
    watch.stop();
    if (!grabbed) {
        std::fprintf(stderr, "the run ended before frame %d was shown\n", kTrackShown);
        return false;
    }
    if (stream.m_nCurrentFrame >= stream.m_nLastFrame) {
        std::fprintf(stderr, "the tracker did not lose the subject behind the post\n");
        return false;
    }
    // Wide enough for the status bar to tell the whole reason.
    frame.resize(1200, 740);
    return tracked && saved && Grab(frame, stopped);
}

bool TakeShots(const std::string& module, const std::string& movie, const fs::path& out,
               const std::string& language) {
    CVexoViewerApp app(module);
    if (!app.InitInstance({})) {
        return false;
    }
    // No message box may wait for a user: messages go to stderr.
    CMessageBoxSeam::Install(nullptr);
    app.m_pSettings->SizeID = 1;
    CMainFrame& frame = *app.GetMainWnd();
    frame.resize(960, 660);
    if (!app.GetFileCommands()->OpenDocumentFile(movie)) {
        std::fprintf(stderr, "the sample movie did not open\n");
        return false;
    }
    Settle();
    CAviVideoStream* stream = app.GetDocument()->GetStream();
    AddRegions(stream->m_mosaic, static_cast<int>(stream->m_nLastFrame) + 1);
    frame.RefreshCoverage();
    app.GetFrameSteps()->ShowFrame(40);
    const bool ok = frame.ExecuteCommand(CCommandId::FixedMode) &&
                    Grab(frame, out / ("fixed-" + language + ".png")) &&
                    frame.ExecuteCommand(CCommandId::MovingMode) &&
                    Grab(frame, out / ("moving-" + language + ".png")) &&
                    frame.ExecuteCommand(CCommandId::PreviewMode) &&
                    Grab(frame, out / ("preview-" + language + ".png")) &&
                    ShootFrameEdit(app, out / ("frame-edit-" + language + ".png")) &&
                    ShootTracking(app, out / ("tracking-" + language + ".png"),
                                  out / ("tracked-" + language + ".png"));
    // Leaving without a question about the unsaved regions.
    frame.movieModified = frame.progressModified = false;
    app.ExitInstance();
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::string(argv[3]) != "en" && std::string(argv[3]) != "jp")) {
        std::fprintf(stderr, "usage: %s PROGRAM_FOLDER OUTPUT_FOLDER en|jp\n", argv[0]);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("SDL_AUDIODRIVER", "dummy");
    const std::string language = argv[3];
    QTemporaryDir work;
    qputenv("XDG_CONFIG_HOME", work.filePath("config").toUtf8());
    QApplication application(argc, argv);
    const fs::path root = work.path().toStdString();
    const std::string module = MakeProgramFolder(argv[1], root / "program", language == "jp");
    const std::string movie = MakeMovie(root);
    if (movie.empty()) {
        std::fprintf(stderr, "ffmpeg could not make the sample movie\n");
        return 1;
    }
    fs::create_directories(argv[2]);
    return TakeShots(module, movie, argv[2], language) ? 0 : 1;
}
