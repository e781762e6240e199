#include "media/CTrackFrames.h"

#include <algorithm>
#include <cstring>

extern "C" {
#include <libavutil/pixdesc.h>
}

namespace {

// Whether the first plane of the format is its 8-bit luma, one byte a pixel.
bool HasLumaPlane(int format) {
    const AVPixFmtDescriptor* descriptor = av_pix_fmt_desc_get(static_cast<AVPixelFormat>(format));
    return descriptor != nullptr &&
           (descriptor->flags & (AV_PIX_FMT_FLAG_RGB | AV_PIX_FMT_FLAG_PAL | AV_PIX_FMT_FLAG_BE)) ==
               0 &&
           descriptor->nb_components > 0 && descriptor->comp[0].plane == 0 &&
           descriptor->comp[0].depth == 8 && descriptor->comp[0].step == 1;
}

} // namespace

CTrackFrames::CTrackFrames(RX40sCFFmpeg& video) : m_video(video), m_picture(av_frame_alloc()) {}

const CGreyPicture* CTrackFrames::Picture(std::int64_t index) {
    if (index < First() || index > Last() || !m_picture) {
        return nullptr;
    }
    if (!Holds(index)) {
        const bool backward = !m_block.empty() && index < m_blockFirst;
        const std::int64_t first = backward ? std::max(First(), index - kBackwardBlock + 1) : index;
        if (!DecodeBlock(first, index)) {
            m_block.clear();
            return nullptr;
        }
    }
    return &m_block[static_cast<std::size_t>(index - m_blockFirst)];
}

bool CTrackFrames::Holds(std::int64_t index) const {
    return index >= m_blockFirst &&
           index < m_blockFirst + static_cast<std::int64_t>(m_block.size());
}

// The pictures of the last block are reused: their size rarely changes.
bool CTrackFrames::DecodeBlock(std::int64_t first, std::int64_t last) {
    m_block.resize(static_cast<std::size_t>(last - first + 1));
    m_blockFirst = first;
    for (std::int64_t index = first; index <= last; ++index) {
        if (!DecodeInto(index, m_block[static_cast<std::size_t>(index - first)])) {
            return false;
        }
    }
    return true;
}

bool CTrackFrames::DecodeInto(std::int64_t index, CGreyPicture& grey) {
    if (m_video.DecodePicture(index, *m_picture) != RX40sCFFmpeg::Next::Picture) {
        return false;
    }
    const bool converted = ToGrey(*m_picture, grey);
    av_frame_unref(m_picture.get());
    return converted;
}

// Stretched to the full width as the frame picture is, so picture coordinates hold.
bool CTrackFrames::ToGrey(const AVFrame& picture, CGreyPicture& grey) {
    if (grey.Width() != Width() || grey.Height() != Height()) {
        grey.Reset(Width(), Height());
    }
    if (grey.Empty()) {
        return false;
    }
    // The decoder's luma is the grey picture already, unless it must be stretched.
    if (picture.width == Width() && picture.height == Height() && HasLumaPlane(picture.format)) {
        for (int y = 0; y < Height(); ++y) {
            std::memcpy(grey.Row(y),
                        picture.data[0] + y * static_cast<std::ptrdiff_t>(picture.linesize[0]),
                        static_cast<std::size_t>(Width()));
        }
        return true;
    }
    m_scaler.reset(sws_getCachedContext(m_scaler.release(), picture.width, picture.height,
                                        static_cast<AVPixelFormat>(picture.format), Width(),
                                        Height(), AV_PIX_FMT_GRAY8, SWS_FAST_BILINEAR, nullptr,
                                        nullptr, nullptr));
    std::uint8_t* planes[] = {grey.Data()};
    const int strides[] = {grey.Width()};
    return m_scaler && sws_scale(m_scaler.get(), picture.data, picture.linesize, 0, picture.height,
                                 planes, strides) > 0;
}
