#pragma once

#include "media/CAVPtr.h"

#include <cstdint>
#include <map>
#include <utility>

// Converts pictures of one pixel format to another at the same size, with one scaler kept for
// each size asked for, since the same regions come back frame after frame.
class CRegionScaler {
public:
    CRegionScaler(AVPixelFormat from, AVPixelFormat to);

    // Converts height rows of width pixels; false when no scaler can be made or it fails.
    bool Convert(int width, int height, const std::uint8_t* const source[4],
                 const int sourceStrides[4], std::uint8_t* const target[4],
                 const int targetStrides[4]);

private:
    SwsContext* ScalerFor(int width, int height);

    AVPixelFormat m_from;
    AVPixelFormat m_to;
    std::map<std::pair<int, int>, SwsContextPtr> m_scalers;
};
