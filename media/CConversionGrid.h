#pragma once

#include "media/CSourceIndex.h"

#include <cstdint>
#include <vector>

extern "C" {
#include <libavutil/rational.h>
}

struct AVFormatContext;

// The frames of the working video the converter makes from a source: which source picture each
// frame of its constant-rate grid shows. The converter places each picture on the grid by its
// time, drops one that lands behind the grid and, for an AVI, leaves a gap before one that lands
// ahead (the frame in a gap shows the picture after it); with a rate given it fills gaps with
// copies instead (constant rate). Worked out with the converter's own arithmetic, so the counts
// and the pictures agree frame by frame.
class CConversionGrid {
public:
    struct Timing {
        AVRational timeBase{0, 1};
        // The file's start in AV_TIME_BASE units, which the converter takes as time 0.
        std::int64_t fileStart = 0;
        // The working video's rate, its grid 1 / rate.
        AVRational rate{0, 1};
        // The rate the converter reads the source at (its guess of the source's rate).
        AVRational sourceRate{0, 1};
        bool constantRate = false;
        // The picture's own duration is known to the converter when it runs no filters.
        bool pictureDurations = true;
    };

    // The time the converter takes as 0 for a movie, in AV_TIME_BASE units: the start of the
    // whole file or, for a format whose times may jump, of the first stream it reads (without
    // sound, the video). Frame n of the working video shows the time TimeZero + n / rate.
    static std::int64_t TimeZero(const AVFormatContext& format);

    CConversionGrid() = default;
    CConversionGrid(const std::vector<CSourceIndex::Picture>& pictures, const Timing& timing);

    std::int64_t Frames() const { return static_cast<std::int64_t>(m_pictureOf.size()); }
    // The picture (index in presentation order) frame shows; -1 outside the grid.
    std::int64_t PictureOf(std::int64_t frame) const;

private:
    struct Placement {
        std::int64_t slot;
        std::int64_t picture;
    };

    static std::vector<Placement> Place(const std::vector<CSourceIndex::Picture>& pictures,
                                        const Timing& timing);
    void Fill(std::vector<Placement> placements);

    std::vector<std::int64_t> m_pictureOf;
};
