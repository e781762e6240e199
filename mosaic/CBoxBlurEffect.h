#pragma once

#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <vector>

// Box blur: each pixel of the area becomes the mean of the (2r + 1) x (2r + 1) window around it,
// read from the picture as it was before the area was blurred. A window pixel counts when its
// position in the packed picture (rows of width * 3 bytes, memory order) lies inside the picture,
// so a window column past the left or right edge reads the far end of the neighbouring row.
//
// Every window row is a contiguous run of packed positions, so its sum slides along the row in
// constant time and the column sums slide down the rows: the cost does not depend on r.
class CBoxBlurEffect {
public:
    static constexpr int kMinRadius = 5;
    static constexpr int kMaxRadius = 50;

    static int Radius(int size);
    // area must lie inside the picture.
    void Apply(CFrameBuffer& picture, const T_RECT& area, int size);

private:
    void CopySource(const CFrameBuffer& picture, long long firstRow, long long lastRow);
    void PrepareReciprocals();
    void SumRow(long long memoryRow, std::uint32_t* out) const;
    std::uint32_t CountAround(long long position) const;
    void WriteRow(CFrameBuffer& picture, int memoryRow) const;
    std::uint32_t* Slot(long long memoryRow, long long firstRow);

    int m_radius = kMinRadius;
    int m_left = 0;
    int m_right = 0;
    long long m_width = 0;
    long long m_total = 0;
    // Packed copy of the positions the area's windows read, zero outside the picture.
    long long m_sourceStart = 0;
    std::vector<std::uint8_t> m_source;
    // Ring of 2r + 1 window-row sums (blue, green, red, count per column) and their column total.
    std::vector<std::uint32_t> m_rows;
    std::vector<std::uint32_t> m_column;
    // ceil(2^40 / n): exact division of any window sum by its count n.
    std::vector<std::uint64_t> m_reciprocal;
};
