#include "mosaic/CMosaicPainter.h"

#include "mosaic/CColourEffect.h"
#include "mosaic/CFrostedGlassEffect.h"
#include "mosaic/CPixelateEffect.h"

#include <algorithm>
#include <cstring>

void CMosaicPainter::PaintFixedAreas(CFrameBuffer& picture, const CMosaicParam& mosaic,
                                     int sizeId) {
    for (const T_RECT& area : mosaic.FixedAreas()) {
        PaintArea(picture, area, mosaic.size, sizeId);
    }
}

void CMosaicPainter::PaintTracks(CFrameBuffer& picture, const CMosaicParam& mosaic, int sizeId,
                                 std::int32_t frame) {
    for (const CMosaicParam::Track& track : mosaic.Tracks()) {
        const auto entry = std::find_if(track.begin(), track.end(),
                                        [frame](const T_MRECT& e) { return e.frame == frame; });
        if (entry != track.end()) {
            PaintArea(picture, entry->rect, mosaic.size, sizeId);
        }
    }
}

void CMosaicPainter::PaintArea(CFrameBuffer& picture, const T_RECT& rect, int size, int sizeId) {
    const T_RECT area = ClipToPicture(rect, picture);
    if (area.IsEmpty()) {
        return;
    }
    switch (EffectOf(sizeId)) {
    case Effect::Pixelate:
        CPixelateEffect::Apply(picture, area, size);
        break;
    case Effect::FrostedGlass:
        CFrostedGlassEffect::Apply(picture, area);
        break;
    case Effect::Invert:
        CColourEffect::Invert(picture, area);
        break;
    case Effect::BlackFill:
        CColourEffect::BlackFill(picture, area);
        break;
    case Effect::BoxBlur:
        m_blur.Apply(picture, area, size);
        break;
    case Effect::None:
        break;
    }
}

void CMosaicPainter::DoubleLines(CFrameBuffer& picture) {
    for (int row = 0; row + 1 < picture.Height(); row += 2) {
        std::memcpy(picture.MemoryRow(row + 1), picture.MemoryRow(row), picture.PackedRowBytes());
    }
}

CMosaicPainter::Effect CMosaicPainter::EffectOf(int sizeId) {
    if (sizeId >= 0 && sizeId <= 3) {
        return Effect::Pixelate;
    }
    if (sizeId >= 7 && sizeId <= 9) {
        return Effect::BoxBlur;
    }
    switch (sizeId) {
    case 4:
        return Effect::FrostedGlass;
    case 5:
        return Effect::Invert;
    case 6:
        return Effect::BlackFill;
    default:
        return Effect::None;
    }
}

T_RECT CMosaicPainter::ClipToPicture(const T_RECT& rect, const CFrameBuffer& picture) {
    T_RECT clipped{std::max(rect.left, 0), std::max(rect.top, 0),
                   std::min(rect.right, picture.Width()), std::min(rect.bottom, picture.Height())};
    if (clipped.IsEmpty()) {
        return T_RECT{};
    }
    return clipped;
}
