#pragma once

#include "mosaic/CMosaicTrack.h"

#include <string>
#include <string_view>
#include <vector>

// The binary track file: little-endian signed 32-bit numbers, no header. N, then N records of
// (first frame, M, M rectangles of left, top, right, bottom). Frames are not stored: rectangle i
// of a record is at frame first + i, so a track's gaps are written as empty rectangles.
class CTrackFile {
public:
    static std::string Encode(const std::vector<CMosaicTrack>& tracks);
    // Reads the records up to the first one that is incomplete or impossible (frames beyond the
    // 32-bit range); the tracks before it are kept. Records without entries make no track.
    static std::vector<CMosaicTrack> Decode(std::string_view bytes);
};
