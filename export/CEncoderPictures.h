#pragma once

#include "export/CRegionScaler.h"
#include "media/CAVPtr.h"
#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <functional>
#include <vector>

// Turns painted pictures into pictures of the encoder's format with scalers that live as long
// as the export. Each picture gets a buffer of its own from a pool, so a picture the encoder
// still holds is never written over; buffers return to the pool when let go.
class CEncoderPictures {
public:
    using Painter = std::function<void(CFrameBuffer&)>;

    CEncoderPictures();

    bool Init(int width, int height, AVPixelFormat format);
    // The 24-bit picture converted and stamped with pts; null when the conversion fails.
    AVFramePtr Convert(const CFrameBuffer& picture, std::int64_t pts);
    // Whether Paint takes this decoded picture: the encoder's format and size, on a grid where
    // converting a part to 24 bits gives the very pixels that converting the whole does.
    bool Paintable(const AVFrame& decoded) const;
    // The decoded picture with the mosaic painted, stamped with pts: only the regions around
    // the reaches go to 24 bits for paint and back, and every sample outside the reaches stays
    // as decoded. paint sees a whole picture whose pixels are right inside the reaches. Null
    // when a conversion fails.
    AVFramePtr Paint(const AVFrame& decoded, const std::vector<T_RECT>& reaches,
                     const Painter& paint, std::int64_t pts);
    // The regions that Paint converts for these reaches.
    std::vector<T_RECT> Regions(const std::vector<T_RECT>& reaches) const;

private:
    AVFramePtr NewPicture(std::int64_t pts);
    // The picture top-down, one column wider, its last pixel twice.
    const CFrameBuffer& Widened(const CFrameBuffer& picture);
    bool ToCanvas(const AVFrame& decoded, const T_RECT& region);
    bool FromCanvas(AVFrame& picture, const T_RECT& region);
    // The samples of region that no reach touches, back as decoded: the way to 24 bits and
    // back would change them a little for nothing.
    static void KeepDecoded(AVFrame& picture, const AVFrame& decoded, const T_RECT& region,
                            const std::vector<T_RECT>& reaches);

    SwsContextPtr m_scaler;
    AVBufferPoolPtr m_pool;
    CRegionScaler m_toCanvas;
    CRegionScaler m_fromCanvas;
    CFrameBuffer m_canvas;
    CFrameBuffer m_widened;
    int m_width = 0;
    int m_evenWidth = 0;
    int m_height = 0;
    AVPixelFormat m_format = AV_PIX_FMT_NONE;
};
