#include "mosaic/CGreyPicture.h"

CGreyPicture::CGreyPicture(int width, int height) {
    Reset(width, height);
}

void CGreyPicture::Reset(int width, int height) {
    m_width = width > 0 && height > 0 ? width : 0;
    m_height = m_width > 0 ? height : 0;
    m_pixels.assign(static_cast<std::size_t>(m_width) * m_height, 0);
}
