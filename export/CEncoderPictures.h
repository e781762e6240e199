#pragma once

#include "media/CAVPtr.h"
#include "media/CFrameBuffer.h"

#include <cstdint>

// Turns painted 24-bit pictures into pictures of the encoder's format with one scaler that
// lives as long as the export. Each picture gets a buffer of its own from a pool, so a picture
// the encoder still holds is never written over; buffers return to the pool when let go.
class CEncoderPictures {
public:
    bool Init(int width, int height, AVPixelFormat format);
    // The picture converted and stamped with pts; null when the conversion fails.
    AVFramePtr Convert(const CFrameBuffer& picture, std::int64_t pts);

private:
    SwsContextPtr m_scaler;
    AVBufferPoolPtr m_pool;
    int m_width = 0;
    int m_height = 0;
    AVPixelFormat m_format = AV_PIX_FMT_NONE;
};
