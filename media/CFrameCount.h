#pragma once

#include <cstdint>

extern "C" {
#include <libavutil/avutil.h>
#include <libavutil/rational.h>
}

// The number of frames of a video stream, counted in integers on the stream's own clock, so
// that a length of N frames is N at any rate and never a hair short of it.
class CFrameCount {
public:
    // What the demuxer knows of a stream's length.
    struct Stream {
        AVRational timeBase{0, 1};
        // In timeBase; AV_NOPTS_VALUE when the stream does not know it.
        std::int64_t duration = AV_NOPTS_VALUE;
        // The container's count of frames; 0 when it keeps none.
        std::int64_t frames = 0;
        // Of the whole file, in AV_TIME_BASE units; AV_NOPTS_VALUE when unknown.
        std::int64_t fileDuration = AV_NOPTS_VALUE;
    };

    // The frames of stream at frameRate; 0 when neither tells.
    static std::int64_t Of(const Stream& stream, AVRational frameRate);

private:
    static std::int64_t OfDuration(const Stream& stream, AVRational frameRate);
    static std::int64_t OfFileDuration(std::int64_t duration, AVRational frameRate);
};
