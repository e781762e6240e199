#pragma once

#include "mosaic/CMosaicParam.h"

#include <string>
#include <string_view>
#include <vector>

// The binary track file: little-endian signed 32-bit numbers, no header. N, then N records of
// (first frame, M, M rectangles of left, top, right, bottom). Entry frames are not stored: entry
// i of a record is at frame first + i.
class CTrackFile {
public:
    static std::string Encode(const std::vector<CMosaicParam::Track>& tracks);
    // Reads the records up to the first one that is incomplete or impossible (frames beyond the
    // 32-bit range); the tracks before it are kept. Records without entries make no track.
    static std::vector<CMosaicParam::Track> Decode(std::string_view bytes);
};
