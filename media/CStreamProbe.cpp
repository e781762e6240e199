#include "media/CStreamProbe.h"

#include "media/CConversionGrid.h"
#include "media/CMediaFileName.h"

AVFormatContextPtr CStreamProbe::OpenFormat(const std::string& path) {
    AVFormatContext* context = nullptr;
    const std::string name = CMediaFileName::ForFFmpeg(path);
    if (avformat_open_input(&context, name.c_str(), nullptr, nullptr) < 0) {
        return nullptr;
    }
    AVFormatContextPtr owned(context);
    if (avformat_find_stream_info(context, nullptr) < 0) {
        return nullptr;
    }
    return owned;
}

int CStreamProbe::FirstVideoStream(const AVFormatContext& format) {
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        if (format.streams[i]->codecpar->codec_type == AVMEDIA_TYPE_VIDEO) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

CStreamProbe::CStreamProbe(const std::string& path) {
    const AVFormatContextPtr format = OpenFormat(path);
    if (!format) {
        return;
    }
    m_open = true;
    if (format->start_time != AV_NOPTS_VALUE) {
        m_frameZeroOffset = CConversionGrid::TimeZero(*format) - format->start_time;
    }
    for (unsigned i = 0; i < format->nb_streams; ++i) {
        const AVCodecParameters* codec = format->streams[i]->codecpar;
        if (codec->codec_type == AVMEDIA_TYPE_AUDIO && m_audioStreams++ == 0) {
            m_audioCodecId = codec->codec_id;
        } else if (codec->codec_type == AVMEDIA_TYPE_VIDEO && m_videoStreams++ == 0) {
            m_videoCodecId = codec->codec_id;
            m_width = codec->width;
            m_height = codec->height;
        }
    }
}

bool CStreamProbe::IsDvVideo() const {
    return m_videoCodecId == AV_CODEC_ID_DVVIDEO;
}
