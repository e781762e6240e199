#pragma once

#include "media/CXrgbImage.h"
#include "platform/CFrameBuffer.h"

#include <vector>

// Scales a picture by dropping or repeating pixels (no smoothing), into a top-down picture.
class CNearestStretch {
public:
    // out becomes width x height, top-down; empty when either size or the picture is empty.
    void Stretch(const CFrameBuffer& picture, int width, int height, CFrameBuffer& out);
    // Scales the picture over the whole of out, whose size stays; out is left as it was when
    // the picture is empty.
    void Stretch(const CFrameBuffer& picture, CXrgbImage& out);

private:
    // The source column of each target column, as the byte offset in a source row.
    void MapColumns(int sourceWidth, int width);
    static int SourceRow(int y, int sourceHeight, int height) {
        return static_cast<int>(static_cast<long long>(y) * sourceHeight / height);
    }

    std::vector<std::size_t> m_columnBytes;
};
