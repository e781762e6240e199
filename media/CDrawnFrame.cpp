#include "media/CDrawnFrame.h"

#include <algorithm>
#include <utility>

CDrawnFrame::Source CDrawnFrame::SourceOf(const CMosaicParam& mosaic, std::int32_t sizeId,
                                          std::int64_t frame, bool lineDouble, bool stillImage) {
    Source source{frame, lineDouble, sizeId, mosaic.size, mosaic.FixedAreas(), {}};
    if (stillImage) {
        return source;
    }
    source.trackRects.reserve(mosaic.Tracks().size());
    for (const CMosaicTrack& track : mosaic.Tracks()) {
        source.trackRects.push_back(track.At(frame));
    }
    return source;
}

const CXrgbImage* CDrawnFrame::Find(const Source& source, int width, int height) const {
    const bool same = m_valid && m_image.Width() == std::max(width, 0) &&
                      m_image.Height() == std::max(height, 0) && m_source == source;
    return same ? &m_image : nullptr;
}

const CXrgbImage& CDrawnFrame::Store(Source source, const CFrameBuffer& picture, int width,
                                     int height) {
    if (m_image.Width() != width || m_image.Height() != height) {
        m_image.Reset(width, height);
    }
    m_stretch.Stretch(picture, m_image);
    m_source = std::move(source);
    m_valid = true;
    return m_image;
}
