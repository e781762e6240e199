#include "export/CFrameQueue.h"
#include "export/CTimeLeft.h"
#include "media/CFFMpegUtil.h"
#include "media/CFormatIniFile.h"
#include "platform/CConsoleProgress.h"
#include "resources/CStringTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

namespace {

AVFramePtr Picture(std::int64_t pts) {
    AVFramePtr picture(av_frame_alloc());
    picture->pts = pts;
    return picture;
}

std::string Written(std::FILE* stream) {
    std::rewind(stream);
    std::string text(512, '\0');
    text.resize(std::fread(text.data(), 1, text.size(), stream));
    std::fclose(stream);
    return text;
}

} // namespace

TEST(ExportPartsTest, TimeLeftFollowsThePaceSoFar) {
    CStringTable::SetLanguage(CStringTable::English);
    EXPECT_DOUBLE_EQ(CTimeLeft::Estimate(10.0, 100, 400), 30.0);
    EXPECT_DOUBLE_EQ(CTimeLeft::Estimate(10.0, 400, 400), 0.0);
    EXPECT_LT(CTimeLeft::Estimate(0.2, 10, 400), 0.0);
    EXPECT_LT(CTimeLeft::Estimate(10.0, 0, 400), 0.0);
    EXPECT_EQ(CTimeLeft::ClockText(7.4), "0:07");
    EXPECT_EQ(CTimeLeft::ClockText(754), "12:34");
    EXPECT_EQ(CTimeLeft::ClockText(3723), "1:02:03");
    EXPECT_EQ(CTimeLeft::Text(65), "Time left 1:05");
    EXPECT_EQ(CTimeLeft::Text(-1), "");
    CStringTable::SetLanguage(CStringTable::Japanese);
    EXPECT_EQ(CTimeLeft::Text(65), "残り時間 1:05");
    CStringTable::SetLanguage(CStringTable::English);
}

TEST(ExportPartsTest, ConsoleProgressWritesPlainLinesAwayFromATerminal) {
    std::FILE* stream = std::tmpfile();
    ASSERT_NE(stream, nullptr);
    CConsoleProgress console(stream, CConsoleProgress::Mode::Lines);
    volatile std::sig_atomic_t interrupted = 0;
    console.SetCancelFlag(&interrupted);
    console.Create();
    console.SetRange(0, 10);
    console.SetCaption("Export");
    console.UpdatePercent(5);
    console.SetTimeLeft("Time left 0:03");
    EXPECT_FALSE(console.CancelRequested());
    interrupted = 1;
    EXPECT_TRUE(console.CancelRequested());
    console.Destroy();
    // Within a second only the first state and the last are written.
    EXPECT_EQ(Written(stream), "Export\nExport 50% Time left 0:03\n");
}

TEST(ExportPartsTest, TheTargetsExtensionPicksTheProfile) {
    const CFormatIniFile movies(QUORVEL_BIN_DIR, false);
    EXPECT_EQ(movies.ProfileFor("/v/out.avi"), 0);
    EXPECT_EQ(movies.ProfileFor("/v/out.MP4"), 1);
    EXPECT_EQ(movies.ProfileFor("/v/a.b/out.mkv"), 3);
    EXPECT_EQ(movies.ProfileFor("/v/out.xyz"), -1);
    EXPECT_EQ(movies.ProfileFor("/v/a.mp4/out"), -1);
    EXPECT_EQ(CFormatIniFile(QUORVEL_BIN_DIR, true).ProfileFor("/v/photo.png"), 2);
}

TEST(ExportPartsTest, TheConvertersReasonIsItsLastLineBeforeTheSummary) {
    EXPECT_EQ(CFFMpegUtil::ReasonOf("Input #0, avi\n"
                                    "frame=   10 fps=0.0\rframe=   20 fps=0.0\r"
                                    "out.mp4: No space left on device\n"
                                    "Conversion failed!\n"),
              "out.mp4: No space left on device");
    EXPECT_EQ(CFFMpegUtil::ReasonOf("frame=   20 fps=0.0\r"), "");
}

TEST(ExportPartsTest, FrameQueueHandsOverInOrderAndWakesBothSidesOnAbort) {
    CFrameQueue queue(2);
    for (std::int64_t pts = 0; pts < 2; ++pts) {
        AVFramePtr picture = Picture(pts);
        EXPECT_EQ(queue.TryPush(picture, std::chrono::milliseconds(0)), CFrameQueue::Push::Done);
    }
    AVFramePtr third = Picture(2);
    EXPECT_EQ(queue.TryPush(third, std::chrono::milliseconds(1)), CFrameQueue::Push::Full);
    ASSERT_NE(third, nullptr);
    queue.Close();
    EXPECT_EQ(queue.Pop()->pts, 0);
    EXPECT_EQ(queue.Pop()->pts, 1);
    EXPECT_EQ(queue.Pop(), nullptr);

    CFrameQueue blocked(1);
    AVFramePtr first = Picture(0);
    ASSERT_EQ(blocked.TryPush(first, std::chrono::milliseconds(0)), CFrameQueue::Push::Done);
    std::thread aborter([&blocked] {
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        blocked.Abort();
    });
    AVFramePtr second = Picture(1);
    EXPECT_EQ(blocked.TryPush(second, std::chrono::seconds(10)), CFrameQueue::Push::Aborted);
    aborter.join();
    EXPECT_EQ(blocked.Pop(), nullptr);
}
