#pragma once

#include "media/CFrameBuffer.h"
#include "mosaic/CBoxBlurEffect.h"
#include "mosaic/CMosaicParam.h"
#include "mosaic/T_RECT.h"

#include <cstdint>

// Paints the mosaic model into a picture with the effect of the current type id (SizeID):
// 0-3 pixelation, 4 frosted glass, 5 inversion, 6 black fill, 7-9 box blur, else nothing.
class CMosaicPainter {
public:
    enum class Effect { None, Pixelate, FrostedGlass, Invert, BlackFill, BoxBlur };

    // Fixed areas in list order, each with the model's size.
    void PaintFixedAreas(CFrameBuffer& picture, const CMosaicParam& mosaic, int sizeId);
    // Each track's rectangle at that frame, in list order.
    void PaintTracks(CFrameBuffer& picture, const CMosaicParam& mosaic, int sizeId,
                     std::int32_t frame);
    // One rectangle (clipped to the picture) with the effect of sizeId and the given strength.
    void PaintArea(CFrameBuffer& picture, const T_RECT& rect, int size, int sizeId);
    // Deinterlacing: copies memory row 2k over memory row 2k + 1.
    static void DoubleLines(CFrameBuffer& picture);

    static Effect EffectOf(int sizeId);
    // The part of rect that lies inside the picture; empty when nothing does.
    static T_RECT ClipToPicture(const T_RECT& rect, const CFrameBuffer& picture);

private:
    // Keeps its scratch buffers between areas and frames.
    CBoxBlurEffect m_blur;
};
