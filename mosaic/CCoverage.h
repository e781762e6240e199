#pragma once

#include <cstdint>
#include <vector>

class CMosaicParam;

// What hides each frame of a movie: a fixed area, a track, or nothing, and where a track has a
// gap or a frame its tracker was unsure of. A gap outweighs the rest, as it is what the user
// must see first; an unsure frame outweighs a plain covered one.
class CCoverage {
public:
    enum class Kind : std::uint8_t { None, Fixed, Track, Unsure, Gap };

    // One kind for each frame 0 .. frames - 1.
    static std::vector<Kind> Compute(const CMosaicParam& mosaic, std::int64_t frames);
    static bool HasGaps(const CMosaicParam& mosaic);
    // The frames that are a gap of some track, each counted once.
    static std::int64_t GapFrames(const CMosaicParam& mosaic);
    // The first frame of the next run of gaps after frame, else of the first run; -1 when there
    // is no gap. A run is one stop, however long it is.
    static std::int64_t NextGap(const CMosaicParam& mosaic, std::int64_t frame);
};
