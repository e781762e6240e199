#include "media/CNearestStretch.h"

#include <cstdint>
#include <cstring>

void CNearestStretch::MapColumns(int sourceWidth, int width) {
    m_columnBytes.resize(static_cast<std::size_t>(width));
    for (int x = 0; x < width; ++x) {
        const long long source = static_cast<long long>(x) * sourceWidth / width;
        m_columnBytes[x] = static_cast<std::size_t>(source) * 3;
    }
}

void CNearestStretch::Stretch(const CFrameBuffer& picture, int width, int height,
                              CFrameBuffer& out) {
    if (picture.Empty() || width <= 0 || height <= 0) {
        out.Reset(0, 0, true);
        return;
    }
    out.Reset(width, height, true);
    MapColumns(picture.Width(), width);
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* source = picture.PictureRow(SourceRow(y, picture.Height(), height));
        std::uint8_t* target = out.PictureRow(y);
        for (int x = 0; x < width; ++x) {
            std::memcpy(target + static_cast<std::size_t>(x) * 3, source + m_columnBytes[x], 3);
        }
    }
}

void CNearestStretch::Stretch(const CFrameBuffer& picture, CXrgbImage& out) {
    const int width = out.Width();
    const int height = out.Height();
    if (picture.Empty() || out.Empty()) {
        return;
    }
    MapColumns(picture.Width(), width);
    int previous = -1;
    for (int y = 0; y < height; ++y) {
        const int sourceY = SourceRow(y, picture.Height(), height);
        std::uint32_t* target = out.Row(y);
        // An enlarged picture repeats rows: copy the row just made.
        if (sourceY == previous) {
            std::memcpy(target, out.Row(y - 1), out.Stride());
            continue;
        }
        previous = sourceY;
        const std::uint8_t* source = picture.PictureRow(sourceY);
        for (int x = 0; x < width; ++x) {
            const std::uint8_t* pixel = source + m_columnBytes[x];
            target[x] = 0xff000000u | static_cast<std::uint32_t>(pixel[2]) << 16 |
                        static_cast<std::uint32_t>(pixel[1]) << 8 | pixel[0];
        }
    }
}
