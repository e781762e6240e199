#include "mosaic/CCoverage.h"
#include "mosaic/CMosaicParam.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <set>
#include <vector>

namespace {

constexpr T_RECT kA{10, 10, 50, 50};
constexpr T_RECT kB{30, 30, 80, 80};
constexpr T_RECT kC{0, 0, 5, 5};

// Three tracks: 0 over frames 10..12 (kA), 1 over frames 11..12 (kB), 2 at frame 12 (kC).
CMosaicParam ThreeTracks() {
    CMosaicParam model;
    for (std::int32_t frame = 10; frame <= 12; ++frame) {
        model.SetTrackRect(0, kA, frame);
    }
    model.SetTrackRect(1, kB, 11);
    model.SetTrackRect(1, kB, 12);
    model.SetTrackRect(2, kC, 12);
    return model;
}

} // namespace

TEST(MosaicParam, StartsFromTheTypeWithItsDefaultSize) {
    const CMosaicParam blur(7);
    EXPECT_EQ(blur.enable, 1);
    EXPECT_EQ(blur.type, 7);
    EXPECT_EQ(blur.size, 15);
    EXPECT_FALSE(blur.HasRegions());
    EXPECT_EQ(CMosaicParam(-1).size, 10);
    EXPECT_EQ(CMosaicParam(10).size, 10);
}

TEST(MosaicParam, SetTrackRectAppendsNewTracksAtTheEndAndSetsFramesInPlace) {
    CMosaicParam model = ThreeTracks();
    model.SetTrackRect(model.TrackCount() + 5, kC, 40);
    ASSERT_EQ(model.TrackCount(), 4);
    EXPECT_EQ(model.Tracks()[3], CMosaicTrack(40, {kC}));

    // A frame held gets its new rectangle; frames before or after the track stretch it, with
    // empty rectangles in between.
    model.SetTrackRect(0, kC, 11);
    model.SetTrackRect(0, kB, 8);
    model.SetTrackRect(0, kB, 14);
    EXPECT_EQ(model.Tracks()[0], CMosaicTrack(8, {kB, {}, kA, kC, kA, {}, kB}));

    // The brush outside the picture still starts the recorded track.
    model.SetTrackRect(4, T_RECT{}, 50);
    ASSERT_EQ(model.TrackCount(), 5);
    model.SetTrackRect(4, kA, 51);
    EXPECT_EQ(model.Tracks()[4], CMosaicTrack(50, {{}, kA}));

    model.SetTrackRect(-1, kA, 1);
    EXPECT_EQ(model.TrackCount(), 5);
}

TEST(MosaicParam, TrackRectAndHitTestAnswerOnlyForCoveredFrames) {
    const CMosaicParam model = ThreeTracks();
    EXPECT_EQ(model.GetTrackRect(1, 11), kB);
    EXPECT_TRUE(model.GetTrackRect(1, 10).IsEmpty());
    EXPECT_EQ(model.GetTrackRect(3, 12), T_RECT{});
    EXPECT_EQ(model.GetTrackRect(-1, 12), T_RECT{});

    // Where tracks overlap the most recent one wins; right and bottom are outside.
    EXPECT_EQ(model.HitTestTrack(40, 40, 11), 1);
    EXPECT_EQ(model.HitTestTrack(40, 40, 10), 0);
    EXPECT_EQ(model.HitTestTrack(2, 2, 12), 2);
    EXPECT_EQ(model.HitTestTrack(5, 2, 12), -1);
    EXPECT_EQ(model.HitTestTrack(40, 40, 13), -1);
}

TEST(MosaicParam, DeleteTrackFromCutsTheTailAndDropsEmptiedTracks) {
    CMosaicParam model = ThreeTracks();
    model.DeleteTrackFrom(0, 11);
    EXPECT_EQ(model.Tracks()[0], CMosaicTrack(10, {kA}));

    model.DeleteTrackFrom(0, 99);
    model.DeleteTrackFrom(0, 9);
    EXPECT_EQ(model.Tracks()[0], CMosaicTrack(10, {kA}));

    // At the first frame the whole track goes and the later ones move down.
    model.DeleteTrackFrom(0, 10);
    ASSERT_EQ(model.TrackCount(), 2);
    EXPECT_EQ(model.HitTestTrack(40, 40, 11), 0);
    EXPECT_EQ(model.HitTestTrack(2, 2, 12), 1);

    model.DeleteTrackFrom(7, 12);
    model.DeleteTrackFrom(-1, 12);
    EXPECT_EQ(model.TrackCount(), 2);
}

// Frames count, not the order they were recorded in: a track modified from before its start
// and again after a gap answers for each frame with its own rectangle.
TEST(MosaicParam, TrackRectsStayOnTheirFramesThroughModificationAndCuts) {
    CMosaicParam model;
    for (std::int32_t frame = 100; frame <= 200; ++frame) {
        model.SetTrackRect(0, kA, frame);
    }
    for (std::int32_t frame = 300; frame <= 350; ++frame) {
        model.SetTrackRect(0, kB, frame);
    }
    model.SetTrackRect(0, kC, 90);
    EXPECT_EQ(model.GetTrackRect(0, 90), kC);
    EXPECT_EQ(model.GetTrackRect(0, 150), kA);
    EXPECT_EQ(model.GetTrackRect(0, 325), kB);
    for (const std::int32_t gap : {89, 91, 99, 201, 299, 351}) {
        EXPECT_TRUE(model.GetTrackRect(0, gap).IsEmpty()) << gap;
        EXPECT_EQ(model.HitTestTrack(31, 31, gap), -1) << gap;
    }
    EXPECT_EQ(model.HitTestTrack(31, 31, 300), 0);

    // Every later frame goes, frames recorded later but lying earlier stay.
    model.DeleteTrackFrom(0, 150);
    EXPECT_EQ(model.GetTrackRect(0, 90), kC);
    EXPECT_EQ(model.GetTrackRect(0, 149), kA);
    EXPECT_TRUE(model.GetTrackRect(0, 150).IsEmpty());
    EXPECT_TRUE(model.GetTrackRect(0, 300).IsEmpty());

    // A cut in a gap goes on from there; a track left with nothing to show goes.
    model.DeleteTrackFrom(0, 95);
    EXPECT_EQ(model.GetTrackRect(0, 90), kC);
    EXPECT_TRUE(model.GetTrackRect(0, 100).IsEmpty());
    model.DeleteTrackFrom(0, 91);
    ASSERT_EQ(model.TrackCount(), 1);
    model.SetTrackRect(1, T_RECT{}, 4);
    model.SetTrackRect(1, kA, 5);
    model.DeleteTrackFrom(1, 5);
    EXPECT_EQ(model.TrackCount(), 1);
    model.DeleteTrackFrom(0, 90);
    EXPECT_EQ(model.TrackCount(), 0);
}

TEST(MosaicParam, RemovalsIgnoreIndexesOutsideTheLists) {
    CMosaicParam model = ThreeTracks();
    model.DeleteTrack(1);
    ASSERT_EQ(model.TrackCount(), 2);
    EXPECT_EQ(model.Tracks()[1], CMosaicTrack(12, {kC}));
    model.DeleteTrack(2);
    model.DeleteTrack(-1);
    EXPECT_EQ(model.TrackCount(), 2);
    model.RemoveAllTracks();
    EXPECT_EQ(model.TrackCount(), 0);

    model.AddFixedArea(kA);
    model.AddFixedArea(kB);
    model.AddFixedArea(kC);
    model.DeleteFixedArea(1);
    EXPECT_EQ(model.FixedAreas(), (std::vector<T_RECT>{kA, kC}));
    model.DeleteFixedArea(2);
    model.DeleteFixedArea(-1);
    EXPECT_EQ(model.FixedAreas().size(), 2u);
    model.RemoveAllFixedAreas();
    EXPECT_FALSE(model.HasRegions());

    model.AppendTrack({});
    EXPECT_EQ(model.TrackCount(), 0);
}

TEST(MosaicParam, SetTypeFollowsTheDocumentAndReportsWhetherRegionsChanged) {
    CMosaicParam model(2);
    std::int32_t sizeId = 2;
    EXPECT_FALSE(model.SetType(7, sizeId, true));
    EXPECT_EQ(sizeId, 7);
    EXPECT_EQ(model.type, 7);
    EXPECT_EQ(model.size, 15);

    EXPECT_FALSE(model.SetType(0, sizeId, false));
    EXPECT_EQ(sizeId, 0);
    EXPECT_EQ(model.type, 7);
    EXPECT_EQ(model.size, 15);

    model.SetTrackRect(0, kA, 0);
    EXPECT_TRUE(model.SetType(3, sizeId, true));
    EXPECT_EQ(model.size, 5);
}

TEST(MosaicParam, StrengthKeysActOnlyOnBlurTypesWithinTheirLimits) {
    CMosaicParam model(8);
    model.size = 33;
    EXPECT_TRUE(model.ResetBlurSize(8));
    EXPECT_EQ(model.size, 10);

    model.size = 33;
    EXPECT_FALSE(model.ResetBlurSize(2));
    EXPECT_FALSE(model.StepBlurSize(2, 1));
    EXPECT_EQ(model.size, 33);

    model.size = 49;
    EXPECT_TRUE(model.StepBlurSize(7, 1));
    EXPECT_TRUE(model.StepBlurSize(7, 1));
    EXPECT_EQ(model.size, 50);
    model.size = 6;
    EXPECT_TRUE(model.StepBlurSize(9, -1));
    EXPECT_TRUE(model.StepBlurSize(9, -1));
    EXPECT_EQ(model.size, 5);

    // Sizes loaded from a progress file can be anything.
    model.size = std::numeric_limits<std::int32_t>::max();
    EXPECT_TRUE(model.StepBlurSize(7, 1));
    EXPECT_EQ(model.size, 50);
    model.size = std::numeric_limits<std::int32_t>::min();
    EXPECT_TRUE(model.StepBlurSize(7, -1));
    EXPECT_EQ(model.size, 5);
}

// Gaps are the frames without a rectangle between two that have one; the frames before the
// first and after the last are no gaps and stay empty.
TEST(MosaicParam, FillGapsInterpolatesLinearlyBetweenTheRectanglesAround) {
    CMosaicParam model;
    model.SetTrackRect(0, T_RECT{}, 2);
    model.SetTrackRect(0, T_RECT{0, 0, 10, 10}, 3);
    model.SetTrackRect(0, T_RECT{30, 3, 40, 20}, 6);
    model.SetTrackRect(0, T_RECT{31, 3, 41, 20}, 8);
    model.SetTrackRect(0, T_RECT{}, 9);
    model.SetTrackRect(1, kA, 20);
    model.SetTrackUnsure(0, 4, true);
    model.SetTrackUnsure(0, 40, true);
    EXPECT_EQ(CCoverage::GapFrames(model), 3);
    EXPECT_EQ(CCoverage::NextGap(model, 3), 4);
    EXPECT_EQ(CCoverage::NextGap(model, 4), 7);
    EXPECT_EQ(CCoverage::NextGap(model, 7), 4);
    EXPECT_EQ(model.Tracks()[0].UnsureFrames(), (std::set<std::int64_t>{4}));

    EXPECT_EQ(model.FillGaps(), 3);
    EXPECT_EQ(model.Tracks()[0],
              [] {
                  CMosaicTrack track(2, {T_RECT{}, T_RECT{0, 0, 10, 10}, T_RECT{10, 1, 20, 13},
                                         T_RECT{20, 2, 30, 17}, T_RECT{30, 3, 40, 20},
                                         T_RECT{31, 3, 41, 20}, T_RECT{31, 3, 41, 20}, T_RECT{}});
                  track.SetUnsure(4, true);
                  return track;
              }());
    EXPECT_EQ(model.Tracks()[1], CMosaicTrack(20, {kA}));
    EXPECT_EQ(model.FillGaps(), 0);

    // A rectangle set by hand is sure again; cutting the tail takes its marks along.
    model.SetTrackRect(0, kB, 4);
    model.SetTrackUnsure(0, 7, true);
    EXPECT_FALSE(model.Tracks()[0].Unsure(4));
    model.DeleteTrackFrom(0, 6);
    EXPECT_TRUE(model.Tracks()[0].UnsureFrames().empty());
}

// Each frame's kind: a gap outweighs an unsure frame, which outweighs a covered one; frames
// are counted once however many tracks miss them, and the next gap wraps to the first.
TEST(MosaicParam, CoverageTellsEachFrameAndFindsTheGaps) {
    CMosaicParam model;
    using K = CCoverage::Kind;
    EXPECT_EQ(CCoverage::Compute(model, 3), (std::vector<K>{K::None, K::None, K::None}));
    model.SetTrackRect(0, kA, 1);
    model.SetTrackRect(0, kA, 4);
    model.SetTrackRect(0, T_RECT{}, 5);
    model.SetTrackRect(1, kB, 3);
    model.SetTrackRect(1, kB, 7);
    model.SetTrackUnsure(1, 7, true);
    model.SetTrackUnsure(0, 2, true);
    EXPECT_EQ(CCoverage::Compute(model, 9),
              (std::vector<K>{K::None, K::Track, K::Gap, K::Gap, K::Gap, K::Gap, K::Gap,
                              K::Unsure, K::None}));
    EXPECT_TRUE(CCoverage::HasGaps(model));
    EXPECT_EQ(CCoverage::GapFrames(model), 5);
    // The gaps of both tracks make one run, from 2 to 6.
    EXPECT_EQ(CCoverage::NextGap(model, -1), 2);
    EXPECT_EQ(CCoverage::NextGap(model, 3), 2);
    EXPECT_EQ(CCoverage::NextGap(model, 8), 2);
    // Frames beyond the movie are left out.
    EXPECT_EQ(CCoverage::Compute(model, 2), (std::vector<K>{K::None, K::Track}));

    // Filled frames keep their marks: a guess between two rectangles is no surer.
    model.AddFixedArea(kC);
    model.FillGaps();
    EXPECT_FALSE(CCoverage::HasGaps(model));
    EXPECT_EQ(CCoverage::NextGap(model, 0), -1);
    EXPECT_EQ(CCoverage::Compute(model, 9),
              (std::vector<K>{K::Fixed, K::Track, K::Unsure, K::Track, K::Track, K::Track,
                              K::Track, K::Unsure, K::Fixed}));
}
