#include "mosaic/CCoverage.h"

#include "mosaic/CMosaicParam.h"

#include <algorithm>
#include <set>

namespace {

using Kind = CCoverage::Kind;

void Raise(Kind& kind, Kind to) {
    kind = std::max(kind, to);
}

// Every gap frame of every track, in order.
std::set<std::int64_t> Gaps(const CMosaicParam& mosaic) {
    std::set<std::int64_t> gaps;
    for (const CMosaicTrack& track : mosaic.Tracks()) {
        const CMosaicTrack::Span span = track.Shown();
        for (std::int64_t frame = span.first + 1; frame < span.last; ++frame) {
            if (track.At(frame).IsEmpty()) {
                gaps.insert(frame);
            }
        }
    }
    return gaps;
}

} // namespace

std::vector<Kind> CCoverage::Compute(const CMosaicParam& mosaic, std::int64_t frames) {
    std::vector<Kind> kinds(static_cast<std::size_t>(std::max<std::int64_t>(frames, 0)),
                            mosaic.FixedAreas().empty() ? Kind::None : Kind::Fixed);
    const auto within = [frames](std::int64_t frame) { return frame >= 0 && frame < frames; };
    for (const CMosaicTrack& track : mosaic.Tracks()) {
        const CMosaicTrack::Span span = track.Shown();
        for (std::int64_t frame = std::max<std::int64_t>(span.first, 0);
             frame <= span.last && frame < frames; ++frame) {
            Raise(kinds[static_cast<std::size_t>(frame)],
                  track.At(frame).IsEmpty() ? Kind::Gap : Kind::Track);
        }
        for (const std::int64_t frame : track.UnsureFrames()) {
            if (within(frame)) {
                Raise(kinds[static_cast<std::size_t>(frame)], Kind::Unsure);
            }
        }
    }
    return kinds;
}

bool CCoverage::HasGaps(const CMosaicParam& mosaic) {
    const auto& tracks = mosaic.Tracks();
    return std::any_of(tracks.begin(), tracks.end(), [](const CMosaicTrack& track) {
        const CMosaicTrack::Span span = track.Shown();
        if (span.first >= span.last) {
            return false;
        }
        const auto begin = track.Rects().begin();
        return std::any_of(begin + (span.first - track.First()), begin + (span.last - track.First()),
                           [](const T_RECT& rect) { return rect.IsEmpty(); });
    });
}

std::int64_t CCoverage::GapFrames(const CMosaicParam& mosaic) {
    return static_cast<std::int64_t>(Gaps(mosaic).size());
}

std::int64_t CCoverage::NextGap(const CMosaicParam& mosaic, std::int64_t frame) {
    const std::set<std::int64_t> gaps = Gaps(mosaic);
    if (gaps.empty()) {
        return -1;
    }
    for (auto gap = gaps.upper_bound(frame); gap != gaps.end(); ++gap) {
        if (!gaps.contains(*gap - 1)) {
            return *gap;
        }
    }
    return *gaps.begin();
}
