#pragma once

#include "media/CAVPtr.h"
#include "media/CTempoFilter.h"

#include <cstdint>
#include <string>

// The sound of a file (its best sound stream) as a stream of interleaved 16-bit samples in the
// device's format, from a chosen time on and at a chosen tempo (pitch kept). Times count from
// the time the movie's frame 0 shows, so frame n's time gives the sound heard with its picture,
// wherever the sound stream itself starts; before it starts there is silence.
class CSoundSource {
public:
    bool Open(const std::string& path);
    // Length of the file from that time on in milliseconds (0 when the file does not tell).
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
    void TakeLead();
    bool PushSilence();

    AVFormatContextPtr m_format;
    AVCodecContextPtr m_decoder;
    const AVCodec* m_codec = nullptr;
    int m_stream = -1;
    // Frame 0's time on the sound stream's clock.
    std::int64_t m_zero = 0;
    std::int64_t m_lengthMs = 0;
    CTempoFilter m_filter;
    CTempoFilter::Output m_output;
    AVPacketPtr m_packet;
    AVFramePtr m_decoded;
    AVFramePtr m_pending;
    int m_pendingOffset = 0;
    int m_pendingSize = 0;
    // Where the last start asked the sound to begin, until the first decoded frame has been
    // seen; then the silence still owed before that frame, which waits in m_decoded (m_held).
    std::int64_t m_leadFrom = 0;
    std::int64_t m_silence = 0;
    bool m_held = false;
    bool m_inputDone = false;
    bool m_ended = true;
};
