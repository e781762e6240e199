#pragma once

#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

// Frosted glass: every pixel of the area, columns outer and rows inner, swaps places with a
// partner at most 5 pixels away. The partner comes from a generator seeded with x * y, so the
// same area of the same picture always gives the same pattern.
class CFrostedGlassEffect {
public:
    static constexpr int kReach = 5;

    // area must lie inside the picture.
    static void Apply(CFrameBuffer& picture, const T_RECT& area);
    // Partner offsets (dx, dy), each within -kReach..kReach, of pixel (x, y) before clamping.
    static void Offsets(int x, int y, int& dx, int& dy);
};
