#pragma once

#include "media/CAVPtr.h"

#include <cstdint>
#include <vector>

// The video packets of a source as one pass of the demuxer finds them, without decoding: key
// frames, decode and presentation times, and the pictures in presentation order, each with the
// key frame that decoding it starts from.
class CSourceIndex {
public:
    struct Packet {
        std::int64_t pts = AV_NOPTS_VALUE;
        std::int64_t dts = AV_NOPTS_VALUE;
        std::int64_t duration = 0;
        std::int64_t position = -1;
        bool key = false;
    };
    struct Picture {
        std::int64_t pts = 0;
        std::int64_t duration = 0;
        // Decode-order index of the key frame to start decoding from.
        std::int64_t keyPacket = 0;
    };

    // Reads every packet of stream of a format just opened, whose reading starts with the packets
    // its probing read, so from the first (format is left at its end). False when the
    // stream can't be served exactly: a packet without a presentation time, two pictures on one
    // time, no key frame to start from.
    bool Build(AVFormatContext& format, int stream);

    const std::vector<Packet>& Packets() const { return m_packets; }
    const std::vector<Picture>& Pictures() const { return m_pictures; }
    // The picture shown at pts; -1 when no picture has that time.
    std::int64_t PictureAt(std::int64_t pts) const;

private:
    bool SortPictures();

    std::vector<Packet> m_packets;
    std::vector<Picture> m_pictures;
};
