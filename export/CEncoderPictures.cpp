#include "export/CEncoderPictures.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {
constexpr int kAlign = 32;
}

bool CEncoderPictures::Init(int width, int height, AVPixelFormat format) {
    const int size = av_image_get_buffer_size(format, width, height, kAlign);
    if (size <= 0) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_format = format;
    m_pool.reset(av_buffer_pool_init(static_cast<std::size_t>(size), av_buffer_allocz));
    m_scaler.reset(sws_getContext(width, height, AV_PIX_FMT_BGR24, width, height, format,
                                  SWS_BICUBIC, nullptr, nullptr, nullptr));
    return m_pool && m_scaler;
}

AVFramePtr CEncoderPictures::Convert(const CFrameBuffer& picture, std::int64_t pts) {
    if (picture.Width() != m_width || picture.Height() != m_height) {
        return nullptr;
    }
    AVFramePtr frame(av_frame_alloc());
    if (!frame) {
        return nullptr;
    }
    frame->buf[0] = av_buffer_pool_get(m_pool.get());
    if (!frame->buf[0] || av_image_fill_arrays(frame->data, frame->linesize, frame->buf[0]->data,
                                               m_format, m_width, m_height, kAlign) < 0) {
        return nullptr;
    }
    frame->format = m_format;
    frame->width = m_width;
    frame->height = m_height;
    frame->pts = pts;
    // A bottom-up picture is read from its last memory row upwards.
    const std::uint8_t* top = picture.PictureRow(0);
    const int stride = static_cast<int>(picture.Stride());
    const std::uint8_t* const source[4] = {top, nullptr, nullptr, nullptr};
    const int strides[4] = {picture.TopDown() ? stride : -stride, 0, 0, 0};
    if (sws_scale(m_scaler.get(), source, strides, 0, m_height, frame->data, frame->linesize) !=
        m_height) {
        return nullptr;
    }
    return frame;
}
