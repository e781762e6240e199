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
    for (const T_RECT& rect : TrackAreas(mosaic, frame)) {
        PaintArea(picture, rect, mosaic.size, sizeId);
    }
}

std::vector<T_RECT> CMosaicPainter::TrackAreas(const CMosaicParam& mosaic, std::int32_t frame) {
    std::vector<T_RECT> areas;
    for (const CMosaicTrack& track : mosaic.Tracks()) {
        if (const T_RECT rect = track.At(frame); !rect.IsEmpty()) {
            areas.push_back(rect);
        }
    }
    return areas;
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
    return ClipToPicture(rect, picture.Width(), picture.Height());
}

T_RECT CMosaicPainter::ClipToPicture(const T_RECT& rect, int width, int height) {
    T_RECT clipped{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
                   std::min(rect.bottom, height)};
    if (clipped.IsEmpty()) {
        return T_RECT{};
    }
    return clipped;
}

// A box blur slides along memory rows and runs on past their ends into the neighbouring rows,
// so a blur whose neighbourhood meets a side of the picture reaches across whole rows.
T_RECT CMosaicPainter::Reach(const T_RECT& rect, int size, int sizeId, int width, int height) {
    const T_RECT area = ClipToPicture(rect, width, height);
    const Effect effect = EffectOf(sizeId);
    if (area.IsEmpty() || effect == Effect::None) {
        return T_RECT{};
    }
    // No margin needs to exceed the picture; the limit keeps the sums below in range.
    const int margin = std::min(Margin(effect, size), std::max(width, height));
    T_RECT reach{area.left - margin, area.top - margin, area.right + margin, area.bottom + margin};
    if (reach.left < 0 || reach.right > width) {
        reach.left = 0;
        reach.right = width;
    }
    return ClipToPicture(reach, width, height);
}

int CMosaicPainter::Margin(Effect effect, int size) {
    switch (effect) {
    case Effect::Pixelate:
        // A block samples its top row from the grid line above or left of the area.
        return std::max(size, 1);
    case Effect::FrostedGlass:
        return CFrostedGlassEffect::kReach;
    case Effect::BoxBlur:
        return CBoxBlurEffect::Radius(size) + 1;
    case Effect::Invert:
    case Effect::BlackFill:
    case Effect::None:
        break;
    }
    return 0;
}
