#pragma once

#include "mosaic/CGreyPicture.h"

#include <cstdint>

// The frames the subject tracker follows a subject through: grey, in picture coordinates.
// The decoder behind them lives above the mosaic.
class ITrackFrames {
public:
    virtual ~ITrackFrames() = default;

    virtual std::int64_t First() const = 0;
    virtual std::int64_t Last() const = 0;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    // The picture of frame index; nullptr outside the frame range or when it cannot be decoded.
    // It stays valid until the next call.
    virtual const CGreyPicture* Picture(std::int64_t index) = 0;
};
