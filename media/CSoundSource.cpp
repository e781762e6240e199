#include "media/CSoundSource.h"

#include "media/CStreamProbe.h"
#include "media/RX40sCFFmpeg.h"

#include <algorithm>
#include <cstring>

bool CSoundSource::Open(const std::string& path) {
    m_format = CStreamProbe::OpenFormat(path);
    if (!m_format) {
        return false;
    }
    m_stream = av_find_best_stream(m_format.get(), AVMEDIA_TYPE_AUDIO, -1, -1, nullptr, 0);
    m_packet.reset(av_packet_alloc());
    m_decoded.reset(av_frame_alloc());
    m_pending.reset(av_frame_alloc());
    if (m_stream < 0 || !m_packet || !m_decoded || !m_pending ||
        !RX40sCFFmpeg::OpenDecoder(*m_format->streams[m_stream], m_decoder, m_codec) ||
        m_decoder->sample_rate <= 0 || m_decoder->ch_layout.nb_channels <= 0) {
        m_format.reset();
        return false;
    }
    m_lengthMs = m_format->duration > 0 ? m_format->duration / (AV_TIME_BASE / 1000) : 0;
    return true;
}

int CSoundSource::SampleRate() const {
    return m_decoder ? m_decoder->sample_rate : 0;
}

int CSoundSource::Channels() const {
    return m_decoder ? m_decoder->ch_layout.nb_channels : 0;
}

bool CSoundSource::Start(std::int64_t startMs, double tempo, const CTempoFilter::Output& output) {
    m_ended = true;
    if (!m_format) {
        return false;
    }
    const AVStream& stream = *m_format->streams[m_stream];
    const std::int64_t target = av_rescale_q(std::max<std::int64_t>(startMs, 0), AVRational{1, 1000},
                                             stream.time_base);
    if (avformat_seek_file(m_format.get(), m_stream, INT64_MIN, target, target, 0) < 0) {
        return false;
    }
    avcodec_flush_buffers(m_decoder.get());
    av_frame_unref(m_pending.get());
    m_pendingOffset = 0;
    m_pendingSize = 0;
    m_inputDone = false;
    m_output = output;
    if (!m_filter.Build(*m_decoder, stream.time_base, static_cast<double>(startMs) / 1000.0, tempo,
                        output)) {
        return false;
    }
    m_ended = false;
    return true;
}

int CSoundSource::Read(std::uint8_t* buffer, int size) {
    int written = 0;
    while (written < size && !m_ended) {
        if (m_pendingOffset == m_pendingSize && !FillPending()) {
            m_ended = true;
            break;
        }
        const int count = std::min(size - written, m_pendingSize - m_pendingOffset);
        std::memcpy(buffer + written, m_pending->data[0] + m_pendingOffset, count);
        m_pendingOffset += count;
        written += count;
    }
    return written;
}

// Takes the next output frame of the chain, feeding it decoded sound as it asks for more.
bool CSoundSource::FillPending() {
    av_frame_unref(m_pending.get());
    m_pendingOffset = 0;
    m_pendingSize = 0;
    for (;;) {
        const int pulled = m_filter.Pull(*m_pending);
        if (pulled < 0) {
            return false;
        }
        if (pulled > 0) {
            m_pendingSize = m_pending->nb_samples * m_output.channels * 2;
            if (m_pendingSize > 0) {
                return true;
            }
            av_frame_unref(m_pending.get());
        } else if (!FeedFilter()) {
            return false;
        }
    }
}

bool CSoundSource::FeedFilter() {
    if (m_inputDone) {
        return false;
    }
    if (DecodeNext()) {
        m_decoded->pts = m_decoded->best_effort_timestamp;
        const bool pushed = m_filter.Push(m_decoded.get());
        av_frame_unref(m_decoded.get());
        return pushed;
    }
    m_inputDone = true;
    return m_filter.Push(nullptr);
}

// The next decoded frame of the sound stream; false at its end or on an error.
bool CSoundSource::DecodeNext() {
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), m_decoded.get());
        if (received >= 0) {
            return true;
        }
        if (received != AVERROR(EAGAIN)) {
            return false;
        }
        int read = av_read_frame(m_format.get(), m_packet.get());
        while (read >= 0 && m_packet->stream_index != m_stream) {
            av_packet_unref(m_packet.get());
            read = av_read_frame(m_format.get(), m_packet.get());
        }
        const int sent = avcodec_send_packet(m_decoder.get(), read >= 0 ? m_packet.get() : nullptr);
        av_packet_unref(m_packet.get());
        if (sent < 0 && sent != AVERROR_EOF) {
            return false;
        }
    }
}
