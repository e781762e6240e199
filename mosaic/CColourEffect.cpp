#include "mosaic/CColourEffect.h"

#include <cstddef>
#include <cstdint>
#include <cstring>

void CColourEffect::Invert(CFrameBuffer& picture, const T_RECT& area) {
    const auto bytes = static_cast<std::size_t>(area.right - area.left) * 3;
    for (int y = area.top; y < area.bottom; ++y) {
        std::uint8_t* row = picture.Pixel(area.left, y);
        for (std::size_t i = 0; i < bytes; ++i) {
            row[i] = static_cast<std::uint8_t>(~row[i]);
        }
    }
}

void CColourEffect::BlackFill(CFrameBuffer& picture, const T_RECT& area) {
    const auto bytes = static_cast<std::size_t>(area.right - area.left) * 3;
    for (int y = area.top; y < area.bottom; ++y) {
        std::memset(picture.Pixel(area.left, y), 0, bytes);
    }
}
