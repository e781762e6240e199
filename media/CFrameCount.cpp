#include "media/CFrameCount.h"

extern "C" {
#include <libavutil/mathematics.h>
}

#include <algorithm>

namespace {

bool Positive(AVRational value) {
    return value.num > 0 && value.den > 0;
}

// Overflow comes back as INT64_MIN: no count.
std::int64_t Count(std::int64_t frames) {
    return std::max<std::int64_t>(frames, 0);
}

} // namespace

std::int64_t CFrameCount::Of(const Stream& stream, AVRational frameRate) {
    if (!Positive(frameRate)) {
        return 0;
    }
    if (stream.duration > 0 && Positive(stream.timeBase)) {
        return OfDuration(stream, frameRate);
    }
    if (stream.frames > 0) {
        return stream.frames;
    }
    return stream.fileDuration > 0 ? OfFileDuration(stream.fileDuration, frameRate) : 0;
}

// A duration of whole frame periods is the stream's own count and wins over the container's:
// an AVI's duration comes from the index found in the file, its count from the header, which
// keeps what the writer promised when a capture was cut short. A duration between two frames
// was rounded on a coarser clock or leaves out the last frame's own length; then the
// container's count is exact and the nearest whole frame the best guess without one.
std::int64_t CFrameCount::OfDuration(const Stream& stream, AVRational frameRate) {
    const std::int64_t ticks = static_cast<std::int64_t>(stream.timeBase.num) * frameRate.num;
    const std::int64_t period = static_cast<std::int64_t>(stream.timeBase.den) * frameRate.den;
    const std::int64_t down = av_rescale_rnd(stream.duration, ticks, period, AV_ROUND_DOWN);
    const std::int64_t up = av_rescale_rnd(stream.duration, ticks, period, AV_ROUND_UP);
    if (down == up) {
        return Count(down);
    }
    if (stream.frames > 0) {
        return stream.frames;
    }
    return Count(av_rescale_rnd(stream.duration, ticks, period, AV_ROUND_NEAR_INF));
}

std::int64_t CFrameCount::OfFileDuration(std::int64_t duration, AVRational frameRate) {
    return Count(av_rescale_rnd(duration, frameRate.num,
                                static_cast<std::int64_t>(frameRate.den) * AV_TIME_BASE,
                                AV_ROUND_NEAR_INF));
}
