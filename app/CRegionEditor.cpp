#include "app/CRegionEditor.h"

#include "app/CInifileManager.h"
#include "mosaic/CMosaicParam.h"
#include "mosaic/CPictureMapping.h"

#include <algorithm>
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

std::int32_t SteppedHalfSize(std::int32_t half, int step) {
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(
        std::int64_t{half} + step, CRegionEditor::MinHalfSize, CRegionEditor::MaxHalfSize));
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
    m_rcCurrent = Brush(point);
    if (!m_bModify) {
        ++m_nCurrentTrack;
    }
    m_host.Play();
    m_host.ConfinePointer();
    m_host.Redraw(false);
    m_host.SetModified();
}

// The step back lands on the frame recorded last, the one shown when the button went up.
void CRegionEditor::MovingLeftUp() {
    if (!m_bDragging) {
        return;
    }
    m_bDragging = false;
    m_host.StopPlay();
    m_host.Back();
    m_nSelected = -1;
    m_bModify = false;
    m_host.SetModified();
    m_host.ReleasePointer();
}

void CRegionEditor::RecordBrush(CMosaicParam& mosaic, Point point, std::int32_t frame) {
    const T_RECT brush = Brush(point);
    mosaic.size = MinimumSize();
    mosaic.SetTrackRect(m_bModify ? m_nSelected : m_nCurrentTrack, ToPicture(brush), frame);
    m_rcCurrent = brush;
}

void CRegionEditor::Wheel(int delta, bool shift, bool ctrl, Point point) {
    const int step = delta / 50;
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
    Point at;
    return !m_bDragging && ToPicturePoint(cursor, at) &&
           mosaic.HitTestTrack(at.x, at.y, frame) >= 0;
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
    m_nCurrentTrack = mosaic.TrackCount() - 1;
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
