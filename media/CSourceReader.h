#pragma once

#include "media/CAVPtr.h"
#include "media/CConversionGrid.h"
#include "media/CPictureCache.h"
#include "media/CPictureShape.h"
#include "media/CSourceIndex.h"
#include "platform/CFrameBuffer.h"

#include <cstdint>
#include <string>

// Reads the frames of a movie straight from the source, frame for frame what the conversion to a
// working video would have given: the same count and rate, each frame the picture the
// conversion puts there, reshaped as it reshapes. A frame is served from the key frame at or
// before it, decoding forward; reading on keeps decoding, and recently decoded pictures are kept
// (within a memory bound) so that stepping back is cheap.
class CSourceReader {
public:
    explicit CSourceReader(std::size_t cacheBytes = CPictureCache::kDefaultBytes);

    // Opens path for the shape the conversion would give it; false when the frames can't be
    // made exact this way (no timestamps, DV video, no index, no decoder), and then the movie
    // needs the conversion.
    bool Open(const std::string& path, const CPictureShape& shape);
    bool IsOpen() const { return m_format != nullptr; }
    const std::string& Path() const { return m_path; }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    AVRational FrameRate() const { return m_rate; }
    std::int64_t Frames() const { return m_grid.Frames(); }

    // Makes picture hold frame as a top-down 24-bit picture; false outside the movie or on a
    // decode error.
    bool Read(std::int64_t frame, CFrameBuffer& picture);
    // Frame as the working video would hold it: planar 4:2:0, Width() x Height(). Null outside
    // the movie or on a decode error; valid until the next read.
    const AVFrame* Working(std::int64_t frame);
    // Opens the same source as other, taking over its index instead of reading the file again.
    bool OpenLike(const CSourceReader& other);

private:
    bool OpenSource(const std::string& path, const CPictureShape& shape);
    bool Place();
    bool OpenStream(const std::string& path);
    bool OpenDecoder();
    CConversionGrid::Timing GridTiming(const std::string& path) const;
    void TakeShape(const CPictureShape& shape);
    const AVFrame* Decode(std::int64_t picture);
    bool CanDecodeOnTo(std::int64_t picture) const;
    bool SeekToKey(std::int64_t packet);
    bool ReadUntilKey(std::int64_t packet);
    bool SendNextPacket();
    bool Keep(const AVFrame& decoded);
    const AVFrame* Reshaped(const AVFrame& decoded);
    static bool Scale(const AVFrame& from, AVFrame& to, SwsContextPtr& scaler);
    void Turn(const AVFrame& from, AVFrame& to) const;

    CPictureCache m_cache;
    AVFormatContextPtr m_format;
    AVCodecContextPtr m_decoder;
    AVPacketPtr m_packet;
    AVFramePtr m_decoded;
    // The conversion's working picture: sized in the working video's format, then turned; and
    // the 24-bit picture made from it.
    AVFramePtr m_working;
    AVFramePtr m_turned;
    AVFramePtr m_scaled;
    SwsContextPtr m_workingScaler;
    SwsContextPtr m_scaler;
    int m_stream = -1;
    std::string m_path;
    CPictureShape m_shape;
    CSourceIndex m_index;
    CConversionGrid m_grid;
    AVRational m_rate{0, 1};
    int m_rotation = 0;
    int m_width = 0;
    int m_height = 0;
    // Decode-order index of the next packet to send; -1 when the decoder has to seek first.
    std::int64_t m_nextPacket = -1;
    // Pictures shown before this time came from references the last seek skipped.
    std::int64_t m_startPts = 0;
    std::int64_t m_lastPts = AV_NOPTS_VALUE;
    bool m_draining = false;
};
