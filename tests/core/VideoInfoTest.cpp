#include "media/KQ22sCVideoInfo.h"

#include "tests/support/CRecordingMessageBox.h"
#include "CTestMedia.h"
#include "platform/CMessageBoxSeam.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <filesystem>
#include <fstream>
#include <memory>
#include <vector>

namespace fs = std::filesystem;

namespace {

class VideoInfo : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_media = std::make_unique<CTestMedia>();
        const std::string source = "-f lavfi -i testsrc2=size=640x360:rate=25 -t 0.4 ";
        s_plain = s_media->Generate("plain.mp4", source + "-c:v libx264 -pix_fmt yuv420p");
        s_anamorphic =
            s_media->Generate("映像 テスト.mp4", "-f lavfi -i testsrc2=size=720x480:rate=25 -t 0.4 "
                                                 "-vf setsar=8/9 -c:v libx264 -pix_fmt yuv420p");
        // A phone stores an upright portrait picture as landscape plus a display matrix of -90
        // degrees; this tool version writes that matrix for a "rotate" tag of 270.
        s_phone = s_media->Generate("phone.mp4",
                                    "-i '" + s_plain + "' -c copy -metadata:s:v:0 rotate=270");
    }
    static void TearDownTestSuite() { s_media.reset(); }

    void SetUp() override {
        ASSERT_FALSE(s_plain.empty());
        ASSERT_FALSE(s_anamorphic.empty());
        ASSERT_FALSE(s_phone.empty());
        m_previousBox = CMessageBoxSeam::Install(&m_box);
    }
    void TearDown() override { CMessageBoxSeam::Install(m_previousBox); }

    // A program folder of its own, with name written as misc/x64/libmediainfo.so.0.
    static std::string ProgramDirWithPrivateCopy(const std::string& folder,
                                                 const std::string& contentFrom) {
        const fs::path dir = fs::path(s_media->Path(folder));
        fs::create_directories(dir / "misc/x64");
        if (contentFrom.empty()) {
            std::ofstream(dir / "misc/x64/libmediainfo.so.0") << "not a library";
        } else {
            fs::copy_file(contentFrom, dir / "misc/x64/libmediainfo.so.0",
                          fs::copy_options::overwrite_existing);
        }
        return dir.string();
    }

    static std::unique_ptr<CTestMedia> s_media;
    static std::string s_plain;
    static std::string s_anamorphic;
    static std::string s_phone;
    CRecordingMessageBox m_box;
    IMessageBox* m_previousBox = nullptr;
};

std::unique_ptr<CTestMedia> VideoInfo::s_media;
std::string VideoInfo::s_plain;
std::string VideoInfo::s_anamorphic;
std::string VideoInfo::s_phone;

// Where the system's library file lies, found from one of its entry points.
std::string SystemLibraryFile() {
    CMediaInfoLibrary system({"libmediainfo.so.0"});
    const CMediaInfoLibrary::Api* api = system.Load();
    Dl_info info{};
    if (!api || ::dladdr(reinterpret_cast<void*>(api->New), &info) == 0) {
        return {};
    }
    return info.dli_fname;
}

} // namespace

TEST_F(VideoInfo, ReadsSizeAspectRatioAndRotationOfTheFirstVideoStream) {
    KQ22sCVideoInfo probe(QUORVEL_BIN_DIR);
    ASSERT_EQ(probe.Open(s_plain), 1);
    EXPECT_EQ(probe.GetWidth(), 640);
    EXPECT_EQ(probe.GetHeight(), 360);
    EXPECT_DOUBLE_EQ(probe.GetPixelAspectRatio(), 1.0);
    EXPECT_EQ(probe.GetRotation(), 0);

    // A second Open replaces the first file; the name is not ASCII and the process locale is C.
    ASSERT_EQ(probe.Open(s_anamorphic), 1);
    EXPECT_EQ(probe.GetWidth(), 720);
    EXPECT_EQ(probe.GetHeight(), 480);
    EXPECT_NEAR(probe.GetPixelAspectRatio(), 8.0 / 9.0, 0.001);

    ASSERT_EQ(probe.Open(s_phone), 1);
    EXPECT_EQ(probe.GetRotation(), 90);
    EXPECT_EQ(probe.GetWidth(), 640);
    EXPECT_TRUE(m_box.texts.empty());
}

TEST_F(VideoInfo, FilesThatCannotBeOpenedReadAsZeroWithoutAMessage) {
    KQ22sCVideoInfo probe(QUORVEL_BIN_DIR);
    EXPECT_EQ(probe.GetWidth(), 0);
    EXPECT_EQ(probe.GetPixelAspectRatio(), 0.0);

    ASSERT_EQ(probe.Open(s_plain), 1);
    EXPECT_EQ(probe.Open(s_media->Path("missing.mp4")), 0);
    EXPECT_EQ(probe.GetWidth(), 0);
    EXPECT_EQ(probe.GetHeight(), 0);
    EXPECT_TRUE(m_box.texts.empty());
}

TEST_F(VideoInfo, MissingLibraryIsReportedOnEveryOpen) {
    const std::string dir = ProgramDirWithPrivateCopy("garbage-only", "");
    const std::string privateCopy = dir + "/misc/x64/libmediainfo.so.0";
    CMediaInfoLibrary library({privateCopy});
    KQ22sCVideoInfo probe(library);
    EXPECT_EQ(probe.Open(s_plain), 0);
    EXPECT_EQ(probe.Open(s_plain), 0);
    EXPECT_EQ(probe.GetWidth(), 0);
    EXPECT_EQ(m_box.texts, std::vector<std::string>(2, "Load Error (" + privateCopy + ")"));

    // The next probe tries again and finds the library now in place.
    const std::string real = SystemLibraryFile();
    ASSERT_FALSE(real.empty());
    ProgramDirWithPrivateCopy("garbage-only", real);
    KQ22sCVideoInfo retried(library);
    ASSERT_EQ(retried.Open(s_plain), 1);
    EXPECT_EQ(retried.GetHeight(), 360);
    EXPECT_EQ(m_box.texts.size(), 2u);

    // Once loaded it is not looked for again: the file may go.
    fs::remove(privateCopy);
    KQ22sCVideoInfo second(library);
    EXPECT_EQ(second.Open(s_anamorphic), 1);
    EXPECT_EQ(m_box.texts.size(), 2u);

    // A library without the entry points counts as missing too.
    const std::string other = ProgramDirWithPrivateCopy(
        "incomplete-only", std::string(QUORVEL_BIN_DIR) + "/libRX40dApp_x64.so");
    CMediaInfoLibrary incompleteLibrary({other + "/misc/x64/libmediainfo.so.0"});
    KQ22sCVideoInfo incomplete(incompleteLibrary);
    EXPECT_EQ(incomplete.Open(s_plain), 0);
    EXPECT_EQ(m_box.texts.size(), 3u);
}

TEST_F(VideoInfo, UnusablePrivateCopyFallsBackToTheSystemLibrary) {
    const std::string garbage = ProgramDirWithPrivateCopy("garbage", "");
    const std::string incomplete = ProgramDirWithPrivateCopy(
        "incomplete", std::string(QUORVEL_BIN_DIR) + "/libRX40dApp_x64.so");
    for (const std::string& dir : {garbage, incomplete}) {
        CMediaInfoLibrary library(CMediaInfoLibrary::Candidates(dir));
        KQ22sCVideoInfo probe(library);
        ASSERT_EQ(probe.Open(s_plain), 1) << dir;
        EXPECT_EQ(probe.GetWidth(), 640);
    }
    EXPECT_TRUE(m_box.texts.empty());

    // Never a path relative to the current directory.
    EXPECT_EQ(CMediaInfoLibrary::Candidates("bin"), std::vector<std::string>{"libmediainfo.so.0"});
    EXPECT_EQ(CMediaInfoLibrary::Candidates("/opt/q"),
              (std::vector<std::string>{"/opt/q/misc/x64/libmediainfo.so.0", "libmediainfo.so.0"}));
}
