#include "mosaic/CPictureMapping.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

// Rectangles read from progress files are not checked, so a result may not fit: it is held
// at the ends of the range.
std::int32_t Rounded(double value, std::int32_t offset = 0) {
    const double result = std::trunc(value + 0.5) + offset;
    return static_cast<std::int32_t>(
        std::clamp(result, static_cast<double>(std::numeric_limits<std::int32_t>::min()),
                   static_cast<double>(std::numeric_limits<std::int32_t>::max())));
}

} // namespace

CPictureMapping::CPictureMapping(const T_RECT& drawn, int pictureWidth, int pictureHeight)
    : m_drawn(drawn) {
    if (!drawn.IsEmpty() && pictureWidth > 0 && pictureHeight > 0) {
        m_sx = static_cast<double>(drawn.right - drawn.left) / pictureWidth;
        m_sy = static_cast<double>(drawn.bottom - drawn.top) / pictureHeight;
    }
}

std::int32_t CPictureMapping::ToPictureX(std::int32_t x) const {
    return Rounded((static_cast<double>(x) - m_drawn.left) / m_sx);
}

std::int32_t CPictureMapping::ToPictureY(std::int32_t y) const {
    return Rounded((static_cast<double>(y) - m_drawn.top) / m_sy);
}

T_RECT CPictureMapping::ToWindow(const T_RECT& picture) const {
    if (!CanMap()) {
        return T_RECT{};
    }
    return T_RECT{Rounded(picture.left * m_sx, m_drawn.left),
                  Rounded(picture.top * m_sy, m_drawn.top),
                  Rounded(picture.right * m_sx, m_drawn.left),
                  Rounded(picture.bottom * m_sy, m_drawn.top)};
}
