#include "media/CSoundSource.h"

#include "media/CConversionGrid.h"
#include "media/CStreamProbe.h"
#include "media/RX40sCFFmpeg.h"

extern "C" {
#include <libavutil/samplefmt.h>
}

#include <algorithm>
#include <cstring>

namespace {

// A quarter of a second at 48 kHz: silence goes to the filter in pieces, however long it is.
constexpr std::int64_t kSilenceSamples = 12000;

} // namespace

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
    const std::int64_t zero = CConversionGrid::TimeZero(*m_format);
    m_zero = av_rescale_q(zero, AV_TIME_BASE_Q, m_format->streams[m_stream]->time_base);
    const std::int64_t fileStart =
        m_format->start_time != AV_NOPTS_VALUE ? m_format->start_time : 0;
    m_lengthMs = m_format->duration > 0
                     ? std::max<std::int64_t>(m_format->duration + fileStart - zero, 0) /
                           (AV_TIME_BASE / 1000)
                     : 0;
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
    const std::int64_t target = m_zero + av_rescale_q(std::max<std::int64_t>(startMs, 0),
                                                      AVRational{1, 1000}, stream.time_base);
    // Before the sound's first packet there is nothing to seek to.
    const std::int64_t seekTo =
        stream.start_time != AV_NOPTS_VALUE ? std::max(target, stream.start_time) : target;
    if (avformat_seek_file(m_format.get(), m_stream, INT64_MIN, seekTo, seekTo, 0) < 0) {
        return false;
    }
    avcodec_flush_buffers(m_decoder.get());
    av_frame_unref(m_pending.get());
    av_frame_unref(m_decoded.get());
    m_pendingOffset = 0;
    m_pendingSize = 0;
    m_leadFrom = target;
    m_silence = 0;
    m_held = false;
    m_inputDone = false;
    m_output = output;
    if (!m_filter.Build(*m_decoder, stream.time_base,
                        static_cast<double>(target) * av_q2d(stream.time_base), tempo, output)) {
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
    if (!m_held) {
        if (!DecodeNext()) {
            m_inputDone = true;
            return m_filter.Push(nullptr);
        }
        m_decoded->pts = m_decoded->best_effort_timestamp;
        m_held = true;
        TakeLead();
    }
    if (m_silence > 0) {
        return PushSilence();
    }
    m_held = false;
    const bool pushed = m_filter.Push(m_decoded.get());
    av_frame_unref(m_decoded.get());
    return pushed;
}

// A sound that starts after the time asked for is owed the silence until it does.
void CSoundSource::TakeLead() {
    if (m_leadFrom != AV_NOPTS_VALUE && m_decoded->pts != AV_NOPTS_VALUE &&
        m_decoded->pts > m_leadFrom && m_decoded->sample_rate > 0) {
        m_silence =
            av_rescale_q(m_decoded->pts - m_leadFrom, m_format->streams[m_stream]->time_base,
                         AVRational{1, m_decoded->sample_rate});
    }
    m_leadFrom = AV_NOPTS_VALUE;
}

// The next piece of the silence owed, in the held frame's format and timed to end where it
// begins.
bool CSoundSource::PushSilence() {
    const AVFrame& next = *m_decoded;
    AVFramePtr silence(av_frame_alloc());
    if (!silence || av_channel_layout_copy(&silence->ch_layout, &next.ch_layout) < 0) {
        return false;
    }
    const int count = static_cast<int>(std::min(m_silence, kSilenceSamples));
    silence->format = next.format;
    silence->sample_rate = next.sample_rate;
    silence->nb_samples = count;
    silence->pts = next.pts - av_rescale_q(m_silence, AVRational{1, next.sample_rate},
                                           m_format->streams[m_stream]->time_base);
    if (av_frame_get_buffer(silence.get(), 0) < 0 ||
        av_samples_set_silence(silence->extended_data, 0, count, next.ch_layout.nb_channels,
                               static_cast<AVSampleFormat>(next.format)) < 0) {
        return false;
    }
    m_silence -= count;
    return m_filter.Push(silence.get());
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
