#include "mosaic/CMosaicHistory.h"
#include "mosaic/CMosaicParam.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

constexpr T_RECT kA{10, 10, 50, 50};
constexpr T_RECT kB{100, 100, 180, 160};

// Two fixed areas and two tracks, the second with a gap at frame 22.
CMosaicParam Base() {
    CMosaicParam mosaic(7);
    mosaic.AddFixedArea(kA);
    mosaic.AddFixedArea(kB);
    for (std::int32_t frame = 10; frame < 20; ++frame) {
        mosaic.SetTrackRect(0, kA, frame);
    }
    mosaic.SetTrackRect(1, kB, 21);
    mosaic.SetTrackRect(1, kA, 23);
    return mosaic;
}

bool Same(const CMosaicParam& a, const CMosaicParam& b) {
    return a.enable == b.enable && a.type == b.type && a.size == b.size &&
           a.FixedAreas() == b.FixedAreas() && a.Tracks() == b.Tracks();
}

struct Change {
    std::string name;
    std::function<void(CMosaicParam&)> apply;
};

std::ostream& operator<<(std::ostream& out, const Change& change) {
    return out << change.name;
}

} // namespace

class MosaicHistoryKinds : public ::testing::TestWithParam<Change> {};

// Every kind of change is one step: undone it gives the mosaic before it back exactly, redone
// the mosaic after it, and the states keep their ids.
TEST_P(MosaicHistoryKinds, EachChangeIsOneStepBackAndForth) {
    CMosaicParam mosaic = Base();
    CMosaicHistory history;
    history.Reset(mosaic);
    const std::uint64_t before = history.StateId();
    EXPECT_FALSE(history.CanUndo());
    EXPECT_FALSE(history.Commit(mosaic));

    GetParam().apply(mosaic);
    const CMosaicParam changed = mosaic;
    ASSERT_FALSE(Same(changed, Base()));
    ASSERT_TRUE(history.Commit(mosaic));
    const std::uint64_t after = history.StateId();
    EXPECT_NE(after, before);
    EXPECT_TRUE(history.CanUndo());
    EXPECT_FALSE(history.CanRedo());

    ASSERT_TRUE(history.Undo(mosaic));
    EXPECT_TRUE(Same(mosaic, Base()));
    EXPECT_EQ(history.StateId(), before);
    EXPECT_FALSE(history.Undo(mosaic));
    ASSERT_TRUE(history.Redo(mosaic));
    EXPECT_TRUE(Same(mosaic, changed));
    EXPECT_EQ(history.StateId(), after);
    EXPECT_FALSE(history.Redo(mosaic));

    // A new change after an undo drops the undone step.
    ASSERT_TRUE(history.Undo(mosaic));
    mosaic.AddFixedArea(T_RECT{1, 1, 2, 2});
    ASSERT_TRUE(history.Commit(mosaic));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.StateCount(), 2u);
    ASSERT_TRUE(history.Undo(mosaic));
    EXPECT_TRUE(Same(mosaic, Base()));
}

INSTANTIATE_TEST_SUITE_P(
    Changes, MosaicHistoryKinds,
    ::testing::Values(
        Change{"AreaDrawn", [](CMosaicParam& m) { m.AddFixedArea(T_RECT{5, 5, 40, 30}); }},
        Change{"AreaMoved", [](CMosaicParam& m) { m.SetFixedArea(1, T_RECT{110, 90, 190, 150}); }},
        Change{"AreaResized", [](CMosaicParam& m) { m.SetFixedArea(0, T_RECT{10, 10, 70, 50}); }},
        Change{"AreaDeleted", [](CMosaicParam& m) { m.DeleteFixedArea(0); }},
        Change{"AllRemoved",
               [](CMosaicParam& m) {
                   m.RemoveAllFixedAreas();
                   m.RemoveAllTracks();
               }},
        Change{"Recording",
               [](CMosaicParam& m) {
                   for (std::int32_t frame = 30; frame < 40; ++frame) {
                       m.SetTrackRect(2, kB, frame);
                   }
               }},
        Change{"Modification",
               [](CMosaicParam& m) {
                   for (std::int32_t frame = 15; frame < 25; ++frame) {
                       m.SetTrackRect(0, kB, frame);
                   }
               }},
        Change{"OneFrameEdit", [](CMosaicParam& m) { m.SetTrackRect(0, kB, 12); }},
        Change{"TrackDeleted", [](CMosaicParam& m) { m.DeleteTrack(0); }},
        Change{"TailDeleted", [](CMosaicParam& m) { m.DeleteTrackFrom(0, 15); }},
        Change{"TrackingRun",
               [](CMosaicParam& m) {
                   for (std::int32_t frame = 20; frame < 30; ++frame) {
                       m.SetTrackRect(0, kA, frame);
                   }
                   m.SetTrackUnsure(0, 29, true);
               }},
        Change{"GapsFilled", [](CMosaicParam& m) { m.FillGaps(); }},
        Change{"TypeChanged",
               [](CMosaicParam& m) {
                   std::int32_t setting = 7;
                   m.SetType(3, setting, true);
               }},
        Change{"SizeStepped", [](CMosaicParam& m) { m.StepBlurSize(7, 1); }}),
    [](const ::testing::TestParamInfo<Change>& info) { return info.param.name; });

// A long track the steps leave alone is stored once, however many steps there are and wherever
// the track moves in the list; a step that changes it stores it once more.
TEST(MosaicHistory, UnchangedTracksAreSharedBetweenSteps) {
    constexpr std::int32_t kLong = 100000;
    CMosaicParam mosaic;
    mosaic.SetTrackRect(0, kA, 0);
    for (std::int32_t frame = 0; frame < kLong; ++frame) {
        mosaic.SetTrackRect(1, kB, frame);
    }
    CMosaicHistory history;
    history.Reset(mosaic);
    for (int step = 0; step < 200; ++step) {
        mosaic.AddFixedArea(T_RECT{step, 0, step + 10, 10});
        ASSERT_TRUE(history.Commit(mosaic));
    }
    EXPECT_EQ(history.StoredRects(), std::size_t{kLong} + 1);
    mosaic.DeleteTrack(0);
    ASSERT_TRUE(history.Commit(mosaic));
    EXPECT_EQ(history.StoredRects(), std::size_t{kLong} + 1);
    mosaic.SetTrackRect(0, kA, kLong / 2);
    ASSERT_TRUE(history.Commit(mosaic));
    EXPECT_EQ(history.StoredRects(), 2 * std::size_t{kLong} + 1);

    // Reset forgets every step.
    history.Reset(mosaic);
    EXPECT_EQ(history.StateCount(), 1u);
    EXPECT_EQ(history.StoredRects(), std::size_t{kLong});
}
