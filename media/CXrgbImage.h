#pragma once

#include "mosaic/T_RECT.h"

#include <cstdint>
#include <vector>

// A 32-bit picture whose pixels are 0xffRRGGBB (blue first in memory), rows of exactly width * 4
// bytes, top row first: the view's off-screen image, which the GUI draws on and copies to the
// screen without conversion.
class CXrgbImage {
public:
    CXrgbImage() = default;
    CXrgbImage(int width, int height);

    static constexpr std::uint32_t Rgb(int red, int green, int blue) {
        return 0xff000000u | static_cast<std::uint32_t>(red & 0xff) << 16 |
               static_cast<std::uint32_t>(green & 0xff) << 8 | static_cast<std::uint32_t>(blue & 0xff);
    }

    // Sizes below 0 count as 0; the pixels become black.
    void Reset(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    std::size_t Stride() const { return static_cast<std::size_t>(m_width) * 4; }
    bool Empty() const { return m_pixels.empty(); }

    std::uint32_t* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    const std::uint32_t* Row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    }
    std::uint32_t Pixel(int x, int y) const { return Row(y)[x]; }
    std::uint8_t* Bits() { return reinterpret_cast<std::uint8_t*>(m_pixels.data()); }

    // Fills the part of rect that lies in the image.
    void Fill(const T_RECT& rect, std::uint32_t colour);
    // Copies the whole of source with its top left at (x, y); what falls outside is dropped.
    void Copy(const CXrgbImage& source, int x, int y);

private:
    T_RECT Clip(const T_RECT& rect) const;

    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint32_t> m_pixels;
};
