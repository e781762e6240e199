#pragma once

extern "C" {
#include <libavutil/frame.h>
#include <libavutil/pixfmt.h>
}

#include <string>

// Where an export hands its painted pictures, one after the other.
class IPictureEncoder {
public:
    virtual ~IPictureEncoder() = default;

    // The picture format Encode takes.
    virtual AVPixelFormat PixelFormat() const = 0;
    // Takes one picture; false ends the export.
    virtual bool Encode(const AVFrame& picture) = 0;
    // After the last picture: everything written and closed; false when that failed.
    virtual bool Finish() = 0;
    // Asked from another thread: an Encode that waits gives up soon.
    virtual void Interrupt() {}
    // Why the first step that failed did, in the library's or the tool's words; may be empty.
    virtual const std::string& Reason() const = 0;
};
