#pragma once

#include "media/CFrameBuffer.h"
#include "mosaic/T_RECT.h"

#include <cstdint>
#include <string>
#include <vector>

// What the FFmpeg tool finds in a saved file: its pictures as packed 24-bit BGR frames, its
// streams and its length; and the comparisons the save tests make against the preview.
class CSavedMovie {
public:
    using Picture = std::vector<std::uint8_t>;

    // Decodes every picture of path at width x height; empty when the tool cannot play it.
    static std::vector<Picture> Pictures(const std::string& path, int width, int height);
    static bool HasSound(const std::string& path);
    // Duration of the container in seconds; negative when unknown.
    static double Duration(const std::string& path);
    // Peak signal-to-noise ratio of a packed picture against a frame buffer of the same size.
    static double Psnr(const Picture& picture, const CFrameBuffer& preview);
    // Largest byte of the picture inside area shrunk by margin on every side.
    static int Brightest(const Picture& picture, int width, const T_RECT& area, int margin);

private:
    static std::string Probe(const std::string& path, const std::string& entries);
};
