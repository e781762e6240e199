#pragma once

#include "mosaic/T_RECT.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <string>
#include <vector>

class CMosaicParam;

// What the FFmpeg tool finds in a saved file: its pictures as packed 24-bit BGR frames, its
// streams and its length; and the scene the save tests paint and compare against the preview:
// a black fixed area and a black track that moves two pixels a frame, both on chroma sample
// edges so that only the codec's loss counts.
class CSavedMovie {
public:
    using Picture = std::vector<std::uint8_t>;

    static constexpr int kWidth = 160;
    static constexpr int kHeight = 120;
    static constexpr std::int32_t kBlackFill = 6;
    // The brightest byte a black area may show after codec loss.
    static constexpr int kBlack = 24;
    static constexpr T_RECT kFixedArea{16, 16, 64, 64};
    static T_RECT TrackRect(std::int32_t frame);
    // Black fill, the fixed area and, for a movie, the track on frames 0..lastFrame.
    static void Paint(CMosaicParam& mosaic, std::int32_t& sizeId, std::int64_t lastFrame);
    // How the pictures differ from their previews, one line for each frame that is further
    // than codec loss from its preview (below minPsnr dB) or not black where the mosaic is;
    // empty when every picture matches. A frame painted with the mosaic of a neighbouring frame
    // scores about 22 dB.
    static std::string Unlike(const std::vector<Picture>& pictures,
                              const std::vector<CFrameBuffer>& previews, bool movie = true,
                              double minPsnr = 35.0);

    // Makes output with the system's FFmpeg tool; the arguments come before the output name.
    static bool Generate(const std::string& arguments, const std::string& output);
    // Decodes every picture of path at kWidth x kHeight; empty when the tool cannot play it.
    static std::vector<Picture> Pictures(const std::string& path);
    static bool HasSound(const std::string& path);
    // Duration of the container in seconds; negative when unknown.
    static double Duration(const std::string& path);
    // When the stream ("v:0", "a:0") starts, in seconds; 0 when unknown.
    static double StartTime(const std::string& path, const std::string& stream);
    // The digest of every packet of the first sound stream, one line each.
    static std::string SoundPackets(const std::string& path);
    // When each packet of the first sound stream is presented, in seconds.
    static std::vector<double> SoundPacketTimes(const std::string& path);
    // How many pictures the first video stream decodes to; -1 when the tool cannot tell.
    static std::int64_t DecodedFrames(const std::string& path);
    // The frame rate of the first video stream as the tool writes it ("30000/1001").
    static std::string FrameRate(const std::string& path);
    // Peak signal-to-noise ratio of a packed picture against a frame buffer of the same size.
    static double Psnr(const Picture& picture, const CFrameBuffer& preview);
    // Largest byte of the picture inside area shrunk by margin on every side.
    static int Brightest(const Picture& picture, int width, const T_RECT& area, int margin);

private:
    static std::string Probe(const std::string& path, const std::string& entries,
                             const std::string& options = "");
};
