#include "mosaic/CMosaicTrack.h"

#include <algorithm>
#include <utility>

CMosaicTrack::CMosaicTrack(std::int32_t first, std::vector<T_RECT> rects)
    : m_first(first), m_rects(std::move(rects)) {}

bool CMosaicTrack::Blank() const {
    return std::all_of(m_rects.begin(), m_rects.end(),
                       [](const T_RECT& rect) { return rect.IsEmpty(); });
}

T_RECT CMosaicTrack::At(std::int64_t frame) const {
    const std::int64_t index = IndexOf(frame);
    return index < 0 ? T_RECT{} : m_rects[static_cast<std::size_t>(index)];
}

void CMosaicTrack::Set(std::int32_t frame, const T_RECT& rect) {
    if (m_rects.empty()) {
        m_first = frame;
        m_rects.push_back(rect);
        return;
    }
    if (frame < m_first) {
        m_rects.insert(m_rects.begin(), static_cast<std::size_t>(std::int64_t{m_first} - frame),
                       T_RECT{});
        m_first = frame;
    }
    const auto index = static_cast<std::size_t>(std::int64_t{frame} - m_first);
    if (index >= m_rects.size()) {
        m_rects.resize(index + 1);
    }
    m_rects[index] = rect;
}

bool CMosaicTrack::CutFrom(std::int32_t frame) {
    const std::int64_t index = IndexOf(frame);
    if (index < 0) {
        return false;
    }
    m_rects.resize(static_cast<std::size_t>(index));
    return true;
}

std::int64_t CMosaicTrack::IndexOf(std::int64_t frame) const {
    const std::int64_t index = frame - m_first;
    return index >= 0 && index < static_cast<std::int64_t>(m_rects.size()) ? index : -1;
}
