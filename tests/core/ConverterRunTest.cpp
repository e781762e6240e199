#include "ConverterFixture.h"

#include "media/CFFMpegUtil.h"
#include "platform/CConsoleProgress.h"

#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <cstdlib>

namespace fs = std::filesystem;

namespace {

// Records its arguments NUL-separated beside itself and makes a sparse 5 GiB output file where
// it can (the logged examples name folders that do not exist);
// outputs named for it fail as a full disk, an output the tool refuses or a killed tool would.
constexpr const char* kFakeTool = R"(#!/bin/sh
printf '%s\0' "$@" > "$(dirname "$0")/args"
for last; do :; done
case "$last" in
*cut-short*) printf partial > "$last"; exit 3 ;;
*refused*) exit 1 ;;
*killed*) printf partial > "$last"; kill -9 $$ ;;
esac
truncate -s 5G -- "$last" 2>/dev/null || true
)";

constexpr const char* kProfiles = R"([output]
filter1=With a command|*.mp4|
COMMAND1=-i "<%input%>" <AVOptions> -c:v libx264 -y "<%output%>"
Filter2=Without a command|*.mkv|
)";

class ConverterRun : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        fs::create_directories(m_dir / "prog" / "misc");
        fs::create_directories(m_dir / "data");
        std::ofstream(m_dir / "prog" / "misc" / "ffmpeg") << kFakeTool;
        fs::permissions(m_dir / "prog" / "misc" / "ffmpeg", fs::perms::owner_all);
        std::ofstream(m_dir / "prog" / "profile_x64.ini") << kProfiles;
    }

    CFFMpegUtil* MakeUtil() {
        m_util = std::make_unique<CFFMpegUtil>(Path("prog"), Path("data"), m_progress,
                                               &ConverterFixture::EnglishText);
        return m_util.get();
    }

    // The log lines after the runner has gone, without the lines telling how each run ended.
    std::vector<std::string> CommandLines() {
        std::vector<std::string> lines = LogLines();
        lines.erase(
            std::remove_if(lines.begin(), lines.end(),
                           [](const std::string& line) { return line.rfind("[E]:", 0) == 0; }),
            lines.end());
        return lines;
    }

    // The log lines after the runner has gone.
    std::vector<std::string> LogLines() {
        m_util.reset();
        std::vector<std::string> lines;
        std::istringstream log(ReadAll(Path("data/QV_command.log")));
        for (std::string line; std::getline(log, line);) {
            lines.push_back(line);
        }
        return lines;
    }

    std::vector<std::string> ToolArguments() const {
        std::vector<std::string> args;
        std::istringstream in(ReadAll(Path("prog/misc/args")));
        for (std::string arg; std::getline(in, arg, '\0');) {
            args.push_back(arg);
        }
        return args;
    }

    RecordingProgress m_progress;
    std::unique_ptr<CFFMpegUtil> m_util;
};

// "[T]:" + "YYYY/MM/DD hh:mm:ss" + " " + the command text.
void ExpectLogLine(const std::string& line, const std::string& tag, const std::string& text) {
    const std::string shape = "dddd/dd/dd dd:dd:dd ";
    ASSERT_GT(line.size(), tag.size() + shape.size()) << line;
    EXPECT_EQ(line.substr(0, tag.size()), tag);
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const char c = line[tag.size() + i];
        EXPECT_TRUE(shape[i] == 'd' ? std::isdigit(static_cast<unsigned char>(c)) != 0
                                    : c == shape[i])
            << line;
    }
    EXPECT_EQ(line.substr(tag.size() + shape.size()), text);
}

} // namespace

TEST_F(ConverterRun, LogsEveryCommandExactlyAsBuilt) {
    CFFMpegUtil* util = MakeUtil();
    ASSERT_TRUE(util->IsLogOpen());
    EXPECT_TRUE(util->ConvertVideo("/src/clip.M2TS", "/src/clip.$tmp$.avi", "", "", ""));
    EXPECT_TRUE(util->ConvertVideo("/src/clip.mts", "/src/clip.$tmp$.avi", "mpeg4", "5000",
                                   "-s 1920x1080 -aspect 1.7778"));
    EXPECT_TRUE(util->ConvertImage("/src/a.jpg", "/src/a.$tmp$.bmp"));
    EXPECT_TRUE(util->JoinAudio("/o/t.$out$.avi", "/src/clip.mts", "/o/t.avi", false));
    EXPECT_TRUE(util->JoinAudio("/o/t.$out$.avi", "/src/clip.mts", "/o/t.avi", true));
    EXPECT_TRUE(util->ConvertFormat("/o/in.m2ts", "/o/t.mp4", 0, false));
    EXPECT_TRUE(util->ConvertFormat("/o/in.avi", "/o/t.mp4", -1, false));
    EXPECT_TRUE(util->ConvertFormat("/o/in.avi", "/o/t.mp4", 2, false));
    EXPECT_TRUE(util->ConvertFormat("/o/in.avi", "/o/t.mkv", 1, false));
    EXPECT_TRUE(util->ConvertFormat("/o/in.bmp", "/o/t.png", 0, true));

    const std::vector<std::string> all = LogLines();
    ASSERT_EQ(all.size(), 21u);
    for (std::size_t i = 1; i + 1 < all.size(); i += 2) {
        ExpectLogLine(all[i], "[E]:", "exit 0");
    }
    const std::vector<std::string> lines = CommandLines();
    ASSERT_EQ(lines.size(), 11u);
    ExpectLogLine(lines[0], "[V]:",
                  R"(-i "/src/clip.M2TS" -vcodec msmpeg4v2 -b 30000k -y  -an -r 29.97  )"
                  R"("/src/clip.$tmp$.avi")");
    ExpectLogLine(lines[1], "[V]:",
                  R"(-i "/src/clip.mts" -vcodec mpeg4 -b 5000k -y  -an -s 1920x1080 )"
                  R"(-aspect 1.7778 "/src/clip.$tmp$.avi")");
    ExpectLogLine(lines[2],
                  "[B]:", R"(-i "/src/a.jpg" -f image2 -pix_fmt rgb24 "/src/a.$tmp$.bmp")");
    // The sound comes from the source's own sound streams, whatever else it holds.
    ExpectLogLine(lines[3], "[U]:",
                  R"(-i "/o/t.$out$.avi" -i "/src/clip.mts" -map 0:v -map 1:a:0? -vcodec copy )"
                  R"(-sameq -acodec pcm_s16le -async 2  "/o/t.avi")");
    ExpectLogLine(lines[4], "[U]:",
                  R"(-i "/o/t.$out$.avi" -i "/src/clip.mts" -map 0:v -map 1:a:0? -vcodec copy )"
                  R"(-sameq -acodec pcm_s16le -async 2 -shortest "/o/t.avi")");
    ExpectLogLine(lines[5], "[F]:", R"(-i "/o/in.m2ts" -r 29.97 -c:v libx264 -y "/o/t.mp4")");
    for (int i : {6, 7, 8}) {
        const std::string target = i == 8 ? "/o/t.mkv" : "/o/t.mp4";
        ExpectLogLine(lines[i], "[F]:", R"(-i "/o/in.avi" -y -sameq ")" + target + "\"");
    }
    // A still image reads the "Image" section, which this profile file lacks.
    ExpectLogLine(lines[9], "[F]:", R"(-i "/o/in.bmp" -y -sameq "/o/t.png")");
    EXPECT_EQ(lines[10], "----------");
}

TEST_F(ConverterRun, AnyFileNameReachesTheToolAsOneArgument) {
    const std::string odd = "-odd \"quoted\" $HOME 'ü' name.mp4";
    const std::string output = Path("-out \"q\" $(echo x) ü.avi");
    CFFMpegUtil* util = MakeUtil();
    ASSERT_TRUE(util->ConvertVideo(odd, output, "", "", "-vf transpose=1"));
    EXPECT_EQ(ToolArguments(),
              (std::vector<std::string>{"-i", "./" + odd, "-vcodec", "msmpeg4v2", "-b", "30000k",
                                        "-y", "-an", "-vf", "transpose=1", output}));

    ASSERT_TRUE(util->ConvertFormat(odd, output, 0, false));
    EXPECT_EQ(ToolArguments(),
              (std::vector<std::string>{"-i", "./" + odd, "-c:v", "libx264", "-y", output}));
    EXPECT_TRUE(fs::exists(output));
}

TEST_F(ConverterRun, EachCommandShowsItsTitleAndTheOutputSizeBeyondFourGigabytes) {
    CFFMpegUtil* util = MakeUtil();
    ASSERT_TRUE(util->ConvertVideo(Path("in.mp4"), Path("v.avi"), "", "", ""));
    EXPECT_EQ(m_progress.created, 1);
    EXPECT_EQ(m_progress.destroyed, 1);
    EXPECT_TRUE(m_progress.marquee);
    EXPECT_GE(m_progress.pumps, 1);
    ASSERT_FALSE(m_progress.captions.empty());
    EXPECT_EQ(m_progress.captions.front(), "");
    EXPECT_EQ(m_progress.captions.back(), "Format Converting... 5120.0 MB");

    ASSERT_TRUE(util->JoinAudio(Path("v.avi"), Path("in.mp4"), Path("u.avi"), false));
    EXPECT_EQ(m_progress.captions.back(), "Bond in the audio stream... 5120.0 MB");
    ASSERT_TRUE(util->ConvertFormat(Path("u.avi"), Path("f.mp4"), 0, false));
    EXPECT_EQ(m_progress.captions.back(), "Format Converting... 5120.0 MB");
}

TEST_F(ConverterRun, MissingToolRunsNothingAndLogsOnlyTheTags) {
    fs::remove(m_dir / "prog" / "misc" / "ffmpeg");
    CFFMpegUtil* util = MakeUtil();
    EXPECT_FALSE(util->ConvertVideo(Path("in.mp4"), Path("out.avi"), "", "", ""));
    EXPECT_FALSE(util->ConvertImage(Path("in.jpg"), Path("out.bmp")));
    EXPECT_TRUE(util->LastRun().toolMissing);
    EXPECT_EQ(m_progress.created, 0);
    m_util.reset();
    EXPECT_EQ(ReadAll(Path("data/QV_command.log")), "[V]:[B]:----------\n");
}

TEST_F(ConverterRun, SecondRunnerConvertsUnloggedWhileTheFirstHoldsTheLog) {
    CFFMpegUtil* first = MakeUtil();
    CFFMpegUtil second(Path("prog"), Path("data"), m_progress, &ConverterFixture::EnglishText);
    EXPECT_TRUE(first->IsLogOpen());
    EXPECT_FALSE(second.IsLogOpen());
    EXPECT_TRUE(second.ConvertImage(Path("in.jpg"), Path("second.bmp")));
    EXPECT_TRUE(first->ConvertImage(Path("in.jpg"), Path("first.bmp")));
    const std::vector<std::string> lines = CommandLines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find("first.bmp"), std::string::npos);
    EXPECT_EQ(lines[1], "----------");
}

// A conversion cut short by a full disk or a killed tool must not pass for a success.
TEST_F(ConverterRun, LastRunAndTheLogTellHowEachRunEnded) {
    CFFMpegUtil* util = MakeUtil();
    EXPECT_TRUE(util->ConvertVideo(Path("in.mp4"), Path("cut-short.avi"), "", "", ""));
    EXPECT_FALSE(util->LastRun().Succeeded());
    EXPECT_EQ(util->LastRun().exitCode, 3);
    EXPECT_TRUE(util->ConvertImage(Path("in.jpg"), Path("killed.bmp")));
    EXPECT_FALSE(util->LastRun().Succeeded());
    EXPECT_FALSE(util->LastRun().toolMissing);
    EXPECT_TRUE(util->JoinAudio(Path("v.avi"), Path("in.mp4"), Path("refused.avi"), false));
    EXPECT_EQ(util->LastRun().exitCode, 1);
    EXPECT_TRUE(util->ConvertVideo(Path("in.mp4"), Path("v.avi"), "", "", ""));
    EXPECT_TRUE(util->LastRun().Succeeded());

    const std::vector<std::string> lines = LogLines();
    ASSERT_EQ(lines.size(), 9u);
    const char* const ends[] = {"exit 3", "killed", "exit 1", "exit 0"};
    for (std::size_t i = 0; i < std::size(ends); ++i) {
        ExpectLogLine(lines[2 * i + 1], "[E]:", ends[i]);
    }
}

TEST_F(ConverterRun, WithoutADataFolderNothingIsLoggedAnywhere) {
    const fs::path previous = fs::current_path();
    fs::current_path(m_dir);
    {
        CFFMpegUtil util(Path("prog"), "", m_progress, &ConverterFixture::EnglishText);
        EXPECT_FALSE(util.IsLogOpen());
        EXPECT_TRUE(util.ConvertImage(Path("in.jpg"), Path("out.bmp")));
    }
    fs::current_path(previous);
    EXPECT_FALSE(fs::exists(m_dir / CFFMpegUtil::LogName));
    EXPECT_TRUE(fs::exists(m_dir / "out.bmp"));
}

TEST(ConverterProgress, PercentWrapsBeyondTheRangeButKeepsTheEnd) {
    EXPECT_EQ(IProgress::PercentText(42, 0, 100), "42%");
    EXPECT_EQ(IProgress::PercentText(100, 0, 100), "100%");
    EXPECT_EQ(IProgress::PercentText(150, 0, 100), "50%");
    EXPECT_EQ(IProgress::PercentText(7, 5, 9), "50%");
    EXPECT_EQ(IProgress::PercentText(2000000000, 0, 2100000000), "95%");
    EXPECT_EQ(IProgress::PercentText(3, 0, 0), "");
}

TEST_F(ConverterRun, ConsoleProgressRewritesOneLine) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    {
        CConsoleProgress console(stream, CConsoleProgress::Mode::Live);
        CFFMpegUtil util(Path("prog"), Path("data"), console, &ConverterFixture::EnglishText);
        ASSERT_TRUE(util.ConvertImage(Path("in.jpg"), Path("out.bmp")));
        console.Create();
        console.SetRange(0, 10);
        console.SetCaption("Export");
        console.UpdatePercent(5);
        console.UpdatePercent(5);
        console.Destroy();
    }
    std::rewind(stream);
    std::string text(256, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), stream));
    std::fclose(stream);
    EXPECT_EQ(text, "\rFormat Converting... 5120.0 MB\n\rExport\rExport 50%\n");
}

// Export-like progress through a console progress that chooses its mode from the stream.
void DriveExportProgress(std::FILE* stream) {
    CConsoleProgress console(stream);
    console.Create();
    console.SetRange(0, 10);
    console.SetCaption("Export");
    console.UpdatePercent(5);
    console.Destroy();
}

TEST(ConsoleProgress, ChoosesCarriageReturnsOnlyForATerminal) {
    std::FILE* file = std::tmpfile();
    ASSERT_NE(file, nullptr);
    DriveExportProgress(file);
    std::rewind(file);
    std::string written(256, '\0');
    written.resize(std::fread(written.data(), 1, written.size(), file));
    std::fclose(file);
    EXPECT_EQ(written, "Export\nExport 50%\n");

    const int master = ::posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(::grantpt(master), 0);
    ASSERT_EQ(::unlockpt(master), 0);
    std::FILE* terminal = ::fdopen(::open(::ptsname(master), O_WRONLY | O_NOCTTY), "w");
    ASSERT_NE(terminal, nullptr);
    termios raw{};
    ASSERT_EQ(::tcgetattr(::fileno(terminal), &raw), 0);
    ::cfmakeraw(&raw);
    ASSERT_EQ(::tcsetattr(::fileno(terminal), TCSANOW, &raw), 0);
    DriveExportProgress(terminal);
    std::fclose(terminal);
    std::string shown;
    char buffer[256];
    for (ssize_t got; (got = ::read(master, buffer, sizeof buffer)) > 0;) {
        shown.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(master);
    EXPECT_EQ(shown, "\rExport\rExport 50%\n");
}
