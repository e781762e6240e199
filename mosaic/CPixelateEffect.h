#pragma once

#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

// Pixelation on a block grid anchored at picture pixel (0, 0). Each block takes the mean of its
// top row (up to the area's right edge) and is written only where it lies inside the area.
class CPixelateEffect {
public:
    // area must lie inside the picture; a block edge below 1 counts as 1.
    // Returns the number of blocks painted (only blocks that meet the area are visited).
    static long long Apply(CFrameBuffer& picture, const T_RECT& area, int blockEdge);

private:
    static void PaintBlock(CFrameBuffer& picture, const T_RECT& area, long long x0, long long y0,
                           long long edge);
};
