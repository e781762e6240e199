#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// An 8-bit grey picture, top row first, rows packed: what the tracker follows a subject in.
class CGreyPicture {
public:
    CGreyPicture() = default;
    CGreyPicture(int width, int height);

    void Reset(int width, int height);

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    bool Empty() const { return m_pixels.empty(); }
    std::uint8_t* Row(int y) { return m_pixels.data() + static_cast<std::size_t>(y) * m_width; }
    const std::uint8_t* Row(int y) const {
        return m_pixels.data() + static_cast<std::size_t>(y) * m_width;
    }
    std::uint8_t* Data() { return m_pixels.data(); }
    const std::uint8_t* Data() const { return m_pixels.data(); }

private:
    int m_width = 0;
    int m_height = 0;
    std::vector<std::uint8_t> m_pixels;
};
