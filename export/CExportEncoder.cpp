#include "export/CExportEncoder.h"

#include "media/CMediaFileName.h"

#include <algorithm>
#include <limits>

CExportEncoder::~CExportEncoder() {
    CloseFile();
}

AVRational CExportEncoder::TimeBase(AVRational frameRate) {
    AVRational period{0, 1};
    if (frameRate.num <= 0 || frameRate.den <= 0) {
        return period;
    }
    av_reduce(&period.num, &period.den, frameRate.den, frameRate.num,
              std::numeric_limits<int>::max());
    return period;
}

bool CExportEncoder::Open(const std::string& path, int width, int height, AVRational frameRate,
                          std::int64_t bitRate) {
    const std::string name = CMediaFileName::ForFFmpeg(path);
    AVFormatContext* made = nullptr;
    if (!Succeeded(avformat_alloc_output_context2(&made, nullptr, nullptr, name.c_str())) ||
        !made) {
        return false;
    }
    m_output.reset(made);
    m_packet.reset(av_packet_alloc());
    m_stream = avformat_new_stream(m_output.get(), nullptr);
    if (!m_packet || !m_stream || !OpenCodec(width, height, frameRate, bitRate) ||
        !Succeeded(avcodec_parameters_from_context(m_stream->codecpar, m_codec.get()))) {
        return false;
    }
    m_stream->time_base = m_codec->time_base;
    if (!(m_output->oformat->flags & AVFMT_NOFILE)) {
        if (!Succeeded(avio_open(&m_output->pb, name.c_str(), AVIO_FLAG_WRITE))) {
            return false;
        }
        m_fileOpen = true;
    }
    return Succeeded(avformat_write_header(m_output.get(), nullptr));
}

bool CExportEncoder::OpenCodec(int width, int height, AVRational frameRate, std::int64_t bitRate) {
    const AVCodec* codec = avcodec_find_encoder(AV_CODEC_ID_MSMPEG4V2);
    const AVRational timeBase = TimeBase(frameRate);
    if (!codec || !codec->pix_fmts || timeBase.num == 0) {
        return false;
    }
    m_codec.reset(avcodec_alloc_context3(codec));
    if (!m_codec) {
        return false;
    }
    m_codec->width = width;
    m_codec->height = height;
    // The working file's rate as an int, as the container reports it.
    m_codec->bit_rate = std::clamp<std::int64_t>(bitRate, 0, std::numeric_limits<int>::max());
    m_codec->pix_fmt = codec->pix_fmts[0];
    m_codec->time_base = timeBase;
    if (m_output->oformat->flags & AVFMT_GLOBALHEADER) {
        m_codec->flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
    }
    return Succeeded(avcodec_open2(m_codec.get(), codec, nullptr));
}

AVPixelFormat CExportEncoder::PixelFormat() const {
    return m_codec ? m_codec->pix_fmt : AV_PIX_FMT_NONE;
}

bool CExportEncoder::Encode(const AVFrame& picture) {
    return Succeeded(avcodec_send_frame(m_codec.get(), &picture)) && WritePackets();
}

bool CExportEncoder::WritePackets() {
    for (;;) {
        const int received = avcodec_receive_packet(m_codec.get(), m_packet.get());
        if (received == AVERROR(EAGAIN) || received == AVERROR_EOF) {
            return true;
        }
        if (!Succeeded(received)) {
            return false;
        }
        av_packet_rescale_ts(m_packet.get(), m_codec->time_base, m_stream->time_base);
        m_packet->stream_index = m_stream->index;
        if (!Succeeded(av_interleaved_write_frame(m_output.get(), m_packet.get()))) {
            av_packet_unref(m_packet.get());
            return false;
        }
    }
}

bool CExportEncoder::Finish() {
    const bool written = Succeeded(avcodec_send_frame(m_codec.get(), nullptr)) &&
                         WritePackets() && Succeeded(av_write_trailer(m_output.get()));
    const bool closed = !m_fileOpen || Succeeded(avio_closep(&m_output->pb));
    m_fileOpen = false;
    return written && closed;
}

bool CExportEncoder::Succeeded(int result) {
    if (result >= 0) {
        return true;
    }
    if (m_reason.empty()) {
        char words[AV_ERROR_MAX_STRING_SIZE] = {};
        av_strerror(result, words, sizeof words);
        m_reason = words;
    }
    return false;
}

void CExportEncoder::CloseFile() {
    if (m_fileOpen) {
        avio_closep(&m_output->pb);
        m_fileOpen = false;
    }
}
