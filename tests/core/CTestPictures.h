#pragma once

#include "platform/CFrameBuffer.h"

#include <cstdint>

// Pictures for the effect tests.
class CTestPictures {
public:
    // Every picture byte drawn from a generator with that seed; row padding stays 0.
    static CFrameBuffer Random(int width, int height, bool topDown, std::uint32_t seed);
    // Pixel (x, y) is blue x, green y, red x + y (each mod 256).
    static CFrameBuffer Gradient(int width, int height, bool topDown);
    // A black picture with one pixel set to (value, value, value).
    static CFrameBuffer Dot(int width, int height, bool topDown, int x, int y, std::uint8_t value);
};
