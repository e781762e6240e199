#include "ConverterFixture.h"

#include "media/CConverterTool.h"

#include <sys/wait.h>

namespace fs = std::filesystem;

namespace {

// Records its arguments NUL-separated beside itself, with nothing but the shell's builtins.
constexpr const char* kRecordingTool = "#!/bin/sh\nprintf '%s\\0' \"$@\" > \"${0%/*}/args\"\n";

class ConverterLauncher : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        for (const char* folder : {"a", "b", "c"}) {
            fs::create_directories(m_dir / folder);
        }
        MakeTool("b/ffmpeg", fs::perms::owner_read | fs::perms::owner_write);
        MakeTool("c/ffmpeg", fs::perms::owner_all);
    }

    void MakeTool(const std::string& name, fs::perms perms) const {
        std::ofstream(Path(name)) << kRecordingTool;
        fs::permissions(Path(name), perms);
    }

    // Exit code of the program folder's launcher run with env before it.
    int Launch(const std::string& env, const std::string& args) {
        const std::string command = "env -i " + env + " '" + QUORVEL_BIN_DIR + "/misc/ffmpeg' " +
                                    args + " 2> '" + Path("stderr.txt") + "'";
        const int status = std::system(command.c_str());
        m_err = ReadAll(Path("stderr.txt"));
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }

    std::string m_err;
};

} // namespace

TEST_F(ConverterLauncher, FindsTheToolOnThePathOrWhereTheUserSays) {
    const std::string path = "relative:" + Path("a") + ":" + Path("b") + ":" + Path("c");
    EXPECT_EQ(CConverterTool::Find(nullptr, path.c_str(), ""), Path("c/ffmpeg"));
    EXPECT_EQ(CConverterTool::Find("", path.c_str(), ""), Path("c/ffmpeg"));
    // The launcher on the path is skipped, or it would start itself forever.
    EXPECT_EQ(CConverterTool::Find(nullptr, path.c_str(), Path("c/ffmpeg")), "");
    EXPECT_EQ(CConverterTool::Find(Path("b/ffmpeg").c_str(), path.c_str(), ""), "");
    EXPECT_EQ(CConverterTool::Find(Path("c/ffmpeg").c_str(), "", ""), Path("c/ffmpeg"));
    EXPECT_EQ(CConverterTool::Find(Path("missing").c_str(), path.c_str(), ""), "");
    EXPECT_EQ(CConverterTool::Find(nullptr, ("relative::" + Path("a")).c_str(), ""), "");
    EXPECT_TRUE(CConverterTool::MeansNoTool(127));
    EXPECT_TRUE(CConverterTool::MeansNoTool(126));
    EXPECT_FALSE(CConverterTool::MeansNoTool(1));
}

TEST_F(ConverterLauncher, RunsTheToolItFindsWithTranslatedArguments) {
    const std::string misc = std::string(QUORVEL_BIN_DIR) + "/misc";
    EXPECT_EQ(Launch("PATH='" + misc + ":" + Path("c") + "'", "-i in.avi -sameq out.avi"), 0)
        << m_err;
    const std::string args = ReadAll(Path("c/args"));
    constexpr char kExpected[] = "-nostdin\0-i\0in.avi\0out.avi\0";
    EXPECT_EQ(args, std::string(kExpected, sizeof kExpected - 1));

    fs::remove(Path("c/args"));
    EXPECT_EQ(Launch("QUORVEL_FFMPEG='" + Path("c/ffmpeg") + "' PATH=/nonexistent", "-version"), 0)
        << m_err;
    EXPECT_TRUE(fs::exists(Path("c/args")));
}

TEST_F(ConverterLauncher, NoToolEndsWithItsOwnExitCodeAndSaysWhy) {
    const std::string misc = std::string(QUORVEL_BIN_DIR) + "/misc";
    EXPECT_EQ(Launch("PATH='" + misc + ":" + Path("a") + "'", "-version"),
              CConverterTool::kNotFound);
    EXPECT_NE(m_err.find("QUORVEL_FFMPEG"), std::string::npos) << m_err;
    EXPECT_EQ(Launch("QUORVEL_FFMPEG='" + Path("b/ffmpeg") + "'", "-version"),
              CConverterTool::kNotFound);
}
