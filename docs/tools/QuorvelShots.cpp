// Pictures of the program for the manual: the real main window, in one interface language, with
// a generated movie open, grabbed to PNG in each of the three edit modes.
//
//   quorvel-manual-shots PROGRAM_FOLDER OUTPUT_FOLDER en|jp

#include "app/CCommandId.h"
#include "app/ui/CFileCommands.h"
#include "app/ui/CMainFrame.h"
#include "app/ui/CVexoDoc.h"
#include "app/ui/CVexoViewerApp.h"
#include "media/CAviVideoStream.h"
#include "platform/CMessageBoxSeam.h"
#include "view/CFrameStepCommands.h"

#include <QApplication>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>

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

// A detailed picture with sound, so the mosaic shows and play with sound is offered.
std::string MakeMovie(const fs::path& folder) {
    const fs::path movie = folder / "sample.avi";
    const std::string command =
        "ffmpeg -nostdin -hide_banner -loglevel error -y "
        "-f lavfi -i mandelbrot=size=640x360:rate=25 -f lavfi -i sine=frequency=440 "
        "-frames:v 100 -shortest -vcodec msmpeg4v2 -q:v 3 -acodec pcm_s16le '" +
        movie.string() + "'";
    return std::system(command.c_str()) == 0 && fs::exists(movie) ? movie.string() : std::string();
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::processEvents();
    }
}

bool Grab(CMainFrame& frame, const fs::path& file) {
    Settle();
    if (!frame.grab().save(QString::fromStdString(file.string()), "PNG")) {
        std::fprintf(stderr, "could not write %s\n", file.c_str());
        return false;
    }
    return true;
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
        const int x = 110 + f * 3;
        if (f < kGapFirst || f > kGapLast) {
            mosaic.SetTrackRect(0, {x, 150, x + 100, 250}, f);
        }
    }
    for (int f = kUnsureFirst; f <= kUnsureLast; ++f) {
        mosaic.SetTrackUnsure(0, f, true);
    }
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
                    Grab(frame, out / ("preview-" + language + ".png"));
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
