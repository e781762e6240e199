#include "CTestMedia.h"
#include "CTrackFootage.h"

#include "media/CTrackFrames.h"
#include "media/RX40sCFFmpeg.h"
#include "mosaic/CSubjectTracker.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

using Direction = CSubjectTracker::Direction;
using Stop = CTrackResult::Stop;

class SubjectTrackerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_media = std::make_unique<CTestMedia>();
        s_footage = CTrackFootage::Write(*s_media, "subject.avi");
    }
    static void TearDownTestSuite() { s_media.reset(); }

    void SetUp() override {
        ASSERT_FALSE(s_footage.empty());
        ASSERT_EQ(m_video.Open(s_footage), 1);
        ASSERT_EQ(m_video.m_nLastFrame, CTrackFootage::kFrames - 1);
    }

    static std::unique_ptr<CTestMedia> s_media;
    static std::string s_footage;
    RX40sCFFmpeg m_video;
};

std::unique_ptr<CTestMedia> SubjectTrackerTest::s_media;
std::string SubjectTrackerTest::s_footage;

} // namespace

// Through the turn, the shrinking and the partial cover the rectangle stays on the subject; the
// block that hides it ends the run within a few frames.
TEST_F(SubjectTrackerTest, FollowsTheSubjectUntilItIsHidden) {
    CTrackFrames frames(m_video);
    std::vector<std::int64_t> reported;
    const CTrackResult result = CSubjectTracker(frames).Run(
        0, CTrackFootage::Truth(0), Direction::Forward, [&](std::int64_t frame, const T_RECT&) {
            reported.push_back(frame);
            return true;
        });
    ASSERT_EQ(result.stop, Stop::Lost);
    EXPECT_GE(result.stopFrame, CTrackFootage::kFullCover);
    EXPECT_LE(result.stopFrame, CTrackFootage::kFullCover + 5);
    const std::vector<T_RECT>& rects = result.track.Rects();
    EXPECT_EQ(result.track.First(), 0);
    ASSERT_EQ(static_cast<std::int64_t>(rects.size()), result.stopFrame);
    EXPECT_EQ(result.unsure.size(), rects.size());
    EXPECT_GE(CTrackFootage::ShareOnPath(0, rects, 0.7), 0.95);
    // The frame that first looked lost was shown, then dropped.
    ASSERT_GE(reported.size(), rects.size());
    for (std::size_t i = 0; i < reported.size(); ++i) {
        EXPECT_EQ(reported[i], static_cast<std::int64_t>(i));
    }
}

// Backward from a late frame the track runs to the first frame and is stored in frame order;
// a run that is told to stop ends on the frame it was told at.
TEST_F(SubjectTrackerTest, FollowsBackwardToTheStartAndStopsWhenTold) {
    CTrackFrames frames(m_video);
    CSubjectTracker tracker(frames);
    const int start = CTrackFootage::kFullCover - 5;
    const CTrackResult back = tracker.Run(start, CTrackFootage::Truth(start), Direction::Backward);
    EXPECT_EQ(back.stop, Stop::End);
    EXPECT_EQ(back.stopFrame, 0);
    EXPECT_EQ(back.track.First(), 0);
    ASSERT_EQ(back.track.Rects().size(), static_cast<std::size_t>(start + 1));
    EXPECT_EQ(back.track.Rects().back(), CTrackFootage::Truth(start));
    EXPECT_GE(CTrackFootage::ShareOnPath(0, back.track.Rects(), 0.7), 0.95);

    const CTrackResult told =
        tracker.Run(10, CTrackFootage::Truth(10), Direction::Forward,
                    [](std::int64_t frame, const T_RECT&) { return frame < 20; });
    EXPECT_EQ(told.stop, Stop::Cancelled);
    EXPECT_EQ(told.stopFrame, 20);
    EXPECT_EQ(told.track.First(), 10);
    EXPECT_EQ(told.track.Rects().size(), 11u);

    EXPECT_EQ(tracker.Run(0, T_RECT{400, 10, 420, 30}, Direction::Forward).stop, Stop::BadStart);
    EXPECT_EQ(tracker.Run(CTrackFootage::kFrames, CTrackFootage::Truth(0), Direction::Forward).stop,
              Stop::BadStart);
}
