#pragma once

#include "media/CFrameBuffer.h"

#include <vector>

// Scales a picture by dropping or repeating pixels (no smoothing), into a top-down picture.
class CNearestStretch {
public:
    // out becomes width x height, top-down; empty when either size or the picture is empty.
    void Stretch(const CFrameBuffer& picture, int width, int height, CFrameBuffer& out);

private:
    // Byte offset in a source row of each target column.
    std::vector<std::size_t> m_columnBytes;
};
