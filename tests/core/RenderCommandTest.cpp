#include "CTestMedia.h"
#include "CTestPictures.h"
#include "CTrackFootage.h"

#include "media/CBitmapFile.h"
#include "media/CProgressFiles.h"
#include "media/RX40sCFFmpeg.h"
#include "mosaic/CMosaicPainter.h"
#include "mosaic/CMosaicParam.h"
#include "platform/CTextFile.h"
#include "tests/oracle/CReferenceEffects.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sys/wait.h>

namespace {

struct RenderResult {
    int code = -1;
    std::string out;
    std::string err;
};

class RenderCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_clip = m_media.Generate(
            "clip.avi", "-f lavfi -i testsrc2=size=64x48:rate=10 -frames:v 6 -c:v msmpeg4v2");
        ASSERT_FALSE(m_clip.empty());
    }

    RenderResult Render(const std::string& args) const {
        const std::string out = m_media.Path("stdout.txt");
        const std::string err = m_media.Path("stderr.txt");
        const std::string command = std::string("'") + QUORVEL_BIN_DIR + "/quorvel-render' " +
                                    args + " > '" + out + "' 2> '" + err + "'";
        const int status = std::system(command.c_str());
        RenderResult result;
        // A signal (a crash) leaves the code at -1.
        if (WIFEXITED(status)) {
            result.code = WEXITSTATUS(status);
        }
        result.out = Slurp(out);
        result.err = Slurp(err);
        return result;
    }

    static std::string Slurp(const std::string& path) { return CTextFile::Read(path).value_or(""); }

    static CFrameBuffer ReadBitmap(const std::string& path) {
        std::ifstream file(path, std::ios::binary);
        CFrameBuffer picture;
        std::vector<std::uint8_t> info;
        EXPECT_TRUE(CBitmapFile::Read(file, picture, info)) << path;
        return picture;
    }

    CFrameBuffer Decode(std::int64_t frame) const {
        RX40sCFFmpeg decoder;
        EXPECT_EQ(decoder.Open(m_clip), 1);
        EXPECT_EQ(decoder.DecodeFrame(frame), 1);
        return decoder.m_bmpFrame;
    }

    static void Paint(CFrameBuffer& picture, const std::vector<T_RECT>& areas, int size,
                      int sizeId) {
        CReferenceEffects reference;
        for (const T_RECT& area : areas) {
            reference.PaintArea(picture, area, size, sizeId);
        }
    }

    static void SaveProgress(const std::string& workFile, const CMosaicParam& mosaic) {
        const std::string stem = workFile.substr(0, workFile.rfind('.'));
        mosaic.SaveFixedAreas(stem + ".eft");
        mosaic.SaveTracks(stem + ".eftm");
    }

    static std::string Quoted(const std::string& path) { return "'" + path + "'"; }

    CTestMedia m_media;
    std::string m_clip;
};

const T_RECT kFixed{4, 4, 20, 20};
const T_RECT kTracked{30, 10, 60, 40};

CMosaicParam SavedMosaic(int type, int size) {
    CMosaicParam mosaic(type);
    mosaic.size = size;
    mosaic.AddFixedArea(kFixed);
    mosaic.SetTrackRect(0, kTracked, 2);
    return mosaic;
}

} // namespace

TEST_F(RenderCommandTest, MovieFrameGetsTheSavedMosaicOrTheChosenType) {
    SaveProgress(m_clip, SavedMosaic(2, 7));
    const std::string output = m_media.Path("out.bmp");

    ASSERT_EQ(Render("--frame 2 " + Quoted(m_clip) + " " + Quoted(output)).code, 0);
    CFrameBuffer expected = Decode(2);
    Paint(expected, {kFixed, kTracked}, 7, 2);
    EXPECT_EQ(ReadBitmap(output), expected);

    ASSERT_EQ(Render(Quoted(m_clip) + " " + Quoted(output) + " --frame 3").code, 0);
    expected = Decode(3);
    Paint(expected, {kFixed}, 7, 2);
    EXPECT_EQ(ReadBitmap(output), expected);

    // A chosen type brings its default size (type 1: blocks of 20).
    ASSERT_EQ(Render("--type 1 --frame 2 " + Quoted(m_clip) + " " + Quoted(output)).code, 0);
    expected = Decode(2);
    Paint(expected, {kFixed, kTracked}, 20, 1);
    EXPECT_EQ(ReadBitmap(output), expected);
}

TEST_F(RenderCommandTest, FrameIsClampedAndLinesAreDoubled) {
    SaveProgress(m_clip, SavedMosaic(5, 10));
    const std::string output = m_media.Path("out.bmp");
    ASSERT_EQ(Render("--deinterlace --frame 99 " + Quoted(m_clip) + " " + Quoted(output)).code, 0);
    RX40sCFFmpeg decoder;
    ASSERT_EQ(decoder.Open(m_clip), 1);
    CFrameBuffer expected = Decode(decoder.m_nLastFrame);
    CMosaicPainter::DoubleLines(expected);
    Paint(expected, {kFixed}, 10, 5);
    EXPECT_EQ(ReadBitmap(output), expected);

    ASSERT_EQ(Render("--frame -5 " + Quoted(m_clip) + " " + Quoted(output)).code, 0);
    expected = Decode(0);
    Paint(expected, {kFixed}, 10, 5);
    EXPECT_EQ(ReadBitmap(output), expected);
}

TEST_F(RenderCommandTest, StillImageGetsFixedAreasOnlyAndKeepsItsRowOrder) {
    const std::string image = m_media.Path("photo.bmp");
    const CFrameBuffer picture = CTestPictures::Random(67, 45, false, 21);
    ASSERT_TRUE(CBitmapFile::Write(image, picture));
    CMosaicParam mosaic = SavedMosaic(6, 10);
    mosaic.SetTrackRect(1, kTracked, 0);
    SaveProgress(image, mosaic);

    const std::string output = m_media.Path("out.bmp");
    ASSERT_EQ(Render(Quoted(image) + " " + Quoted(output)).code, 0);
    CFrameBuffer expected = picture;
    Paint(expected, {kFixed}, 10, 6);
    const CFrameBuffer rendered = ReadBitmap(output);
    EXPECT_FALSE(rendered.TopDown());
    EXPECT_EQ(rendered, expected);
}

TEST_F(RenderCommandTest, WorkingFilesOfTheInputSurvive) {
    const std::string work = m_media.Path("clip.$tmp$.avi");
    const std::string sound = m_media.Path("clip.$tmp$.wav");
    std::filesystem::copy_file(m_clip, work);
    std::ofstream(sound) << "sound";
    ASSERT_EQ(Render(Quoted(work) + " " + Quoted(m_media.Path("out.bmp"))).code, 0);
    EXPECT_TRUE(std::filesystem::exists(work));
    EXPECT_EQ(std::filesystem::file_size(work), std::filesystem::file_size(m_clip));
    EXPECT_EQ(Slurp(sound), "sound");
    for (const auto& entry : std::filesystem::directory_iterator(m_media.Dir())) {
        EXPECT_EQ(entry.path().string().find(".kept-"), std::string::npos) << entry.path();
    }
}

TEST_F(RenderCommandTest, BadInputEndsWithOneLineAndAnExitCode) {
    const std::string output = Quoted(m_media.Path("out.bmp"));
    const std::string garbage = m_media.Path("garbage.bmp");
    std::ofstream(garbage) << "BM not really a bitmap";
    const std::string fakeMovie = m_media.Path("fake.avi");
    std::ofstream(fakeMovie) << "RIFF nothing";
    const std::pair<std::string, int> cases[] = {
        {Quoted(m_media.Path("missing.avi")) + " " + output, 1},
        {Quoted(garbage) + " " + output, 1},
        {Quoted(fakeMovie) + " " + output, 1},
        {Quoted(m_clip) + " " + Quoted(m_media.Path("no/such/folder/out.bmp")), 1},
        {Quoted(m_clip), 2},
        {"--frame 1x " + Quoted(m_clip) + " " + output, 2},
        {"--type 10 " + Quoted(m_clip) + " " + output, 2},
        {"--type " + Quoted(m_clip) + " " + output, 2},
        {"--bogus " + Quoted(m_clip) + " " + output, 2},
        {Quoted(m_clip) + " " + output + " --frame", 2},
        {"--track " + Quoted(m_clip), 2},
        {"--track --rect 1,2,3 " + Quoted(m_clip), 2},
        {"--track --rect 9,2,3,8 " + Quoted(m_clip), 2},
        {"--track --rect 1,2,30,40 " + Quoted(m_clip) + " " + output, 2},
        {"--back --rect 1,2,30,40 " + Quoted(m_clip) + " " + output, 2},
        {"--track --frame 6 --rect 1,2,30,40 " + Quoted(m_clip), 2},
        {"--track --rect 70,2,90,40 " + Quoted(m_clip), 2},
    };
    for (const auto& [args, code] : cases) {
        const RenderResult result = Render(args);
        EXPECT_EQ(result.code, code) << args;
        EXPECT_EQ(result.err.rfind("quorvel-render: ", 0), 0u) << args;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    const RenderResult help = Render("--help");
    EXPECT_EQ(help.code, 0);
    EXPECT_NE(help.out.find("Usage: quorvel-render"), std::string::npos);
    EXPECT_TRUE(help.err.empty());
}

TEST_F(RenderCommandTest, OutputNeverReplacesTheInputOrItsFiles) {
    const std::string image = m_media.Path("photo.bmp");
    ASSERT_TRUE(CBitmapFile::Write(image, CTestPictures::Random(16, 8, false, 3)));
    const std::string picture = Slurp(image);
    const std::string movie = m_media.Generate("movie.mp4", "-f lavfi -i testsrc2=size=64x48 "
                                                            "-frames:v 3 -c:v libx264");
    ASSERT_FALSE(movie.empty());
    const std::string movieBytes = Slurp(movie);
    std::filesystem::create_symlink(image, m_media.Path("link.bmp"));
    std::filesystem::create_hard_link(image, m_media.Path("hard.bmp"));
    std::filesystem::create_directory(m_media.Path("sub"));
    const std::string cases[] = {
        Quoted(image) + " " + Quoted(image),
        Quoted(image) + " " + Quoted(m_media.Path("sub/../photo.bmp")),
        Quoted(image) + " " + Quoted(m_media.Path("link.bmp")),
        Quoted(image) + " " + Quoted(m_media.Path("hard.bmp")),
        "--source " + Quoted(movie) + " " + Quoted(movie),
        "--source " + Quoted(movie) + " " + Quoted(m_media.Path("movie.$tmp$.bmp")),
        Quoted(m_clip) + " " + Quoted(m_media.Path("out.png")),
    };
    for (const std::string& args : cases) {
        const RenderResult result = Render(args);
        EXPECT_EQ(result.code, 2) << args;
        EXPECT_EQ(std::count(result.err.begin(), result.err.end(), '\n'), 1) << result.err;
    }
    EXPECT_EQ(Slurp(image), picture);
    EXPECT_EQ(Slurp(movie), movieBytes);
    EXPECT_TRUE(std::filesystem::is_symlink(m_media.Path("link.bmp")));
    EXPECT_FALSE(std::filesystem::exists(m_media.Path("movie.$tmp$.bmp")));
    EXPECT_FALSE(std::filesystem::exists(m_media.Path("out.png")));
}

// Frame numbers of other movies are not picture indexes: they go through --source.
TEST_F(RenderCommandTest, WorkFileThatIsNotAnAviIsRefusedWithAHint) {
    const std::string movie = m_media.Generate(
        "movie.mp4", "-f lavfi -i testsrc2=size=64x48:rate=10 -frames:v 30 -c:v libx264");
    ASSERT_FALSE(movie.empty());
    std::filesystem::copy_file(movie, m_media.Path("named.avi"));
    const std::string output = m_media.Path("out.bmp");
    for (const std::string& input : {movie, m_media.Path("named.avi")}) {
        const RenderResult result = Render("--frame 20 " + Quoted(input) + " " + Quoted(output));
        EXPECT_EQ(result.code, 2) << input;
        EXPECT_NE(result.err.find("--source"), std::string::npos) << result.err;
        EXPECT_FALSE(std::filesystem::exists(output));
    }
}

// Tracks are followed into the progress files beside what they held: forward until the subject
// is lost, which the exit code and the message say, and backward to the start.
TEST_F(RenderCommandTest, TrackIsFollowedIntoTheProgressFiles) {
    const std::string movie = CTrackFootage::Write(m_media, "subject.avi");
    ASSERT_FALSE(movie.empty());
    const CMosaicParam saved = SavedMosaic(2, 7);
    SaveProgress(movie, saved);
    const auto track = [&](const std::string& options, int frame) {
        const T_RECT r = CTrackFootage::Truth(frame);
        const std::string rect = std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                                 std::to_string(r.right) + "," + std::to_string(r.bottom);
        return Render(options + " --frame " + std::to_string(frame) + " --rect " + rect + " " +
                      Quoted(movie));
    };
    const RenderResult lost = track("--track", 0);
    EXPECT_EQ(lost.code, 3);
    const RenderResult back = track("--track --back", 60);
    EXPECT_EQ(back.code, 0) << back.err;
    EXPECT_NE(back.out.find("frames 0-60 saved"), std::string::npos) << back.out;

    CMosaicParam loaded;
    CProgressFiles(movie).Load(loaded);
    EXPECT_EQ(loaded.size, saved.size);
    EXPECT_EQ(loaded.FixedAreas(), saved.FixedAreas());
    ASSERT_EQ(loaded.TrackCount(), 3);
    EXPECT_EQ(loaded.Tracks()[0], saved.Tracks()[0]);
    const CMosaicTrack& forward = loaded.Tracks()[1];
    EXPECT_EQ(forward.First(), 0);
    EXPECT_NE(lost.err.find("lost the subject at frame " + std::to_string(forward.Rects().size())),
              std::string::npos)
        << lost.err;
    EXPECT_GE(forward.Rects().size(), static_cast<std::size_t>(CTrackFootage::kFullCover));
    EXPECT_GE(CTrackFootage::ShareOnPath(0, forward.Rects(), 0.7), 0.95);
    const CMosaicTrack& backward = loaded.Tracks()[2];
    EXPECT_EQ(backward.First(), 0);
    EXPECT_EQ(backward.Rects().size(), 61u);
    EXPECT_GE(CTrackFootage::ShareOnPath(0, backward.Rects(), 0.7), 0.95);
}
