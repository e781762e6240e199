#include "media/CNearestStretch.h"

#include <cstdint>
#include <cstring>

void CNearestStretch::Stretch(const CFrameBuffer& picture, int width, int height,
                              CFrameBuffer& out) {
    if (picture.Empty() || width <= 0 || height <= 0) {
        out.Reset(0, 0, true);
        return;
    }
    out.Reset(width, height, true);
    m_columnBytes.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const long long source = static_cast<long long>(x) * picture.Width() / width;
        m_columnBytes[x] = static_cast<std::size_t>(source) * 3;
    }
    for (int y = 0; y < height; ++y) {
        const auto sourceY =
            static_cast<int>(static_cast<long long>(y) * picture.Height() / height);
        const std::uint8_t* source = picture.PictureRow(sourceY);
        std::uint8_t* target = out.PictureRow(y);
        for (int x = 0; x < width; ++x) {
            std::memcpy(target + static_cast<std::size_t>(x) * 3, source + m_columnBytes[x], 3);
        }
    }
}
