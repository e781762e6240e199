#include "app/CRegionEditor.h"

#include "app/CInifileManager.h"
#include "mosaic/CMosaicParam.h"
#include "mosaic/CPictureMapping.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <utility>

namespace {

T_RECT Normalised(T_RECT r) {
    if (r.left > r.right) {
        std::swap(r.left, r.right);
    }
    if (r.top > r.bottom) {
        std::swap(r.top, r.bottom);
    }
    return r;
}

// The common part of two rectangles; all zero when they do not overlap.
T_RECT Intersection(const T_RECT& a, const T_RECT& b) {
    const T_RECT common{std::max(a.left, b.left), std::max(a.top, b.top),
                        std::min(a.right, b.right), std::min(a.bottom, b.bottom)};
    return common.IsEmpty() ? T_RECT{} : common;
}

// A brush edge; half-sizes from a hand-edited settings file may be anything.
std::int32_t Edge(std::int32_t centre, std::int64_t offset) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        centre + offset, std::numeric_limits<std::int32_t>::min(),
        std::numeric_limits<std::int32_t>::max()));
}

// A tenth of the size is a tenth of the half-size; 4 pixels of size are 2 of the half.
std::int32_t SteppedHalfSize(std::int32_t half, int notches) {
    constexpr int kMostNotches = 64;
    std::int64_t stepped = half;
    for (int n = 0; n < std::min(std::abs(notches), kMostNotches); ++n) {
        const std::int64_t tenth = std::max<std::int64_t>((std::abs(stepped) + 5) / 10, 2);
        stepped = std::clamp<std::int64_t>(stepped + (notches > 0 ? tenth : -tenth),
                                           CRegionEditor::MinHalfSize, CRegionEditor::MaxHalfSize);
    }
    return static_cast<std::int32_t>(stepped);
}

T_RECT Moved(T_RECT r, unsigned edges, std::int32_t dx, std::int32_t dy) {
    r.left += edges & CRegionEditor::Left ? dx : 0;
    r.right += edges & CRegionEditor::Right ? dx : 0;
    r.top += edges & CRegionEditor::Top ? dy : 0;
    r.bottom += edges & CRegionEditor::Bottom ? dy : 0;
    return r;
}

// A moved region keeps its size against the picture's edges; a resized one is cut there.
T_RECT KeptInside(T_RECT r, unsigned edges, std::int32_t width, std::int32_t height) {
    if (edges == CRegionEditor::Whole) {
        const std::int32_t dx = std::max(0, -r.left) - std::max(0, r.right - width);
        const std::int32_t dy = std::max(0, -r.top) - std::max(0, r.bottom - height);
        r = Moved(r, edges, dx, dy);
    }
    return Intersection(r, T_RECT{0, 0, width, height});
}

// The edges of window rectangle w within reach of point; Whole inside it, 0 beyond reach.
unsigned EdgesNear(const T_RECT& w, CRegionEditor::Point p) {
    constexpr int reach = CRegionEditor::GripReach;
    if (p.x < w.left - reach || p.x > w.right + reach || p.y < w.top - reach ||
        p.y > w.bottom + reach) {
        return 0;
    }
    unsigned edges = 0;
    // A region too small to tell its edges apart can only be moved.
    if (w.right - w.left > 3 * reach) {
        edges |= std::abs(p.x - w.left) <= reach ? CRegionEditor::Left : 0;
        edges |= std::abs(p.x - w.right) <= reach ? CRegionEditor::Right : 0;
    }
    if (w.bottom - w.top > 3 * reach) {
        edges |= std::abs(p.y - w.top) <= reach ? CRegionEditor::Top : 0;
        edges |= std::abs(p.y - w.bottom) <= reach ? CRegionEditor::Bottom : 0;
    }
    if (edges != 0) {
        return edges;
    }
    return w.Contains(p.x, p.y) ? CRegionEditor::Whole : 0;
}

} // namespace

CRegionEditor::CRegionEditor(CInifileManager& settings, IEditHost& host)
    : m_settings(settings), m_host(host) {}

void CRegionEditor::SetPicture(const T_RECT& drawn, int width, int height) {
    m_rcPicture = drawn;
    m_pictureWidth = width;
    m_pictureHeight = height;
}

void CRegionEditor::FixedMove(Point point) {
    if (!m_bDragging) {
        return;
    }
    m_rcCurrent = Normalised(T_RECT{m_ptDragStart.x, m_ptDragStart.y, point.x, point.y});
    m_host.Redraw(false);
}

void CRegionEditor::FixedLeftDown(Point point) {
    m_bDragging = true;
    m_ptDragStart = point;
    m_rcCurrent = T_RECT{};
    m_host.CapturePointer();
}

// A rectangle below the type's minimum size is dropped; the flags are set all the same.
void CRegionEditor::FixedLeftUp(CMosaicParam& mosaic) {
    if (!m_bDragging) {
        return;
    }
    const T_RECT area = ToPicture(m_rcCurrent);
    const int minimum = MinimumSize();
    if (area.right - area.left >= minimum && area.bottom - area.top >= minimum) {
        mosaic.size = minimum;
        mosaic.AddFixedArea(area);
    }
    m_rcCurrent = T_RECT{};
    m_bDragging = false;
    m_host.ReleasePointer();
    m_host.SetModified();
    m_host.Redraw(false);
}

void CRegionEditor::FixedRightDown() {
    if (!m_bDragging) {
        return;
    }
    m_rcCurrent = T_RECT{};
    m_bDragging = false;
    m_host.ReleasePointer();
    m_host.Redraw(false);
}

void CRegionEditor::MovingMove(Point point, const T_RECT& client, bool playing) {
    m_rcCurrent = Intersection(Brush(point), client);
    if (!playing) {
        m_host.Redraw(false);
    }
}

// Stopping first ends any play; then play starts the recording from the current frame.
void CRegionEditor::MovingLeftDown(Point point) {
    m_host.StopPlay();
    m_bDragging = true;
    m_recorded = false;
    m_rcCurrent = Brush(point);
    if (!m_bModify) {
        ++m_nCurrentTrack;
    }
    m_host.Play();
    m_host.ConfinePointer();
    m_host.Redraw(false);
}

// The step back lands on the frame recorded last, the one shown when the button went up. A
// press released before the first frame was recorded leaves the frame where it was.
void CRegionEditor::MovingLeftUp() {
    if (!m_bDragging) {
        return;
    }
    m_bDragging = false;
    m_host.StopPlay();
    if (m_recorded) {
        m_host.Back();
    }
    RecordingEnded();
    m_nSelected = -1;
    m_bModify = false;
    m_host.ReleasePointer();
}

void CRegionEditor::PlayStopped() {
    if (m_bDragging) {
        m_bDragging = false;
        RecordingEnded();
    }
}

void CRegionEditor::RecordingEnded() {
    if (m_recorded) {
        m_host.SetModified();
    } else if (!m_bModify) {
        --m_nCurrentTrack;
    }
    m_recorded = false;
}

void CRegionEditor::RecordBrush(CMosaicParam& mosaic, Point point, std::int32_t frame) {
    const T_RECT brush = Brush(point);
    mosaic.size = MinimumSize();
    m_nLastTrack = m_bModify ? m_nSelected : m_nCurrentTrack;
    mosaic.SetTrackRect(m_nLastTrack, ToPicture(brush), frame);
    m_rcCurrent = brush;
    m_recorded = true;
}

void CRegionEditor::Wheel(int delta, bool shift, bool ctrl, Point point) {
    // A turn the other way starts afresh rather than first undoing what was left over.
    if ((m_wheelRest > 0 && delta < 0) || (m_wheelRest < 0 && delta > 0)) {
        m_wheelRest = 0;
    }
    m_wheelRest += delta;
    const int step = m_wheelRest / WheelStep;
    m_wheelRest -= step * WheelStep;
    if (!shift) {
        const std::int32_t h = SteppedHalfSize(m_settings.HoriLengthFromCenter, step);
        m_settings.HoriLengthFromCenter = h;
        m_rcCurrent.left = Edge(point.x, -h);
        m_rcCurrent.right = Edge(point.x, h);
    }
    if (!ctrl) {
        const std::int32_t v = SteppedHalfSize(m_settings.VertLengthFromCenter, step);
        m_settings.VertLengthFromCenter = v;
        m_rcCurrent.top = Edge(point.y, -v);
        m_rcCurrent.bottom = Edge(point.y, v);
    }
    m_host.Redraw(true);
}

void CRegionEditor::MiddleDown(Point point, const T_RECT& client) {
    const std::int32_t half =
        std::min(m_settings.HoriLengthFromCenter, m_settings.VertLengthFromCenter);
    m_settings.HoriLengthFromCenter = half;
    m_settings.VertLengthFromCenter = half;
    m_rcCurrent = Intersection(Brush(point), client);
    m_host.Redraw(false);
}

bool CRegionEditor::SelectAt(int editMode, const CMosaicParam& mosaic, Point point,
                             std::int32_t frame) {
    m_nSelected = -1;
    Point at;
    if (!ToPicturePoint(point, at)) {
        return false;
    }
    if (editMode == 0) {
        const auto& areas = mosaic.FixedAreas();
        for (int i = static_cast<int>(areas.size()) - 1; i >= 0 && m_nSelected < 0; --i) {
            if (areas[static_cast<std::size_t>(i)].Contains(at.x, at.y)) {
                m_nSelected = i;
            }
        }
    } else if (editMode == 1) {
        m_nSelected = mosaic.HitTestTrack(at.x, at.y, frame);
    }
    return m_nSelected >= 0;
}

CRegionEditor::Grip CRegionEditor::GripAt(int editMode, const CMosaicParam& mosaic, Point point,
                                          std::int32_t frame) const {
    const CPictureMapping mapping(m_rcPicture, m_pictureWidth, m_pictureHeight);
    const int count = editMode == 0   ? static_cast<int>(mosaic.FixedAreas().size())
                      : editMode == 1 ? mosaic.TrackCount()
                                      : 0;
    for (int i = count - 1; i >= 0 && mapping.CanMap(); --i) {
        const T_RECT region = editMode == 0 ? mosaic.FixedAreas()[static_cast<std::size_t>(i)]
                                            : mosaic.GetTrackRect(i, frame);
        const unsigned edges = region.IsEmpty() ? 0 : EdgesNear(mapping.ToWindow(region), point);
        if (edges != 0) {
            return Grip{i, edges};
        }
    }
    return {};
}

bool CRegionEditor::FrameEditDown(int editMode, const CMosaicParam& mosaic, Point point,
                                  std::int32_t frame) {
    const Grip grip = GripAt(editMode, mosaic, point, frame);
    Point start;
    if (grip.index < 0 || !ToPicturePoint(point, start)) {
        return false;
    }
    m_edit = FrameEdit{grip, editMode, frame, start, T_RECT{}};
    m_edit.original = RegionAt(mosaic);
    m_rcCurrent = T_RECT{};
    m_host.CapturePointer();
    return true;
}

void CRegionEditor::FrameEditMove(CMosaicParam& mosaic, Point point) {
    if (!FrameEditing()) {
        return;
    }
    const T_RECT dragged = Dragged(point);
    if (!dragged.IsEmpty() && dragged != RegionAt(mosaic)) {
        SetRegion(mosaic, dragged);
        m_host.Redraw(false);
    }
}

void CRegionEditor::FrameEditUp(CMosaicParam& mosaic, Point point) {
    if (!FrameEditing()) {
        return;
    }
    FrameEditMove(mosaic, point);
    const bool moved = RegionAt(mosaic) != m_edit.original;
    if (moved && m_edit.editMode == 1) {
        m_nLastTrack = m_edit.grip.index;
    }
    m_edit = FrameEdit{};
    m_host.ReleasePointer();
    if (moved) {
        m_host.SetModified();
    }
    m_host.Redraw(false);
}

T_RECT CRegionEditor::RegionAt(const CMosaicParam& mosaic) const {
    const auto index = static_cast<std::size_t>(m_edit.grip.index);
    if (m_edit.editMode == 0) {
        return index < mosaic.FixedAreas().size() ? mosaic.FixedAreas()[index] : T_RECT{};
    }
    return mosaic.GetTrackRect(m_edit.grip.index, m_edit.frame);
}

void CRegionEditor::SetRegion(CMosaicParam& mosaic, const T_RECT& rect) const {
    if (m_edit.editMode == 0) {
        mosaic.SetFixedArea(m_edit.grip.index, rect);
    } else if (m_edit.grip.index < mosaic.TrackCount()) {
        mosaic.SetTrackRect(m_edit.grip.index, rect, m_edit.frame);
    }
}

T_RECT CRegionEditor::Dragged(Point point) const {
    Point at;
    if (!ToPicturePoint(point, at)) {
        return T_RECT{};
    }
    const T_RECT moved = Normalised(
        Moved(m_edit.original, m_edit.grip.edges, at.x - m_edit.start.x, at.y - m_edit.start.y));
    return KeptInside(moved, m_edit.grip.edges, m_pictureWidth, m_pictureHeight);
}

void CRegionEditor::DeleteArea(CMosaicParam& mosaic) {
    if (m_nSelected < 0) {
        return;
    }
    mosaic.DeleteFixedArea(m_nSelected);
    m_host.SetModified();
    m_rcCurrent = T_RECT{};
    m_host.Redraw(false);
}

void CRegionEditor::RemoveTrack(CMosaicParam& mosaic) {
    if (m_nSelected < 0) {
        return;
    }
    mosaic.DeleteTrack(m_nSelected);
    TrackRemoved(mosaic);
}

void CRegionEditor::RemoveTrackFrom(CMosaicParam& mosaic, std::int32_t frame) {
    if (m_nSelected < 0) {
        return;
    }
    mosaic.DeleteTrackFrom(m_nSelected, frame);
    TrackRemoved(mosaic);
}

void CRegionEditor::TrackRemoved(const CMosaicParam& mosaic) {
    m_nCurrentTrack = mosaic.TrackCount() - 1;
    m_nLastTrack = -1;
    m_host.SetModified();
    m_rcCurrent = T_RECT{};
    m_host.Redraw(false);
}

void CRegionEditor::ArmModification() {
    if (m_nSelected < 0) {
        return;
    }
    m_bModify = true;
    m_host.Redraw(false);
}

void CRegionEditor::Cancel() {
    m_nSelected = -1;
    m_bModify = false;
}

bool CRegionEditor::BrushHidden(const CMosaicParam& mosaic, Point cursor,
                                std::int32_t frame) const {
    return FrameEditing() || (!m_bDragging && GripAt(1, mosaic, cursor, frame).index >= 0);
}

void CRegionEditor::ResetForMode() {
    m_nSelected = -1;
    m_bModify = false;
    m_rcCurrent = T_RECT{};
}

void CRegionEditor::ResetSelection() {
    m_nSelected = -1;
    m_bModify = false;
}

void CRegionEditor::RegionsRemoved(const CMosaicParam& mosaic) {
    m_rcCurrent = T_RECT{};
    m_nLastTrack = -1;
    m_nCurrentTrack = mosaic.TrackCount() - 1;
}

void CRegionEditor::MosaicReplaced(const CMosaicParam& mosaic) {
    if (FrameEditing()) {
        m_edit = FrameEdit{};
        m_host.ReleasePointer();
    }
    ResetSelection();
    RegionsRemoved(mosaic);
}

int CRegionEditor::TrackToFollow(const CMosaicParam& mosaic, std::int32_t frame) const {
    if (!mosaic.GetTrackRect(m_nLastTrack, frame).IsEmpty()) {
        return m_nLastTrack;
    }
    return mosaic.TopTrackAt(frame);
}

T_RECT CRegionEditor::Brush(Point point) const {
    const std::int64_t h = m_settings.HoriLengthFromCenter;
    const std::int64_t v = m_settings.VertLengthFromCenter;
    return T_RECT{Edge(point.x, -h), Edge(point.y, -v), Edge(point.x, h), Edge(point.y, v)};
}

T_RECT CRegionEditor::ToPicture(const T_RECT& r) const {
    const CPictureMapping mapping(m_rcPicture, m_pictureWidth, m_pictureHeight);
    const T_RECT clipped = Intersection(r, m_rcPicture);
    if (!mapping.CanMap() || clipped.IsEmpty()) {
        return T_RECT{};
    }
    return Normalised(T_RECT{mapping.ToPictureX(clipped.left), mapping.ToPictureY(clipped.top),
                             mapping.ToPictureX(clipped.right),
                             mapping.ToPictureY(clipped.bottom)});
}

bool CRegionEditor::ToPicturePoint(Point point, Point& picture) const {
    const CPictureMapping mapping(m_rcPicture, m_pictureWidth, m_pictureHeight);
    if (!mapping.CanMap()) {
        return false;
    }
    picture = Point{mapping.ToPictureX(point.x), mapping.ToPictureY(point.y)};
    return true;
}

int CRegionEditor::MinimumSize() const {
    return CMosaicParam::DefaultSize(m_settings.SizeID);
}

void CRegionEditor::PointerLeft() {
    if (!m_bDragging) {
        m_rcCurrent = T_RECT{};
    }
}
