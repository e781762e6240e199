#pragma once

#include "media/CNearestStretch.h"
#include "media/CXrgbImage.h"
#include "mosaic/CMosaicParam.h"
#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <vector>

// The frame the view showed last, already stretched to its size in the view, and what it was
// painted from: a repaint of the same frame with the same mosaic copies it instead of decoding
// and painting again.
class CDrawnFrame {
public:
    // Everything the painted picture depends on.
    struct Source {
        std::int64_t frame = -1;
        bool lineDouble = false;
        std::int32_t sizeId = 0;
        std::int32_t size = 0;
        std::vector<T_RECT> areas;
        // Each track's rectangle at the frame (empty where it has none), in track order.
        std::vector<T_RECT> trackRects;

        bool operator==(const Source&) const = default;
    };

    // Tracks are never painted on a still image.
    static Source SourceOf(const CMosaicParam& mosaic, std::int32_t sizeId, std::int64_t frame,
                           bool lineDouble, bool stillImage);

    // The stretched picture made from source at this size; nullptr when there is none.
    const CXrgbImage* Find(const Source& source, int width, int height) const;
    // Stretches picture to width x height and keeps it as made from source.
    const CXrgbImage& Store(Source source, const CFrameBuffer& picture, int width, int height);
    void Forget() { m_valid = false; }

private:
    Source m_source;
    bool m_valid = false;
    CXrgbImage m_image;
    CNearestStretch m_stretch;
};
