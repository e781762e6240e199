#pragma once

#include <cstdint>
#include <string>

// The benchmarks' 1080p working video (converter-style AVI, 30 fps), made once with the ffmpeg
// tool and kept in /tmp between runs.
class CBenchClip {
public:
    static constexpr std::int64_t Frames = 90;
    // Empty when the tool could not make it.
    static const std::string& Path1080p();
};
