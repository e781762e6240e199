#include "export/CEncoderPictures.h"

#include "export/CPaintedRegions.h"

#include <algorithm>
#include <array>
#include <cstring>

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {

constexpr int kAlign = 32;
// The fast YUV to 24-bit conversion takes two rows and sixteen columns at a step; the way back
// dithers in patterns of eight rows of each plane. On this grid a region converts to the very
// pixels the whole picture would have.
constexpr int kColumnStep = 16;
constexpr int kRowStep = 16;
constexpr int kPairedRows = 2;

// The planes of a 4:2:0 picture from pixel (left, top) on, both even.
std::array<std::uint8_t*, 4> PlanesAt(const AVFrame& picture, int left, int top) {
    return {picture.data[0] + top * picture.linesize[0] + left,
            picture.data[1] + top / 2 * picture.linesize[1] + left / 2,
            picture.data[2] + top / 2 * picture.linesize[2] + left / 2, nullptr};
}

bool Touches(const std::vector<T_RECT>& reaches, int left, int top, int size) {
    return std::any_of(reaches.begin(), reaches.end(), [=](const T_RECT& reach) {
        return left < reach.right && reach.left < left + size && top < reach.bottom &&
               reach.top < top + size;
    });
}

} // namespace

CEncoderPictures::CEncoderPictures()
    : m_toCanvas(AV_PIX_FMT_YUV420P, AV_PIX_FMT_BGR24),
      m_fromCanvas(AV_PIX_FMT_BGR24, AV_PIX_FMT_YUV420P) {}

// The colour of a 4:2:0 picture is sampled from pairs of pixels, and the scaler takes the pair
// of an odd row's last pixel from the bytes after the row. The conversion works at an even
// width instead, on rows that carry their last pixel twice, into planes with room for it.
bool CEncoderPictures::Init(int width, int height, AVPixelFormat format) {
    m_evenWidth = width + width % 2;
    const int size = av_image_get_buffer_size(format, m_evenWidth, height, kAlign);
    if (size <= 0) {
        return false;
    }
    m_width = width;
    m_height = height;
    m_format = format;
    m_pool.reset(av_buffer_pool_init(static_cast<std::size_t>(size), av_buffer_allocz));
    m_scaler.reset(sws_getContext(m_evenWidth, height, AV_PIX_FMT_BGR24, m_evenWidth, height,
                                  format, SWS_BICUBIC, nullptr, nullptr, nullptr));
    return m_pool && m_scaler;
}

AVFramePtr CEncoderPictures::NewPicture(std::int64_t pts) {
    AVFramePtr frame(av_frame_alloc());
    if (!frame) {
        return nullptr;
    }
    frame->buf[0] = av_buffer_pool_get(m_pool.get());
    if (!frame->buf[0] || av_image_fill_arrays(frame->data, frame->linesize, frame->buf[0]->data,
                                               m_format, m_evenWidth, m_height, kAlign) < 0) {
        return nullptr;
    }
    frame->format = m_format;
    frame->width = m_width;
    frame->height = m_height;
    frame->pts = pts;
    return frame;
}

AVFramePtr CEncoderPictures::Convert(const CFrameBuffer& picture, std::int64_t pts) {
    if (picture.Width() != m_width || picture.Height() != m_height) {
        return nullptr;
    }
    AVFramePtr frame = NewPicture(pts);
    if (!frame) {
        return nullptr;
    }
    const CFrameBuffer& even = m_evenWidth == m_width ? picture : Widened(picture);
    // A bottom-up picture is read from its last memory row upwards.
    const std::uint8_t* top = even.PictureRow(0);
    const int stride = static_cast<int>(even.Stride());
    const std::uint8_t* const source[4] = {top, nullptr, nullptr, nullptr};
    const int strides[4] = {even.TopDown() ? stride : -stride, 0, 0, 0};
    if (sws_scale(m_scaler.get(), source, strides, 0, m_height, frame->data, frame->linesize) !=
        m_height) {
        return nullptr;
    }
    return frame;
}

const CFrameBuffer& CEncoderPictures::Widened(const CFrameBuffer& picture) {
    if (m_widened.Width() != m_evenWidth || m_widened.Height() != m_height) {
        m_widened.Reset(m_evenWidth, m_height, true);
    }
    const std::size_t rowBytes = picture.PackedRowBytes();
    for (int y = 0; y < m_height; ++y) {
        std::uint8_t* row = m_widened.PictureRow(y);
        std::memcpy(row, picture.PictureRow(y), rowBytes);
        std::memcpy(row + rowBytes, row + rowBytes - 3, 3);
    }
    return m_widened;
}

bool CEncoderPictures::Paintable(const AVFrame& decoded) const {
    return m_format == AV_PIX_FMT_YUV420P && decoded.format == m_format &&
           decoded.width == m_width && decoded.height == m_height && m_width % kColumnStep == 0 &&
           m_height % kPairedRows == 0;
}

AVFramePtr CEncoderPictures::Paint(const AVFrame& decoded, const std::vector<T_RECT>& reaches,
                                   const Painter& paint, std::int64_t pts) {
    AVFramePtr frame = NewPicture(pts);
    if (!frame || !Paintable(decoded) || av_frame_copy(frame.get(), &decoded) < 0) {
        return nullptr;
    }
    const std::vector<T_RECT> regions = Regions(reaches);
    if (regions.empty()) {
        return frame;
    }
    if (m_canvas.Width() != m_width || m_canvas.Height() != m_height) {
        m_canvas.Reset(m_width, m_height, true);
    }
    m_toCanvas.NextPicture();
    m_fromCanvas.NextPicture();
    for (const T_RECT& region : regions) {
        if (!ToCanvas(decoded, region)) {
            return nullptr;
        }
    }
    paint(m_canvas);
    for (const T_RECT& region : regions) {
        if (!FromCanvas(*frame, region)) {
            return nullptr;
        }
        KeepDecoded(*frame, decoded, region, reaches);
    }
    return frame;
}

std::vector<T_RECT> CEncoderPictures::Regions(const std::vector<T_RECT>& reaches) const {
    return CPaintedRegions::Of(reaches, m_width, m_height, kColumnStep, kRowStep);
}

bool CEncoderPictures::ToCanvas(const AVFrame& decoded, const T_RECT& region) {
    const std::array<std::uint8_t*, 4> planes = PlanesAt(decoded, region.left, region.top);
    const std::uint8_t* const source[4] = {planes[0], planes[1], planes[2], nullptr};
    std::uint8_t* const target[4] = {m_canvas.Pixel(region.left, region.top), nullptr, nullptr,
                                     nullptr};
    const int targetStrides[4] = {static_cast<int>(m_canvas.Stride()), 0, 0, 0};
    return m_toCanvas.Convert(region.right - region.left, region.bottom - region.top, source,
                              decoded.linesize, target, targetStrides);
}

void CEncoderPictures::KeepDecoded(AVFrame& picture, const AVFrame& decoded, const T_RECT& region,
                                   const std::vector<T_RECT>& reaches) {
    for (int y = region.top; y < region.bottom; ++y) {
        for (int x = region.left; x < region.right; ++x) {
            if (!Touches(reaches, x, y, 1)) {
                picture.data[0][y * picture.linesize[0] + x] =
                    decoded.data[0][y * decoded.linesize[0] + x];
            }
        }
    }
    // A colour sample belongs to two rows and two columns; the region's sides are even.
    for (int y = region.top; y < region.bottom; y += 2) {
        for (int x = region.left; x < region.right; x += 2) {
            if (!Touches(reaches, x, y, 2)) {
                for (const int plane : {1, 2}) {
                    picture.data[plane][y / 2 * picture.linesize[plane] + x / 2] =
                        decoded.data[plane][y / 2 * decoded.linesize[plane] + x / 2];
                }
            }
        }
    }
}

bool CEncoderPictures::FromCanvas(AVFrame& picture, const T_RECT& region) {
    const std::uint8_t* const source[4] = {m_canvas.Pixel(region.left, region.top), nullptr,
                                           nullptr, nullptr};
    const int sourceStrides[4] = {static_cast<int>(m_canvas.Stride()), 0, 0, 0};
    const std::array<std::uint8_t*, 4> target = PlanesAt(picture, region.left, region.top);
    return m_fromCanvas.Convert(region.right - region.left, region.bottom - region.top, source,
                                sourceStrides, target.data(), picture.linesize);
}
