#pragma once

#include "mosaic/T_RECT.h"

#include <cstdint>

// Maps between window and picture coordinates through the rectangle the picture was drawn at:
// factors sx = drawn width / picture width and sy likewise, rounding by adding 0.5 and
// truncating. Without a drawn picture nothing maps.
class CPictureMapping {
public:
    CPictureMapping(const T_RECT& drawn, int pictureWidth, int pictureHeight);

    bool CanMap() const { return m_sx > 0 && m_sy > 0; }
    // Window point to picture point; call only when CanMap().
    std::int32_t ToPictureX(std::int32_t x) const;
    std::int32_t ToPictureY(std::int32_t y) const;
    // Picture rectangle to window rectangle (each edge mapped); empty when nothing maps.
    T_RECT ToWindow(const T_RECT& picture) const;

private:
    T_RECT m_drawn;
    double m_sx = 0;
    double m_sy = 0;
};
