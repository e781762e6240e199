#include "mosaic/CPixelateEffect.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <vector>

long long CPixelateEffect::Apply(CFrameBuffer& picture, const T_RECT& area, int blockEdge) {
    const long long s = std::max(blockEdge, 1);
    long long painted = 0;
    for (long long y0 = area.top / s * s; y0 < area.bottom; y0 += s) {
        for (long long x0 = area.left / s * s; x0 < area.right; x0 += s) {
            PaintBlock(picture, area, x0, y0, s);
            ++painted;
        }
    }
    return painted;
}

void CPixelateEffect::PaintBlock(CFrameBuffer& picture, const T_RECT& area, long long x0,
                                 long long y0, long long edge) {
    const long long sampleEnd = std::min<long long>(x0 + edge, area.right);
    const std::uint8_t* sample = picture.Pixel(static_cast<int>(x0), static_cast<int>(y0));
    std::array<std::uint64_t, 3> sum{};
    for (long long x = x0; x < sampleEnd; ++x, sample += 3) {
        for (int c = 0; c < 3; ++c) {
            sum[c] += sample[c];
        }
    }
    const auto count = static_cast<std::uint64_t>(sampleEnd - x0);
    const long long left = std::max<long long>(x0, area.left);
    const auto width = static_cast<std::size_t>(sampleEnd - left);
    std::vector<std::uint8_t> span(width * 3);
    for (std::size_t i = 0; i < width; ++i) {
        for (int c = 0; c < 3; ++c) {
            span[i * 3 + c] =
                static_cast<std::uint8_t>(std::min<std::uint64_t>(sum[c] / count, 255));
        }
    }
    const long long bottom = std::min<long long>(y0 + edge, area.bottom);
    for (long long y = std::max<long long>(y0, area.top); y < bottom; ++y) {
        std::memcpy(picture.Pixel(static_cast<int>(left), static_cast<int>(y)), span.data(),
                    span.size());
    }
}
