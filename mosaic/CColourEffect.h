#pragma once

#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

// The two effects that change each pixel on its own: colour inversion and black fill.
class CColourEffect {
public:
    // area must lie inside the picture.
    static void Invert(CFrameBuffer& picture, const T_RECT& area);
    static void BlackFill(CFrameBuffer& picture, const T_RECT& area);
};
