#include "mosaic/CMosaicTrack.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

std::int32_t Between(std::int32_t from, std::int32_t to, double share) {
    return static_cast<std::int32_t>(std::lround(from + (static_cast<double>(to) - from) * share));
}

} // namespace

CMosaicTrack::CMosaicTrack(std::int32_t first, std::vector<T_RECT> rects)
    : m_first(first), m_rects(std::move(rects)) {}

bool CMosaicTrack::Blank() const {
    return std::all_of(m_rects.begin(), m_rects.end(),
                       [](const T_RECT& rect) { return rect.IsEmpty(); });
}

CMosaicTrack::Span CMosaicTrack::Shown() const {
    const auto shown = [](const T_RECT& rect) { return !rect.IsEmpty(); };
    const auto first = std::find_if(m_rects.begin(), m_rects.end(), shown);
    if (first == m_rects.end()) {
        return {};
    }
    const auto last = std::find_if(m_rects.rbegin(), m_rects.rend(), shown);
    return {m_first + (first - m_rects.begin()),
            m_first + static_cast<std::int64_t>(m_rects.rend() - last) - 1};
}

T_RECT CMosaicTrack::At(std::int64_t frame) const {
    const std::int64_t index = IndexOf(frame);
    return index < 0 ? T_RECT{} : m_rects[static_cast<std::size_t>(index)];
}

void CMosaicTrack::Set(std::int32_t frame, const T_RECT& rect) {
    m_unsure.erase(frame);
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
    m_unsure.erase(m_unsure.lower_bound(frame), m_unsure.end());
    return true;
}

std::int64_t CMosaicTrack::FillGaps() {
    std::int64_t filled = 0;
    std::size_t before = m_rects.size();
    for (std::size_t i = 0; i < m_rects.size(); ++i) {
        if (m_rects[i].IsEmpty()) {
            continue;
        }
        if (before < i && i - before > 1) {
            FillBetween(before, i);
            filled += static_cast<std::int64_t>(i - before - 1);
        }
        before = i;
    }
    return filled;
}

void CMosaicTrack::FillBetween(std::size_t before, std::size_t after) {
    const T_RECT from = m_rects[before];
    const T_RECT to = m_rects[after];
    for (std::size_t i = before + 1; i < after; ++i) {
        const double share = static_cast<double>(i - before) / static_cast<double>(after - before);
        m_rects[i] = T_RECT{Between(from.left, to.left, share), Between(from.top, to.top, share),
                            Between(from.right, to.right, share),
                            Between(from.bottom, to.bottom, share)};
    }
}

void CMosaicTrack::SetUnsure(std::int32_t frame, bool unsure) {
    if (!unsure) {
        m_unsure.erase(frame);
    } else if (IndexOf(frame) >= 0) {
        m_unsure.insert(frame);
    }
}

std::int64_t CMosaicTrack::IndexOf(std::int64_t frame) const {
    const std::int64_t index = frame - m_first;
    return index >= 0 && index < static_cast<std::int64_t>(m_rects.size()) ? index : -1;
}
