// The ".eftm" track file: counts and frames come from the file.
#include "FuzzInput.h"
#include "mosaic/CTrackFile.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::vector<CMosaicParam::Track> tracks = CTrackFile::Decode(FuzzInput::Text(data, size));
    for (const CMosaicParam::Track& track : tracks) {
        // Loaded tracks are never empty and run over consecutive frames.
        if (track.empty()) {
            std::abort();
        }
        for (std::size_t i = 1; i < track.size(); ++i) {
            if (track[i].frame != track[i - 1].frame + 1) {
                std::abort();
            }
        }
    }
    // What was read writes back to the same tracks.
    if (CTrackFile::Decode(CTrackFile::Encode(tracks)) != tracks) {
        std::abort();
    }
    return 0;
}
