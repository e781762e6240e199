#pragma once

#include <cstdint>

#include "media/CAVPtr.h"

#include <string>

// What libavformat finds in a media file: the codec and picture size of the first video stream,
// the codec of the first sound stream and how many video and sound streams there are. The file is closed again at once.
class CStreamProbe {
public:
    explicit CStreamProbe(const std::string& path);

    bool IsOpen() const { return m_open; }
    // The libavcodec id of the first video stream's codec; 0 (none) without video.
    int VideoCodecId() const { return m_videoCodecId; }
    // The libavcodec id of the first sound stream's codec; 0 (none) without sound.
    int AudioCodecId() const { return m_audioCodecId; }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    int VideoStreams() const { return m_videoStreams; }
    int AudioStreams() const { return m_audioStreams; }
    bool IsDvVideo() const;
    // How far after the start of the file the working video's frame 0 lies, in AV_TIME_BASE
    // units: for a format whose times may jump, the lead of the sound over the picture.
    std::int64_t FrameZeroOffset() const { return m_frameZeroOffset; }

    // Opens path and reads its stream information; null when either fails.
    static AVFormatContextPtr OpenFormat(const std::string& path);
    // The index of format's first video stream; -1 without one.
    static int FirstVideoStream(const AVFormatContext& format);

private:
    bool m_open = false;
    int m_videoCodecId = 0;
    int m_audioCodecId = 0;
    int m_width = 0;
    int m_height = 0;
    int m_videoStreams = 0;
    int m_audioStreams = 0;
    std::int64_t m_frameZeroOffset = 0;
};
