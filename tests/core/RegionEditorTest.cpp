#include "CTestMedia.h"
#include "app/CInifileManager.h"
#include "app/CRegionEditor.h"
#include "mosaic/CMosaicParam.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Keeps what editing asked of the view and the main window, in order.
class CFakeEditHost : public IEditHost {
public:
    void SetModified() override { calls.push_back("modified"); }
    void Redraw(bool erase) override { calls.push_back(erase ? "redraw erase" : "redraw"); }
    void CapturePointer() override { calls.push_back("capture"); }
    void ConfinePointer() override { calls.push_back("confine"); }
    void ReleasePointer() override { calls.push_back("release"); }
    void StopPlay() override { calls.push_back("stop"); }
    void Play() override { calls.push_back("play"); }
    void Back() override { calls.push_back("back"); }

    bool Called(const std::string& call) const {
        return std::find(calls.begin(), calls.end(), call) != calls.end();
    }

    std::vector<std::string> calls;
};

using Point = CRegionEditor::Point;

} // namespace

class RegionEditorTest : public ::testing::Test {
protected:
    RegionEditorTest() : m_settings(m_folder.Path("Quorvel.ini")) {
        // A 640 x 480 picture drawn 1:1 at (10, 20).
        m_editor.SetPicture(T_RECT{10, 20, 650, 500}, 640, 480);
    }

    void Drag(Point from, Point to) {
        m_editor.FixedLeftDown(from);
        m_editor.FixedMove(to);
        m_editor.FixedLeftUp(m_mosaic);
    }

    CTestMedia m_folder;
    CInifileManager m_settings;
    CFakeEditHost m_host;
    CRegionEditor m_editor{m_settings, m_host};
    CMosaicParam m_mosaic;
};

TEST_F(RegionEditorTest, FixedDragIsNormalisedClippedAndMappedToThePicture) {
    m_editor.SetPicture(T_RECT{168, 1, 834, 501}, 640, 480);
    m_editor.FixedLeftDown(Point{900, 600});
    EXPECT_TRUE(m_editor.Dragging());
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"capture"}));
    m_editor.FixedMove(Point{200, 100});
    EXPECT_EQ(m_editor.Current(), (T_RECT{200, 100, 900, 600}));
    m_editor.FixedLeftUp(m_mosaic);
    ASSERT_EQ(m_mosaic.FixedAreas().size(), 1u);
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{31, 95, 640, 480}));
    EXPECT_FALSE(m_editor.Dragging());
    EXPECT_TRUE(m_editor.Current().IsEmpty());
    EXPECT_TRUE(m_host.Called("release"));
    EXPECT_TRUE(m_host.Called("modified"));
}

TEST_F(RegionEditorTest, SmallRectanglesAreDroppedButStillCountAsAnEdit) {
    m_settings.SizeID = 0;
    Drag(Point{100, 100}, Point{125, 140});
    EXPECT_TRUE(m_mosaic.FixedAreas().empty());
    EXPECT_TRUE(m_host.Called("modified"));

    m_settings.SizeID = 3;
    Drag(Point{100, 100}, Point{105, 105});
    ASSERT_EQ(m_mosaic.FixedAreas().size(), 1u);
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{90, 80, 95, 85}));
    EXPECT_EQ(m_mosaic.size, 5);

    // A drag wholly in the bars leaves nothing to keep.
    m_editor.SetPicture(T_RECT{100, 0, 200, 100}, 100, 100);
    Drag(Point{0, 0}, Point{90, 90});
    EXPECT_EQ(m_mosaic.FixedAreas().size(), 1u);
}

TEST_F(RegionEditorTest, RightButtonCancelsTheDragOnly) {
    m_editor.FixedRightDown();
    EXPECT_TRUE(m_host.calls.empty());
    m_editor.FixedLeftDown(Point{50, 50});
    m_editor.FixedMove(Point{300, 300});
    m_editor.FixedRightDown();
    EXPECT_FALSE(m_editor.Dragging());
    EXPECT_TRUE(m_editor.Current().IsEmpty());
    m_editor.FixedLeftUp(m_mosaic);
    EXPECT_TRUE(m_mosaic.FixedAreas().empty());
    EXPECT_FALSE(m_host.Called("modified"));
}

TEST_F(RegionEditorTest, RecordingWritesTheBrushOfEachFrameIntoANewTrack) {
    m_settings.SizeID = 7;
    m_editor.MovingLeftDown(Point{100, 100});
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"stop", "play", "confine", "redraw"}));
    EXPECT_EQ(m_editor.CurrentTrack(), 0);
    m_editor.RecordBrush(m_mosaic, Point{100, 100}, 40);
    m_editor.RecordBrush(m_mosaic, Point{0, 0}, 41);        // partly outside: clipped
    m_editor.RecordBrush(m_mosaic, Point{-500, -500}, 42);  // wholly outside: empty entry
    ASSERT_EQ(m_mosaic.TrackCount(), 1);
    EXPECT_EQ(m_mosaic.Tracks()[0],
              CMosaicTrack(40, {T_RECT{40, 30, 140, 130}, T_RECT{0, 0, 40, 30}, T_RECT{}}));
    EXPECT_EQ(m_mosaic.size, 15);
    EXPECT_EQ(m_editor.Current(), (T_RECT{-550, -550, -450, -450}));

    m_host.calls.clear();
    m_editor.MovingLeftUp();
    EXPECT_EQ(m_host.calls,
              (std::vector<std::string>{"stop", "back", "modified", "release"}));
    m_host.calls.clear();
    m_editor.MovingLeftUp();
    EXPECT_TRUE(m_host.calls.empty());

    m_editor.MovingLeftDown(Point{100, 100});
    EXPECT_EQ(m_editor.CurrentTrack(), 1);
    // Play that reaches the end while recording ends the recording as an edit.
    m_editor.RecordBrush(m_mosaic, Point{100, 100}, 50);
    m_host.calls.clear();
    m_editor.PlayStopped();
    EXPECT_EQ(m_host.calls, std::vector<std::string>{"modified"});
    EXPECT_FALSE(m_editor.Dragging());
    EXPECT_EQ(m_mosaic.TrackCount(), 2);
}

// Released before a frame was recorded, a press changes nothing, keeps the frame and leaves
// the next recording its track number.
TEST_F(RegionEditorTest, AClickThatRecordsNothingChangesNothing) {
    m_mosaic.SetTrackRect(0, T_RECT{0, 0, 10, 10}, 5);
    m_editor.RegionsRemoved(m_mosaic);
    for (const bool modify : {false, true}) {
        if (modify) {
            ASSERT_TRUE(m_editor.SelectAt(1, m_mosaic, Point{15, 25}, 5));
            m_editor.ArmModification();
        }
        m_host.calls.clear();
        m_editor.MovingLeftDown(Point{300, 300});
        m_editor.MovingLeftUp();
        EXPECT_EQ(m_host.calls, (std::vector<std::string>{"stop", "play", "confine", "redraw",
                                                          "stop", "release"}));
        EXPECT_EQ(m_editor.CurrentTrack(), 0);
        EXPECT_FALSE(m_editor.Modify());
    }
    m_editor.MovingLeftDown(Point{300, 300});
    m_editor.RecordBrush(m_mosaic, Point{300, 300}, 9);
    m_editor.RecordBrush(m_mosaic, Point{300, 300}, 10);
    m_editor.MovingLeftUp();
    ASSERT_EQ(m_mosaic.TrackCount(), 2);
    EXPECT_EQ(m_mosaic.Tracks()[1].Rects().size(), 2u);
}

// One-frame edits: the grip under the pointer (inside, an edge, a corner; the later region
// first) decides whether a drag moves or resizes; only the region's shown frame changes.
TEST_F(RegionEditorTest, FrameEditsMoveOrResizeTheRegionOnItsFrameOnly) {
    using E = CRegionEditor;
    m_mosaic.AddFixedArea(T_RECT{100, 100, 200, 160}); // window 110, 120, 210, 180
    m_mosaic.AddFixedArea(T_RECT{0, 0, 8, 8});         // too small for edges
    const auto grip = [this](int mode, Point p, std::int32_t frame = 0) {
        const E::Grip g = m_editor.GripAt(mode, m_mosaic, p, frame);
        return std::pair{g.index, g.edges};
    };
    EXPECT_EQ(grip(0, {150, 150}), std::pair(0, E::Whole));
    EXPECT_EQ(grip(0, {107, 150}), std::pair(0, E::Left));
    EXPECT_EQ(grip(0, {208, 178}), std::pair(0, E::Right | E::Bottom));
    EXPECT_EQ(grip(0, {212, 119}), std::pair(0, E::Right | E::Top));
    EXPECT_EQ(grip(0, {105, 150}), std::pair(-1, 0u));
    EXPECT_EQ(grip(0, {12, 22}), std::pair(1, E::Whole));
    EXPECT_EQ(grip(2, {150, 150}), std::pair(-1, 0u));

    // A move keeps the size against the picture's edge; a click that moves nothing is no edit.
    ASSERT_TRUE(m_editor.FrameEditDown(0, m_mosaic, Point{150, 150}, 0));
    EXPECT_TRUE(m_editor.FrameEditing());
    m_editor.FrameEditMove(m_mosaic, Point{170, 130});
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{120, 80, 220, 140}));
    m_editor.FrameEditUp(m_mosaic, Point{1150, 130});
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{540, 80, 640, 140}));
    EXPECT_FALSE(m_editor.FrameEditing());
    EXPECT_EQ(m_host.calls, (std::vector<std::string>{"capture", "redraw", "redraw", "release",
                                                      "modified", "redraw"}));
    m_host.calls.clear();
    ASSERT_TRUE(m_editor.FrameEditDown(0, m_mosaic, Point{600, 120}, 0));
    m_editor.FrameEditUp(m_mosaic, Point{600, 120});
    EXPECT_FALSE(m_host.Called("modified"));

    // An edge dragged out of the picture leaves the last rectangle that was in it; one dragged
    // past the opposite edge turns the rectangle over.
    ASSERT_TRUE(m_editor.FrameEditDown(0, m_mosaic, Point{550, 130}, 0));
    m_editor.FrameEditUp(m_mosaic, Point{700, 130});
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{540, 80, 640, 140}));
    EXPECT_FALSE(m_host.Called("modified"));
    ASSERT_TRUE(m_editor.FrameEditDown(0, m_mosaic, Point{550, 130}, 0));
    m_editor.FrameEditUp(m_mosaic, Point{450, 110});
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{440, 80, 640, 140}));
    ASSERT_TRUE(m_editor.FrameEditDown(0, m_mosaic, Point{650, 150}, 0));
    m_editor.FrameEditUp(m_mosaic, Point{400, 200});
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{390, 80, 440, 140}));

    // A track changes at the shown frame alone, which loses its unsure mark.
    for (std::int32_t frame = 5; frame <= 7; ++frame) {
        m_mosaic.SetTrackRect(0, T_RECT{300, 300, 400, 400}, frame);
    }
    m_mosaic.SetTrackUnsure(0, 6, true);
    EXPECT_EQ(grip(1, {360, 370}, 6), std::pair(0, E::Whole));
    EXPECT_FALSE(m_editor.FrameEditDown(1, m_mosaic, Point{360, 370}, 8));
    ASSERT_TRUE(m_editor.FrameEditDown(1, m_mosaic, Point{360, 370}, 6));
    EXPECT_TRUE(m_editor.BrushHidden(m_mosaic, Point{0, 0}, 6));
    m_editor.FrameEditUp(m_mosaic, Point{370, 375});
    EXPECT_EQ(m_mosaic.GetTrackRect(0, 6), (T_RECT{310, 305, 410, 405}));
    EXPECT_EQ(m_mosaic.GetTrackRect(0, 5), (T_RECT{300, 300, 400, 400}));
    EXPECT_EQ(m_mosaic.GetTrackRect(0, 7), (T_RECT{300, 300, 400, 400}));
    EXPECT_FALSE(m_mosaic.Tracks()[0].Unsure(6));
}

TEST_F(RegionEditorTest, ModificationRecordsIntoTheSelectedTrack) {
    m_mosaic.SetTrackRect(0, T_RECT{0, 0, 10, 10}, 5);
    m_mosaic.SetTrackRect(1, T_RECT{200, 200, 300, 300}, 5);
    m_mosaic.SetTrackRect(1, T_RECT{200, 200, 300, 300}, 6);
    m_editor.ArmModification();
    EXPECT_FALSE(m_editor.Modify());
    ASSERT_TRUE(m_editor.SelectAt(1, m_mosaic, Point{260, 270}, 5));
    EXPECT_EQ(m_editor.Selected(), 1);
    m_editor.ArmModification();
    EXPECT_TRUE(m_editor.Modify());
    const int trackBefore = m_editor.CurrentTrack();
    m_editor.MovingLeftDown(Point{60, 70});
    EXPECT_EQ(m_editor.CurrentTrack(), trackBefore);
    m_editor.RecordBrush(m_mosaic, Point{60, 70}, 6);
    m_editor.RecordBrush(m_mosaic, Point{60, 70}, 7);
    m_editor.MovingLeftUp();
    EXPECT_EQ(m_mosaic.TrackCount(), 2);
    EXPECT_EQ(m_mosaic.GetTrackRect(1, 5), (T_RECT{200, 200, 300, 300}));
    EXPECT_EQ(m_mosaic.GetTrackRect(1, 6), (T_RECT{0, 0, 100, 100}));
    EXPECT_EQ(m_mosaic.GetTrackRect(1, 7), (T_RECT{0, 0, 100, 100}));
    EXPECT_FALSE(m_editor.Modify());
    EXPECT_EQ(m_editor.Selected(), -1);
}

// Each notch is a tenth of the size (a tenth of the half-size, rounded), at least 4 pixels.
TEST_F(RegionEditorTest, WheelAndMiddleButtonSizeTheBrush) {
    const Point at{300, 200};
    m_editor.Wheel(120, false, false, at);
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 55);
    EXPECT_EQ(m_settings.VertLengthFromCenter, 55);
    EXPECT_EQ(m_editor.Current(), (T_RECT{245, 145, 355, 255}));
    EXPECT_EQ(m_host.calls.back(), "redraw erase");

    m_editor.Wheel(120, false, true, Point{0, 0}); // Ctrl: width only
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 61);
    EXPECT_EQ(m_settings.VertLengthFromCenter, 55);
    EXPECT_EQ(m_editor.Current(), (T_RECT{-61, 145, 61, 255}));
    m_editor.Wheel(-240, true, false, at); // Shift: height only, two notches
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 61);
    EXPECT_EQ(m_settings.VertLengthFromCenter, 44);
    m_editor.Wheel(120, true, true, at);
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 61);
    EXPECT_EQ(m_settings.VertLengthFromCenter, 44);
    m_editor.Wheel(60, false, false, at); // half a notch, then the other half
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 61);
    m_editor.Wheel(60, false, false, at);
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 67);
    // The big brush goes by big steps, the small one by 4 pixels.
    m_settings.HoriLengthFromCenter = 400;
    m_editor.Wheel(120, false, true, at);
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 440);
    m_settings.HoriLengthFromCenter = 18;
    m_editor.Wheel(-120, false, true, at);
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 16);

    m_settings.HoriLengthFromCenter = 1000;
    m_settings.VertLengthFromCenter = 17;
    m_editor.Wheel(120, false, true, at);
    m_editor.Wheel(-120, true, false, at);
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 1000);
    EXPECT_EQ(m_settings.VertLengthFromCenter, 16);

    m_settings.HoriLengthFromCenter = 80;
    m_settings.VertLengthFromCenter = 30;
    m_editor.MiddleDown(Point{20, 200}, T_RECT{0, 0, 700, 520});
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 30);
    EXPECT_EQ(m_settings.VertLengthFromCenter, 30);
    EXPECT_EQ(m_editor.Current(), (T_RECT{0, 170, 50, 230}));
}

TEST_F(RegionEditorTest, HugeHalfSizesFromTheSettingsFileDoNotOverflow) {
    m_settings.HoriLengthFromCenter = 2147483647;
    m_settings.VertLengthFromCenter = -2147483647 - 1;
    m_editor.MovingMove(Point{5, 5}, T_RECT{0, 0, 700, 520}, false);
    m_editor.RecordBrush(m_mosaic, Point{5, 5}, 0);
    EXPECT_EQ(m_editor.Current().left, -2147483642);
    EXPECT_EQ(m_editor.Current().right, 2147483647);
    m_editor.Wheel(120, false, false, Point{5, 5});
    EXPECT_EQ(m_settings.HoriLengthFromCenter, 1000);
    EXPECT_EQ(m_settings.VertLengthFromCenter, 16);
}

TEST_F(RegionEditorTest, ContextHitsPickTheLaterAreaAndTheCommandsActOnIt) {
    m_mosaic.AddFixedArea(T_RECT{0, 0, 100, 100});
    m_mosaic.AddFixedArea(T_RECT{50, 50, 150, 150});
    EXPECT_TRUE(m_editor.SelectAt(0, m_mosaic, Point{10 + 60, 20 + 60}, 0));
    EXPECT_EQ(m_editor.Selected(), 1);
    EXPECT_TRUE(m_editor.SelectAt(0, m_mosaic, Point{10 + 20, 20 + 20}, 0));
    EXPECT_EQ(m_editor.Selected(), 0);
    // Right and bottom edges are outside.
    EXPECT_FALSE(m_editor.SelectAt(0, m_mosaic, Point{10 + 150, 20 + 60}, 0));
    EXPECT_EQ(m_editor.Selected(), -1);
    m_editor.DeleteArea(m_mosaic);
    EXPECT_EQ(m_mosaic.FixedAreas().size(), 2u);
    EXPECT_FALSE(m_host.Called("modified"));

    ASSERT_TRUE(m_editor.SelectAt(0, m_mosaic, Point{10 + 60, 20 + 60}, 0));
    m_editor.DeleteArea(m_mosaic);
    ASSERT_EQ(m_mosaic.FixedAreas().size(), 1u);
    EXPECT_EQ(m_mosaic.FixedAreas()[0], (T_RECT{0, 0, 100, 100}));
    EXPECT_TRUE(m_host.Called("modified"));

    // Without a drawn picture nothing can be hit.
    m_editor.SetPicture(T_RECT{}, 640, 480);
    EXPECT_FALSE(m_editor.SelectAt(0, m_mosaic, Point{30, 40}, 0));
}

TEST_F(RegionEditorTest, TrackCommandsRemoveAndRenumber) {
    for (int track = 0; track < 3; ++track) {
        for (int frame = 10; frame < 13; ++frame) {
            m_mosaic.SetTrackRect(track, T_RECT{track * 100, 0, track * 100 + 50, 50}, frame);
        }
    }
    ASSERT_TRUE(m_editor.SelectAt(1, m_mosaic, Point{10 + 120, 20 + 10}, 11));
    m_editor.RemoveTrackFrom(m_mosaic, 11);
    EXPECT_EQ(m_mosaic.Tracks()[1], CMosaicTrack(10, {T_RECT{100, 0, 150, 50}}));
    EXPECT_EQ(m_editor.CurrentTrack(), 2);

    ASSERT_TRUE(m_editor.SelectAt(1, m_mosaic, Point{10 + 120, 20 + 10}, 10));
    m_editor.RemoveTrackFrom(m_mosaic, 10);
    ASSERT_EQ(m_mosaic.TrackCount(), 2);
    EXPECT_EQ(m_mosaic.GetTrackRect(1, 10), (T_RECT{200, 0, 250, 50}));
    EXPECT_EQ(m_editor.CurrentTrack(), 1);

    EXPECT_FALSE(m_editor.SelectAt(1, m_mosaic, Point{10 + 20, 20 + 10}, 20));
    ASSERT_TRUE(m_editor.SelectAt(1, m_mosaic, Point{10 + 20, 20 + 10}, 12));
    m_editor.RemoveTrack(m_mosaic);
    EXPECT_EQ(m_mosaic.TrackCount(), 1);
    EXPECT_EQ(m_editor.CurrentTrack(), 0);

    ASSERT_TRUE(m_editor.SelectAt(1, m_mosaic, Point{10 + 220, 20 + 10}, 12));
    m_editor.ArmModification();
    m_editor.Cancel();
    EXPECT_EQ(m_editor.Selected(), -1);
    EXPECT_FALSE(m_editor.Modify());
    m_editor.RemoveTrack(m_mosaic);
    EXPECT_EQ(m_mosaic.TrackCount(), 1);
}

TEST_F(RegionEditorTest, BrushIsHiddenOverATrackUnlessRecording) {
    m_mosaic.SetTrackRect(0, T_RECT{0, 0, 50, 50}, 3);
    EXPECT_TRUE(m_editor.BrushHidden(m_mosaic, Point{30, 30}, 3));
    EXPECT_FALSE(m_editor.BrushHidden(m_mosaic, Point{30, 30}, 4));
    EXPECT_FALSE(m_editor.BrushHidden(m_mosaic, Point{200, 200}, 3));
    m_editor.MovingLeftDown(Point{30, 30});
    EXPECT_FALSE(m_editor.BrushHidden(m_mosaic, Point{30, 30}, 3));
}
