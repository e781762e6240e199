#include "ConverterFixture.h"

#include "media/CWorkFiles.h"
#include "media/CWorkPaths.h"

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

// quorvel-render opening sources through the program's pipeline; its data folder lies in the
// test's folder, the media in a folder of their own.
class OpenPipelineRender : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        fs::create_directories(m_dir / "media");
        Generate("-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -f lavfi -i "
                 "sine=duration=1 -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest",
                 Path("media/clip.mp4"));
    }

    // Exit code of the renderer; its stderr is kept in m_err.
    int Render(const std::string& args) {
        const std::string command = "XDG_CONFIG_HOME='" + Path("config") + "' '" + QUORVEL_BIN_DIR +
                                    "/quorvel-render' " + args + " 2> '" + Path("stderr.txt") + "'";
        const int status = std::system(command.c_str());
        m_err = ReadAll(Path("stderr.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }


    std::string m_err;
};

} // namespace

TEST_F(OpenPipelineRender, RendersAFrameOfAMovieSourceAndRemovesTheWorkingFiles) {
    ASSERT_EQ(Render("--source --frame 10 '" + Path("media/clip.mp4") + "' '" +
                     Path("media/ten.bmp") + "'"),
              0)
        << m_err;
    ASSERT_EQ(Render("--source '" + Path("media/clip.mp4") + "' '" + Path("media/zero.bmp") + "'"),
              0)
        << m_err;
    const std::string ten = ReadAll(Path("media/ten.bmp"));
    ASSERT_GT(ten.size(), 320u * 240u * 3u);
    EXPECT_EQ(ten.substr(0, 2), "BM");
    EXPECT_NE(ten, ReadAll(Path("media/zero.bmp")));
    // The movie is read in place: the tool is not run at all, neither for the picture nor for
    // the sound.
    EXPECT_EQ(m_err.find("Format Converting... "), std::string::npos);
    EXPECT_EQ(FileNames("media"), (std::vector<std::string>{"clip.mp4", "ten.bmp", "zero.bmp"}));
    EXPECT_EQ(ReadAll(Path("config/Velmarro/bin/QV_command.log")).find("]:"), std::string::npos);
}

TEST_F(OpenPipelineRender, OddNamesOpenAsSources) {
    const std::string movie = Path("media/-a \"quoted\" $clip ü.mp4");
    fs::rename(Path("media/clip.mp4"), movie);
    Generate("-f lavfi -i testsrc2=size=320x240 -frames:v 1", Path("media/-photo \".jpg"));
    ASSERT_EQ(Render("--source --frame 10 -- '" + movie + "' '" + Path("media/movie.bmp") + "'"), 0)
        << m_err;
    ASSERT_EQ(Render("--source -- '" + Path("media/-photo \".jpg") + "' '" +
                     Path("media/photo.bmp") + "'"),
              0)
        << m_err;
    EXPECT_EQ(FileNames("media"), (std::vector<std::string>{"-a \"quoted\" $clip ü.mp4", "-photo \".jpg",
                                                      "movie.bmp", "photo.bmp"}));
}

// The program has the movie open (its working files locked): the renderer must not take them.
TEST_F(OpenPipelineRender, MovieOpenElsewhereIsRefusedAndItsWorkingFilesStay) {
    const std::string source = Path("media/clip.mp4");
    CWorkFiles program;
    ASSERT_EQ(program.Lock(source), CWorkFiles::Claim::Taken);
    program.Add(CWorkPaths::WorkVideo(source));
    std::ofstream(CWorkPaths::WorkVideo(source)) << "the program's working video";

    EXPECT_EQ(Render("--source '" + source + "' '" + Path("media/out.bmp") + "'"), 1);
    EXPECT_NE(m_err.find("already open"), std::string::npos) << m_err;
    EXPECT_EQ(m_err.find("not recognized"), std::string::npos) << m_err;
    EXPECT_EQ(ReadAll(CWorkPaths::WorkVideo(source)), "the program's working video");
    EXPECT_FALSE(fs::exists(Path("media/out.bmp")));

    program.Remove();
    EXPECT_EQ(Render("--source '" + source + "' '" + Path("media/out.bmp") + "'"), 0) << m_err;
    EXPECT_EQ(FileNames("media"), (std::vector<std::string>{"clip.mp4", "out.bmp"}));
}
