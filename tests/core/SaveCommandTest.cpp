#include "ConverterFixture.h"
#include "tests/support/CSavedMovie.h"

#include "media/CAviVideoStream.h"
#include "media/CFFMpegUtil.h"
#include "media/COpenPipeline.h"

#include "mosaic/CMosaicParam.h"

#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <thread>

extern char** environ;

namespace fs = std::filesystem;

namespace {

constexpr const char* kMovieWithSound =
    "-f lavfi -i testsrc2=size=160x120:rate=25,trim=end_frame=50 -f lavfi -i sine=duration=2 "
    "-c:v libx264 -bf 2 -pix_fmt yuv420p -c:a aac";

// quorvel-render --save, run as a user runs it, with the media in a folder of their own.
class SaveCommandTest : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        CStringTable::SetLanguage(CStringTable::English);
        fs::create_directories(m_dir / "media");
    }

    std::string Command(const std::string& args, const std::string& programDir) const {
        return "LC_ALL=C XDG_CONFIG_HOME='" + Path("config") + "' exec '" + programDir +
               "/quorvel-render' --save " + args + " 2> '" + Path("stderr.txt") + "'";
    }

    int Render(const std::string& args, const std::string& programDir = QUORVEL_BIN_DIR) {
        const int status = std::system(Command(args, programDir).c_str());
        m_err = ReadAll(Path("stderr.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    // Runs the renderer and interrupts it as Ctrl+C does once its stderr shows marker.
    int RenderInterrupted(const std::string& args, const std::string& marker) {
        const std::string command = Command(args, QUORVEL_BIN_DIR);
        const char* argv[] = {"/bin/sh", "-c", command.c_str(), nullptr};
        pid_t pid = -1;
        if (posix_spawn(&pid, "/bin/sh", nullptr, nullptr, const_cast<char**>(argv), environ) !=
            0) {
            return -1;
        }
        int status = 0;
        while (waitpid(pid, &status, WNOHANG) == 0) {
            if (ReadAll(Path("stderr.txt")).find(marker) != std::string::npos) {
                kill(pid, SIGINT);
                waitpid(pid, &status, 0);
                break;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        m_err = ReadAll(Path("stderr.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string Media(const std::string& name) const { return Path("media/" + name); }

    // Opens source as the program does, in place where it can, gives it the test's mosaic in its progress files and
    // returns what the view shows on every frame; the working files go with the stream.
    std::vector<CFrameBuffer> Previews(const std::string& source) {
        CFFMpegUtil converter(QUORVEL_BIN_DIR, Path("config"), m_progress,
                              &ConverterFixture::EnglishText);
        COpenPipeline pipeline(converter, QUORVEL_BIN_DIR, "", "30000",
                               &ConverterFixture::EnglishText);
        pipeline.ReadInPlace();
        std::vector<CFrameBuffer> previews;
        if (!pipeline.Open(source)) {
            ADD_FAILURE() << "cannot open " << source;
            return previews;
        }
        std::int32_t sizeId = CSavedMovie::kBlackFill;
        CAviVideoStream stream(pipeline.WorkPath(), sizeId, pipeline.TakeWorkFiles());
        stream.ReadInPlace(pipeline.TakeReader());
        const bool opened = pipeline.IsStillImage()
                                ? stream.LoadBitmapFile(pipeline.WorkPath()) == 1
                                : stream.OpenVideo() == 1;
        EXPECT_TRUE(opened);
        CSavedMovie::Paint(stream.m_mosaic, sizeId, stream.m_nLastFrame);
        stream.SaveProgress();
        for (std::int64_t n = 0; opened && n <= stream.m_nLastFrame; ++n) {
            EXPECT_EQ(stream.GetFrame(n, false), 1);
            previews.push_back(stream.Frame());
        }
        return previews;
    }

    RecordingProgress m_progress;
    std::string m_err;
};

TEST_F(SaveCommandTest, SavesAMovieWithItsSoundAsEveryFrameWasPreviewed) {
    Generate(kMovieWithSound, Media("clip.mp4"));
    const std::vector<CFrameBuffer> previews = Previews(Media("clip.mp4"));
    ASSERT_EQ(previews.size(), 50u);
    // Each format is encoded once, from the source read in place; the AVI encoder's finest
    // step leaves about 34 dB on this detailed little picture.
    const std::pair<const char*, double> targets[] = {
        {"out.avi", 33.0}, {"out.mp4", 38.0}, {"out.mkv", 38.0}};
    for (const auto& [name, minPsnr] : targets) {
        ASSERT_EQ(Render("'" + Media("clip.mp4") + "' '" + Media(name) + "'"), 0) << m_err;
        SCOPED_TRACE(name);
        EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(Media(name)), previews, true, minPsnr),
                  "");
        EXPECT_TRUE(CSavedMovie::HasSound(Media(name))) << name;
        EXPECT_NEAR(CSavedMovie::Duration(Media(name)), 2.0, 0.1) << name;
    }
    EXPECT_NE(m_err.find("Mosaic in the process ... 100%"), std::string::npos) << m_err;
    EXPECT_EQ(FileNames("media"),
              (std::vector<std::string>{"clip.$tmp$.eft", "clip.$tmp$.eftm", "clip.mp4", "out.avi",
                                        "out.mkv", "out.mp4"}));
}

TEST_F(SaveCommandTest, SavesAPictureInTheFormatOfTheTarget) {
    Generate("-f lavfi -i testsrc2=size=160x120 -frames:v 1 -q:v 2", Media("photo.jpg"));
    const std::vector<CFrameBuffer> previews = Previews(Media("photo.jpg"));
    ASSERT_EQ(previews.size(), 1u);
    ASSERT_EQ(Render("'" + Media("photo.jpg") + "' '" + Media("photo.png") + "'"), 0) << m_err;
    EXPECT_EQ(CSavedMovie::Unlike(CSavedMovie::Pictures(Media("photo.png")), previews, false), "");
    EXPECT_EQ(FileNames("media"), (std::vector<std::string>{"photo.$tmp$.eft", "photo.$tmp$.eftm",
                                                            "photo.jpg", "photo.png"}));
}

// The program folder copied without its converter: the open needs none for an AVI, the
// conversion to the target's format does.
TEST_F(SaveCommandTest, AMissingConverterKeepsTheTargetAndSaysWhy) {
    const fs::path program = m_dir / "program";
    fs::create_directories(program);
    for (const char* file : {"quorvel-render", "libRX40dApp_x64.so", "profile_x64.ini"}) {
        fs::copy_file(fs::path(QUORVEL_BIN_DIR) / file, program / file);
    }
    Generate("-f lavfi -i testsrc2=size=160x120:rate=25,trim=end_frame=25 -c:v msmpeg4v2",
             Media("clip.avi"));
    std::ofstream(Media("out.mp4")) << "the user's file";

    EXPECT_EQ(Render("'" + Media("clip.avi") + "' '" + Media("out.mp4") + "'", program.string()),
              1);
    EXPECT_NE(m_err.find("quorvel-render: Export error!! The converter could not be found: " +
                         program.string() + "/misc/ffmpeg\n"),
              std::string::npos)
        << m_err;
    EXPECT_EQ(ReadAll(Media("out.mp4")), "the user's file");
    EXPECT_EQ(FileNames("media"), (std::vector<std::string>{"clip.avi", "out.mp4"}));
}

TEST_F(SaveCommandTest, CtrlCDuringTheExportKeepsTheTargetAndRemovesEveryWorkingFile) {
    Generate("-f lavfi -i testsrc2=size=320x240:rate=25,trim=end_frame=1500 -c:v msmpeg4v2",
             Media("clip.avi"));
    CMosaicParam mosaic;
    mosaic.AddFixedArea(CSavedMovie::kFixedArea);
    mosaic.SaveFixedAreas(Media("clip.eft"));
    std::ofstream(Media("out.mkv")) << "the user's file";

    EXPECT_EQ(RenderInterrupted("'" + Media("clip.avi") + "' '" + Media("out.mkv") + "'",
                                "Mosaic in the process"),
              1);
    EXPECT_NE(m_err.find("quorvel-render: cancelled\n"), std::string::npos) << m_err;
    EXPECT_EQ(ReadAll(Media("out.mkv")), "the user's file");
    EXPECT_EQ(FileNames("media"), (std::vector<std::string>{"clip.avi", "clip.eft", "out.mkv"}));
}

TEST_F(SaveCommandTest, SavingOntoTheSourceChangesNothing) {
    Generate("-f lavfi -i testsrc2=size=160x120:rate=25,trim=end_frame=25 -c:v msmpeg4v2",
             Media("clip.avi"));
    const std::string before = ReadAll(Media("clip.avi"));
    EXPECT_EQ(Render("'" + Media("clip.avi") + "' '" + Media("clip.avi") + "'"), 1);
    EXPECT_NE(m_err.find("quorvel-render: Save the file that you can not currently open. Please "
                         "specify a different file.\n"),
              std::string::npos)
        << m_err;
    EXPECT_EQ(ReadAll(Media("clip.avi")), before);
    EXPECT_EQ(FileNames("media"), std::vector<std::string>{"clip.avi"});
}

} // namespace
