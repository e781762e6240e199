// The ".eftm" track file: counts and frames come from the file.
#include "FuzzInput.h"
#include "mosaic/CTrackFile.h"

#include <cstdlib>
#include <limits>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<CMosaicTrack> tracks = CTrackFile::Decode(FuzzInput::Text(data, size));
    for (const CMosaicTrack& track : tracks) {
        // Loaded tracks are never empty and their last frame is a 32-bit frame.
        const std::int64_t last = std::int64_t{track.First()} + static_cast<std::int64_t>(track.Rects().size()) - 1;
        if (track.Empty() || last > std::numeric_limits<std::int32_t>::max()) {
            std::abort();
        }
    }
    // What was read writes back to the same tracks.
    if (CTrackFile::Decode(CTrackFile::Encode(tracks)) != tracks) {
        std::abort();
    }
    return 0;
}
