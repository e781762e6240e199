#pragma once

#include "mosaic/T_RECT.h"

#include <cstdint>

// One entry of a moving-mosaic track: the rectangle shown at one frame.
struct T_MRECT {
    T_RECT rect;
    std::int32_t frame = 0;

    bool operator==(const T_MRECT&) const = default;
};
