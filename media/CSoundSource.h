#pragma once

#include "media/CAVPtr.h"
#include "media/CTempoFilter.h"

#include <cstdint>
#include <string>

// The sound of a file as a stream of interleaved 16-bit samples in the device's format, from a
// chosen time on and at a chosen tempo (pitch kept).
class CSoundSource {
public:
    bool Open(const std::string& path);
    // Length of the sound in milliseconds (0 when the file does not tell).
    std::int64_t LengthMs() const { return m_lengthMs; }
    int SampleRate() const;
    int Channels() const;

    // Positions the stream at startMs and sets the tempo and the output format.
    bool Start(std::int64_t startMs, double tempo, const CTempoFilter::Output& output);
    // Fills up to size bytes; returns how many were written (fewer only at the end of the sound).
    int Read(std::uint8_t* buffer, int size);
    bool Ended() const { return m_ended; }

private:
    bool FillPending();
    bool FeedFilter();
    bool DecodeNext();

    AVFormatContextPtr m_format;
    AVCodecContextPtr m_decoder;
    const AVCodec* m_codec = nullptr;
    int m_stream = -1;
    std::int64_t m_lengthMs = 0;
    CTempoFilter m_filter;
    CTempoFilter::Output m_output;
    AVPacketPtr m_packet;
    AVFramePtr m_decoded;
    AVFramePtr m_pending;
    int m_pendingOffset = 0;
    int m_pendingSize = 0;
    bool m_inputDone = false;
    bool m_ended = true;
};
