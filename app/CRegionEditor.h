#pragma once

#include "app/IEditHost.h"
#include "mosaic/T_RECT.h"

#include <cstdint>

class CInifileManager;
class CMosaicParam;

// Marking what to hide with the mouse: fixed areas dragged in fixed mosaic mode, tracks
// recorded with a brush around the cursor while the movie plays in moving mosaic mode, and the
// context commands on the region under the cursor. Points and rectangles are in the view's
// client coordinates unless they go into the mosaic, which counts in picture pixels.
class CRegionEditor {
public:
    struct Point {
        std::int32_t x = 0;
        std::int32_t y = 0;
    };

    static constexpr int MinHalfSize = 16;
    static constexpr int MaxHalfSize = 1000;
    // One wheel notch.
    static constexpr int WheelStep = 120;
    // How near an edge, in window pixels, a press takes hold of it.
    static constexpr int GripReach = 4;

    // Which edges of a region a drag moves; all four move the whole region.
    static constexpr unsigned Left = 1;
    static constexpr unsigned Top = 2;
    static constexpr unsigned Right = 4;
    static constexpr unsigned Bottom = 8;
    static constexpr unsigned Whole = 15;
    struct Grip {
        int index = -1; // the fixed area or the track; -1 for none
        unsigned edges = 0;
    };

    CRegionEditor(CInifileManager& settings, IEditHost& host);

    // Where the picture of width x height was drawn last (empty when none was).
    void SetPicture(const T_RECT& drawn, int width, int height);
    const T_RECT& Picture() const { return m_rcPicture; }

    // Fixed mosaic mode.
    void FixedMove(Point point);
    void FixedLeftDown(Point point);
    void FixedLeftUp(CMosaicParam& mosaic);
    void FixedRightDown();

    // Moving mosaic mode.
    void MovingMove(Point point, const T_RECT& client, bool playing);
    void MovingLeftDown(Point point);
    void MovingLeftUp();
    // Records the brush around point into the recorded track at frame.
    void RecordBrush(CMosaicParam& mosaic, Point point, std::int32_t frame);
    // Each notch grows or shrinks the brush by a tenth of its size, at least 4 pixels.
    void Wheel(int delta, bool shift, bool ctrl, Point point);
    void MiddleDown(Point point, const T_RECT& client);
    // The pointer left the view: the brush it carried goes, unless a recording drags it.
    void PointerLeft();

    // Editing the shown frame only, with play stopped: a drag on a fixed area (editMode 0) or on
    // a track's rectangle at frame (editMode 1) moves it, or resizes it by the edges it took
    // hold of. The grip under point, with the later region first, as the context menu picks.
    Grip GripAt(int editMode, const CMosaicParam& mosaic, Point point, std::int32_t frame) const;
    // Starts a drag of the grip under point; false, with nothing started, when there is none.
    bool FrameEditDown(int editMode, const CMosaicParam& mosaic, Point point, std::int32_t frame);
    void FrameEditMove(CMosaicParam& mosaic, Point point);
    // Ends the drag at point; a drag that left the region where it was is no edit.
    void FrameEditUp(CMosaicParam& mosaic, Point point);
    bool FrameEditing() const { return m_edit.grip.index >= 0; }
    unsigned FrameEditEdges() const { return m_edit.grip.edges; }

    // The region under point for the context menu: the last fixed area containing it (editMode
    // 0) or the track hit at frame (editMode 1). Selects it; false, with nothing selected, when
    // there is none.
    bool SelectAt(int editMode, const CMosaicParam& mosaic, Point point, std::int32_t frame);
    void DeleteArea(CMosaicParam& mosaic);
    void RemoveTrack(CMosaicParam& mosaic);
    void RemoveTrackFrom(CMosaicParam& mosaic, std::int32_t frame);
    void ArmModification();
    void Cancel();
    // Moving mosaic mode hides the brush over a track at frame unless a recording runs.
    bool BrushHidden(const CMosaicParam& mosaic, Point cursor, std::int32_t frame) const;

    // A mode command: nothing selected, no modification, no rectangle.
    void ResetForMode();
    // Any play stopped: the drag is over; a recording that reached the end is an edit.
    void PlayStopped();
    // The end of the movie during play.
    void ResetSelection();
    // "Remove all mosaic": the next recording makes track 0 again.
    void RegionsRemoved(const CMosaicParam& mosaic);
    // The mosaic was put back to another state: no drag, no selection, recordings go on
    // after its last track.
    void MosaicReplaced(const CMosaicParam& mosaic);

    // The track a tracking run at frame starts from: the one recorded, edited or tracked last
    // when it has a rectangle at frame, else the latest that has one; -1 for none.
    int TrackToFollow(const CMosaicParam& mosaic, std::int32_t frame) const;
    // A tracking run wrote into track.
    void Tracked(int track) { m_nLastTrack = track; }

    bool Dragging() const { return m_bDragging; }
    const T_RECT& Current() const { return m_rcCurrent; }
    int CurrentTrack() const { return m_nCurrentTrack; }
    int Selected() const { return m_nSelected; }
    bool Modify() const { return m_bModify; }

private:
    T_RECT Brush(Point point) const;
    // The window rectangle r, clipped to the picture, in picture pixels; empty when it misses.
    T_RECT ToPicture(const T_RECT& r) const;
    bool ToPicturePoint(Point point, Point& picture) const;
    int MinimumSize() const;
    void TrackRemoved(const CMosaicParam& mosaic);
    // Ends a recording: an edit when it recorded a frame, else as if it never started.
    void RecordingEnded();
    T_RECT RegionAt(const CMosaicParam& mosaic) const;
    void SetRegion(CMosaicParam& mosaic, const T_RECT& rect) const;
    T_RECT Dragged(Point point) const;

    struct FrameEdit {
        Grip grip;
        int editMode = 0;
        std::int32_t frame = 0;
        Point start;       // in the picture
        T_RECT original;   // in the picture
    };

    CInifileManager& m_settings;
    IEditHost& m_host;
    bool m_bDragging = false;
    Point m_ptDragStart;
    T_RECT m_rcCurrent;
    T_RECT m_rcPicture;
    int m_pictureWidth = 0;
    int m_pictureHeight = 0;
    int m_nCurrentTrack = -1;
    int m_nSelected = -1;
    // The track written last by a recording, a one-frame edit or a tracking run.
    int m_nLastTrack = -1;
    bool m_bModify = false;
    bool m_recorded = false;
    int m_wheelRest = 0;
    FrameEdit m_edit;
};
