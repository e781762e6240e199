#pragma once

#include "media/CAVPtr.h"
#include "media/RX40sCFFmpeg.h"
#include "mosaic/ITrackFrames.h"

#include <cstdint>
#include <vector>

// The frames of an opened video as the tracker reads them, at the video's full width. Going
// forward each frame is decoded once, in sequence; going backward a block of frames before the
// one asked for is decoded in one forward run and kept, so that no frame seeks from its key
// frame on its own.
class CTrackFrames : public ITrackFrames {
public:
    explicit CTrackFrames(RX40sCFFmpeg& video);

    std::int64_t First() const override { return m_video.m_nFirstFrame; }
    std::int64_t Last() const override { return m_video.m_nLastFrame; }
    int Width() const override { return m_video.m_nWidth; }
    int Height() const override { return m_video.m_nHeight; }
    const CGreyPicture* Picture(std::int64_t index) override;

private:
    static constexpr std::int64_t kBackwardBlock = 16;

    bool Holds(std::int64_t index) const;
    bool DecodeBlock(std::int64_t first, std::int64_t last);
    bool DecodeInto(std::int64_t index, CGreyPicture& grey);
    bool ToGrey(const AVFrame& picture, CGreyPicture& grey);

    RX40sCFFmpeg& m_video;
    AVFramePtr m_picture;
    SwsContextPtr m_scaler;
    std::vector<CGreyPicture> m_block;
    std::int64_t m_blockFirst = 0;
};
