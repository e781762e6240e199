#pragma once

#include "mosaic/CBoxBlurEffect.h"
#include "mosaic/CMosaicParam.h"
#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <vector>

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
    static T_RECT ClipToPicture(const T_RECT& rect, int width, int height);
    // The rectangles of the tracks at that frame, in list order, leaving out empty ones.
    static std::vector<T_RECT> TrackAreas(const CMosaicParam& mosaic, std::int32_t frame);
    // The part of a width x height picture that painting rect may read or write; empty when
    // nothing is painted. Nothing outside it changes or matters to the result.
    static T_RECT Reach(const T_RECT& rect, int size, int sizeId, int width, int height);

private:
    // How far past its area an effect reads or writes.
    static int Margin(Effect effect, int size);

    // Keeps its scratch buffers between areas and frames.
    CBoxBlurEffect m_blur;
};
