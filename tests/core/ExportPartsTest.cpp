#include "export/CFrameQueue.h"
#include "export/CRegionScaler.h"
#include "export/CTimeLeft.h"
#include "media/CFFMpegUtil.h"
#include "media/CFormatIniFile.h"
#include "platform/CConsoleProgress.h"
#include "resources/CStringTable.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>
#include <vector>

namespace {

AVFramePtr Picture(std::int64_t pts) {
    AVFramePtr picture(av_frame_alloc());
    picture->pts = pts;
    return picture;
}

// Converts one grey 4:2:0 region of width x height to 24 bits.
bool ConvertRegion(CRegionScaler& scaler, int width, int height) {
    std::vector<std::uint8_t> luma(static_cast<std::size_t>(width * height), 128);
    std::vector<std::uint8_t> chroma(static_cast<std::size_t>(width * height / 4), 128);
    std::vector<std::uint8_t> bgr(static_cast<std::size_t>(width * height * 3), 0);
    const std::uint8_t* const source[4] = {luma.data(), chroma.data(), chroma.data(), nullptr};
    const int sourceStrides[4] = {width, width / 2, width / 2, 0};
    std::uint8_t* const target[4] = {bgr.data(), nullptr, nullptr, nullptr};
    const int targetStrides[4] = {width * 3, 0, 0, 0};
    return scaler.Convert(width, height, source, sourceStrides, target, targetStrides) &&
           bgr[0] == bgr.back() && bgr[0] > 100 && bgr[0] < 160;
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
    // A name typed with another type's extension than the one chosen gets its own type.
    EXPECT_EQ(movies.ProfileFor("/v/out.mp4", 0), 1);
    EXPECT_EQ(movies.ProfileFor("/v/out.mp4", 1), 1);
    EXPECT_EQ(movies.ProfileFor("/v/out.xyz", 2), 2);
    EXPECT_EQ(movies.ProfileFor("/v/out", 0), 0);
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

// More regions of different sizes in a picture than sizes kept: every picture still reuses the
// scalers of the one before, while sizes that change every picture never pile up.
TEST(ExportPartsTest, RegionScalersOfEveryRegionOfAPictureAreKept) {
    CRegionScaler scaler(AV_PIX_FMT_YUV420P, AV_PIX_FMT_BGR24);
    constexpr int kRegions = static_cast<int>(CRegionScaler::KeptSizes) + 8;
    for (int picture = 0; picture < 3; ++picture) {
        scaler.NextPicture();
        for (int region = 1; region <= kRegions; ++region) {
            ASSERT_TRUE(ConvertRegion(scaler, 16 * region, 2));
        }
    }
    EXPECT_EQ(scaler.Made(), static_cast<std::size_t>(kRegions));

    for (int picture = 0; picture < 20; ++picture) {
        scaler.NextPicture();
        ASSERT_TRUE(ConvertRegion(scaler, 16, 4 + 2 * picture));
        ASSERT_TRUE(ConvertRegion(scaler, 32, 4 + 2 * picture));
    }
    EXPECT_EQ(scaler.Made(), static_cast<std::size_t>(kRegions + 40));
    EXPECT_EQ(scaler.Kept(), CRegionScaler::KeptSizes);
}
