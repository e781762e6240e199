#include "mosaic/CFrameLayout.h"

#include <algorithm>
#include <cstdint>

namespace {

T_RECT Shifted(const T_RECT& origin, long long left, long long top, long long right,
               long long bottom) {
    return T_RECT{static_cast<std::int32_t>(origin.left + left),
                  static_cast<std::int32_t>(origin.top + top),
                  static_cast<std::int32_t>(origin.left + right),
                  static_cast<std::int32_t>(origin.top + bottom)};
}

} // namespace

CFrameLayout::CFrameLayout(const T_RECT& target, int pictureWidth, int pictureHeight) {
    const long long left = static_cast<long long>(target.left) + 1;
    const long long top = static_cast<long long>(target.top) + 1;
    const long long width = static_cast<long long>(target.right) - 1 - left;
    const long long height = static_cast<long long>(target.bottom) - 1 - top;
    if (width <= 0 || height <= 0) {
        return;
    }
    m_inner =
        T_RECT{static_cast<std::int32_t>(left), static_cast<std::int32_t>(top),
               static_cast<std::int32_t>(left + width), static_cast<std::int32_t>(top + height)};
    if (pictureWidth <= 0 || pictureHeight <= 0) {
        m_firstBar = m_inner;
        return;
    }
    const double aspect = static_cast<double>(pictureWidth) / pictureHeight;
    if (static_cast<double>(width) / static_cast<double>(height) > aspect) {
        PlaceWide(width, height, aspect);
    } else {
        PlaceTall(width, height, aspect);
    }
}

void CFrameLayout::PlaceWide(long long width, long long height, double aspect) {
    const long long w =
        std::min(width, static_cast<long long>(static_cast<double>(height) * aspect));
    const auto ox = static_cast<long long>(static_cast<double>(width - w) * 0.5);
    m_firstBar = Shifted(m_inner, 0, 0, ox, height);
    m_secondBar = Shifted(m_inner, ox + w, 0, width, height);
    Offset(ox, 0, w, height);
}

void CFrameLayout::PlaceTall(long long width, long long height, double aspect) {
    const long long h =
        std::min(height, static_cast<long long>(static_cast<double>(width) / aspect));
    const auto oy = static_cast<long long>(static_cast<double>(height - h) * 0.5);
    m_firstBar = Shifted(m_inner, 0, 0, width, oy);
    m_secondBar = Shifted(m_inner, 0, oy + h, width, height);
    Offset(0, oy, width, h);
}

void CFrameLayout::Offset(long long ox, long long oy, long long w, long long h) {
    m_picture = Shifted(m_inner, ox, oy, ox + w, oy + h);
}
