#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// A 24-bit BGR picture. Rows are padded to a multiple of 4 bytes in memory; the row order says
// whether the first row in memory is the top (top-down) or the bottom (bottom-up) of the picture.
// Picture coordinates are always top-down; MemoryRow() addresses rows as they lie in memory.
class CFrameBuffer {
public:
    CFrameBuffer() = default;
    CFrameBuffer(int width, int height, bool topDown);

    // Bytes per row in memory for a picture of this width: width * 3 rounded up to 4.
    static std::size_t PaddedStride(int width);

    void Reset(int width, int height, bool topDown);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool TopDown() const { return m_topDown; }
    std::size_t Stride() const { return m_stride; }
    std::size_t PackedRowBytes() const { return static_cast<std::size_t>(m_width) * 3; }
    std::size_t ByteSize() const { return m_bytes.size(); }
    bool Empty() const { return m_bytes.empty(); }

    std::uint8_t* Data() { return m_bytes.data(); }
    const std::uint8_t* Data() const { return m_bytes.data(); }

    // Row i in memory order, 0 <= i < Height().
    std::uint8_t* MemoryRow(int i) {
        return m_bytes.data() + static_cast<std::size_t>(i) * m_stride;
    }
    const std::uint8_t* MemoryRow(int i) const {
        return m_bytes.data() + static_cast<std::size_t>(i) * m_stride;
    }
    // Memory row that holds picture row y (top-down coordinates).
    int MemoryRowOf(int y) const { return m_topDown ? y : m_height - 1 - y; }
    std::uint8_t* PictureRow(int y) { return MemoryRow(MemoryRowOf(y)); }
    const std::uint8_t* PictureRow(int y) const { return MemoryRow(MemoryRowOf(y)); }
    std::uint8_t* Pixel(int x, int y) { return PictureRow(y) + static_cast<std::size_t>(x) * 3; }
    const std::uint8_t* Pixel(int x, int y) const {
        return PictureRow(y) + static_cast<std::size_t>(x) * 3;
    }

    bool operator==(const CFrameBuffer& other) const = default;

private:
    int m_width = 0;
    int m_height = 0;
    bool m_topDown = true;
    std::size_t m_stride = 0;
    std::vector<std::uint8_t> m_bytes;
};
