#include "mosaic/CFrostedGlassEffect.h"

#include "mosaic/CFrostRandom.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

void CFrostedGlassEffect::Offsets(int x, int y, int& dx, int& dy) {
    CFrostRandom generator(static_cast<std::uint32_t>(x) * static_cast<std::uint32_t>(y));
    constexpr std::uint32_t span = 2 * kReach + 1;
    dx = static_cast<int>(generator.Next() % span) - kReach;
    dy = static_cast<int>(generator.Next() % span) - kReach;
}

void CFrostedGlassEffect::Apply(CFrameBuffer& picture, const T_RECT& area) {
    const int maxX = picture.Width() - 1;
    const int maxY = picture.Height() - 1;
    std::vector<std::uint8_t*> rows(static_cast<std::size_t>(picture.Height()));
    for (int y = 0; y <= maxY; ++y) {
        rows[y] = picture.PictureRow(y);
    }
    for (int x = area.left; x < area.right; ++x) {
        for (int y = area.top; y < area.bottom; ++y) {
            int dx = 0;
            int dy = 0;
            Offsets(x, y, dx, dy);
            const int tx = std::clamp(x + dx, 0, maxX);
            const int ty = std::clamp(y + dy, 0, maxY);
            std::uint8_t* self = rows[y] + static_cast<std::size_t>(x) * 3;
            std::swap_ranges(self, self + 3, rows[ty] + static_cast<std::size_t>(tx) * 3);
        }
    }
}
