#pragma once

#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

#include <array>
#include <cstdint>
#include <vector>

// The effects computed the plain way, step by step, on a packed copy of the picture (rows of
// width * 3 bytes in memory order, pixel (x, y) at byte 3x + row(y) * 3 * width). Slow on purpose:
// tests and benchmarks hold the fast kernels of CMosaicPainter against it.
class CReferenceEffects {
public:
    // Same contract as CMosaicPainter::PaintArea: rect clipped to the picture, effect by sizeId.
    void PaintArea(CFrameBuffer& picture, const T_RECT& rect, int size, int sizeId);

private:
    void Pixelate(const T_RECT& area, int blockEdge);
    void FrostedGlass(const T_RECT& area);
    void Invert(const T_RECT& area);
    void BlackFill(const T_RECT& area);
    void BoxBlur(const T_RECT& area, int size);
    bool BlurPixel(const std::vector<std::uint8_t>& copy, int size, int x, int y, int mode,
                   std::uint8_t* out);
    void AddWindow(const std::vector<std::uint8_t>& copy, int x, int y, int radius);
    void Accumulate(const std::vector<std::uint8_t>& copy, long long x, long long y, int sign);

    long long Position(long long x, long long y) const;
    bool Counts(long long position) const;
    void Pack(const CFrameBuffer& picture);
    void Unpack(CFrameBuffer& picture) const;

    int m_width = 0;
    int m_height = 0;
    bool m_topDown = true;
    std::vector<std::uint8_t> m_bits;
    // Running sums (blue, green, red, count): at the start of the current column, and current.
    std::array<std::uint32_t, 4> m_columnStart{};
    std::array<std::uint32_t, 4> m_current{};
};
