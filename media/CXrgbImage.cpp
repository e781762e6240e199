#include "media/CXrgbImage.h"

#include <algorithm>
#include <cstring>

CXrgbImage::CXrgbImage(int width, int height) {
    Reset(width, height);
}

void CXrgbImage::Reset(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height),
                    Rgb(0, 0, 0));
}

T_RECT CXrgbImage::Clip(const T_RECT& rect) const {
    return T_RECT{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, m_width),
                  std::min(rect.bottom, m_height)};
}

void CXrgbImage::Fill(const T_RECT& rect, std::uint32_t colour) {
    const T_RECT area = Clip(rect);
    if (area.IsEmpty()) {
        return;
    }
    for (int y = area.top; y < area.bottom; ++y) {
        std::fill(Row(y) + area.left, Row(y) + area.right, colour);
    }
}

void CXrgbImage::Copy(const CXrgbImage& source, int x, int y) {
    const T_RECT area = Clip(T_RECT{x, y, x + source.Width(), y + source.Height()});
    if (area.IsEmpty()) {
        return;
    }
    const std::size_t bytes = static_cast<std::size_t>(area.right - area.left) * 4;
    for (int row = area.top; row < area.bottom; ++row) {
        std::memcpy(Row(row) + area.left, source.Row(row - y) + (area.left - x), bytes);
    }
}
