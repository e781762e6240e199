#pragma once

#include "mosaic/T_RECT.h"

#include <cstdint>
#include <set>
#include <vector>

// One moving-mosaic track: a rectangle for every frame of a run of consecutive frames, kept by
// frame so that a frame finds its own at once. A frame inside the run that has no rectangle
// (a gap) holds an empty one, which is neither painted nor drawn.
class CMosaicTrack {
public:
    // The frames of the first and the last rectangle shown; first > last when none is.
    struct Span {
        std::int64_t first = 0;
        std::int64_t last = -1;
    };

    CMosaicTrack() = default;
    CMosaicTrack(std::int32_t first, std::vector<T_RECT> rects);

    // The first and the last frame of the run; Last() < First() when the run is empty.
    std::int32_t First() const { return m_first; }
    std::int64_t Last() const { return m_first + static_cast<std::int64_t>(m_rects.size()) - 1; }
    const std::vector<T_RECT>& Rects() const { return m_rects; }
    bool Empty() const { return m_rects.empty(); }
    // Whether every frame's rectangle is empty: nothing of the track is ever shown.
    bool Blank() const;
    Span Shown() const;

    // The rectangle at frame; empty outside the run and in its gaps.
    T_RECT At(std::int64_t frame) const;
    // Sets the rectangle at frame, stretching the run with gaps to reach it. A rectangle set
    // is a sure one: the frame loses its unsure mark.
    void Set(std::int32_t frame, const T_RECT& rect);
    // Removes frame and every later frame; false, with nothing changed, for a frame outside
    // the run.
    bool CutFrom(std::int32_t frame);

    // A gap is a frame without a rectangle between two frames that have one. Filling gives each
    // the rectangle linearly between those two; returns the frames filled.
    std::int64_t FillGaps();

    // Frames whose rectangle a tracker was not sure of. Kept in memory only, never in the
    // progress files; a frame outside the run is never marked.
    void SetUnsure(std::int32_t frame, bool unsure);
    bool Unsure(std::int64_t frame) const { return m_unsure.contains(frame); }
    const std::set<std::int64_t>& UnsureFrames() const { return m_unsure; }

    bool operator==(const CMosaicTrack&) const = default;

private:
    // The index of frame in the rects, or -1 outside the run.
    std::int64_t IndexOf(std::int64_t frame) const;
    void FillBetween(std::size_t before, std::size_t after);

    std::int32_t m_first = 0;
    std::vector<T_RECT> m_rects;
    std::set<std::int64_t> m_unsure;
};
