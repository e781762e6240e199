#include "platform/CFrameBuffer.h"

CFrameBuffer::CFrameBuffer(int width, int height, bool topDown) {
    Reset(width, height, topDown);
}

std::size_t CFrameBuffer::PaddedStride(int width) {
    return (static_cast<std::size_t>(width) * 3 + 3) & ~static_cast<std::size_t>(3);
}

void CFrameBuffer::Reset(int width, int height, bool topDown) {
    m_width = width > 0 ? width : 0;
    m_height = height > 0 ? height : 0;
    m_topDown = topDown;
    m_stride = PaddedStride(m_width);
    m_bytes.assign(m_stride * static_cast<std::size_t>(m_height), 0);
}
