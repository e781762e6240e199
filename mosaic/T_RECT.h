#pragma once

#include <cstdint>

// A rectangle in picture coordinates; right and bottom are exclusive.
struct T_RECT {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool IsEmpty() const { return right <= left || bottom <= top; }
    bool Contains(std::int32_t x, std::int32_t y) const {
        return left <= x && x < right && top <= y && y < bottom;
    }
    bool operator==(const T_RECT&) const = default;
};
