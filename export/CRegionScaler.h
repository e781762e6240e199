#pragma once

#include "media/CAVPtr.h"

#include <cstdint>
#include <map>
#include <utility>

// Converts pictures of one pixel format to another at the same size, with one scaler kept for
// each size asked for, since the same regions come back frame after frame.
class CRegionScaler {
public:
    // Sizes kept beyond those the current picture uses.
    static constexpr std::size_t KeptSizes = 16;

    CRegionScaler(AVPixelFormat from, AVPixelFormat to);

    // The conversions that follow belong to a new picture.
    void NextPicture() { ++m_picture; }
    // Converts height rows of width pixels; false when no scaler can be made or it fails.
    bool Convert(int width, int height, const std::uint8_t* const source[4],
                 const int sourceStrides[4], std::uint8_t* const target[4],
                 const int targetStrides[4]);

    // How many scalers have been made, and how many are kept now.
    std::size_t Made() const { return m_made; }
    std::size_t Kept() const { return m_scalers.size(); }

private:
    struct Scaler {
        SwsContextPtr context;
        std::uint64_t lastUse = 0;
        std::uint64_t picture = 0;
    };
    using Size = std::pair<int, int>;

    SwsContext* ScalerFor(int width, int height);
    // Drops the least recently used scalers to leave room for one more, but none that the
    // current picture uses.
    void MakeRoom();

    AVPixelFormat m_from;
    AVPixelFormat m_to;
    std::map<Size, Scaler> m_scalers;
    std::uint64_t m_uses = 0;
    std::uint64_t m_picture = 0;
    std::size_t m_made = 0;
};
