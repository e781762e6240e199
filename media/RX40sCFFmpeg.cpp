#include "media/RX40sCFFmpeg.h"

#include "media/CFrameCount.h"
#include "media/CStreamProbe.h"

#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kRowAlign = 32;

// Truncation toward zero that stays defined for NaN, infinities and out-of-range values.
std::int64_t TruncateToInt64(double value) {
    if (!std::isfinite(value)) {
        return 0;
    }
    constexpr double limit = 9.0e18;
    return static_cast<std::int64_t>(std::fmax(-limit, std::fmin(limit, value)));
}

} // namespace

// Capture devices stay unregistered: no file name can reach a camera, a screen or a filter graph.
RX40sCFFmpeg::RX40sCFFmpeg() = default;

RX40sCFFmpeg::~RX40sCFFmpeg() {
    FreePictures();
    Close();
}

int RX40sCFFmpeg::Open(const std::string& path) {
    FreePictures();
    Close();
    if (!OpenFile(path) || !OpenVideoDecoder() || !OpenAudioDecoder()) {
        Close();
        return 0;
    }
    m_strFilePath = path;
    ReadStreamProperties();
    if (!AllocatePictures()) {
        FreePictures();
        Close();
        return 0;
    }
    return 1;
}

int RX40sCFFmpeg::OpenInPlace(const std::string& path, const CPictureShape& shape) {
    auto reader = std::make_unique<CSourceReader>();
    return reader->Open(path, shape) ? OpenReader(std::move(reader)) : 0;
}

int RX40sCFFmpeg::OpenLike(const RX40sCFFmpeg& other) {
    if (!other.m_reader) {
        return other.m_strFilePath.empty() ? 0 : Open(other.m_strFilePath);
    }
    auto reader = std::make_unique<CSourceReader>();
    return reader->OpenLike(*other.m_reader) ? OpenReader(std::move(reader)) : 0;
}

int RX40sCFFmpeg::OpenReader(std::unique_ptr<CSourceReader> reader) {
    FreePictures();
    Close();
    if (!reader || !reader->IsOpen()) {
        return 0;
    }
    m_reader = std::move(reader);
    m_strFilePath = m_reader->Path();
    m_nWidth = m_reader->Width();
    m_nHeight = m_reader->Height();
    m_rFrameRate = m_reader->FrameRate();
    m_rSampleAspect = AVRational{1, 1};
    m_dSampleAspect = 1.0;
    m_nFirstFrame = 0;
    m_nCurrentFrame = 0;
    m_nLastFrame = m_reader->Frames() - 1;
    m_dDuration = static_cast<double>(m_reader->Frames()) / av_q2d(m_rFrameRate);
    m_scratch.reset(av_frame_alloc());
    if (!m_scratch || !AllocatePictures()) {
        FreePictures();
        Close();
        return 0;
    }
    return 1;
}

void RX40sCFFmpeg::Close() {
    m_reader.reset();
    m_strFilePath.clear();
    m_nAudioStream = -1;
    m_nVideoStream = -1;
    m_pVideoCodecContext.reset();
    m_pVideoCodec = nullptr;
    m_pAudioCodecContext.reset();
    m_pAudioCodec = nullptr;
    m_pFormatContext.reset();
    m_packet.reset();
    m_scratch.reset();
    m_ahead.reset();
    m_scaler.reset();
    m_draining = false;
    m_nextInSequence.reset();
    m_decodeOrderTimes.reset();
    m_lastPlaced.reset();
}

void RX40sCFFmpeg::FreePictures() {
    m_pRgbFrame.reset();
    m_pYuvFrame.reset();
    m_pExportRgbFrame.reset();
}

bool RX40sCFFmpeg::OpenFile(const std::string& path) {
    m_pFormatContext = CStreamProbe::OpenFormat(path);
    m_packet.reset(av_packet_alloc());
    m_scratch.reset(av_frame_alloc());
    m_ahead.reset(av_frame_alloc());
    return m_pFormatContext && m_packet && m_scratch && m_ahead;
}

int RX40sCFFmpeg::FirstStreamOf(AVMediaType type) const {
    for (unsigned i = 0; i < m_pFormatContext->nb_streams; ++i) {
        if (m_pFormatContext->streams[i]->codecpar->codec_type == type) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

bool RX40sCFFmpeg::OpenDecoder(const AVStream& stream, AVCodecContextPtr& context,
                               const AVCodec*& codec, int threads) {
    const AVCodec* found = avcodec_find_decoder(stream.codecpar->codec_id);
    if (found == nullptr) {
        return false;
    }
    AVCodecContextPtr opened(avcodec_alloc_context3(found));
    if (!opened || avcodec_parameters_to_context(opened.get(), stream.codecpar) < 0) {
        return false;
    }
    opened->pkt_timebase = stream.time_base;
    opened->thread_count = threads;
    if (avcodec_open2(opened.get(), found, nullptr) < 0) {
        return false;
    }
    context = std::move(opened);
    codec = found;
    return true;
}

bool RX40sCFFmpeg::OpenVideoDecoder() {
    m_nVideoStream = FirstStreamOf(AVMEDIA_TYPE_VIDEO);
    return m_nVideoStream >= 0 && OpenDecoder(*m_pFormatContext->streams[m_nVideoStream],
                                              m_pVideoCodecContext, m_pVideoCodec);
}

// The sound is never decoded here, but a file whose sound has no decoder is refused.
bool RX40sCFFmpeg::OpenAudioDecoder() {
    m_nAudioStream = FirstStreamOf(AVMEDIA_TYPE_AUDIO);
    return m_nAudioStream < 0 || OpenDecoder(*m_pFormatContext->streams[m_nAudioStream],
                                             m_pAudioCodecContext, m_pAudioCodec);
}

void RX40sCFFmpeg::ReadStreamProperties() {
    m_nWidth = 0;
    m_nHeight = 0;
    m_dDuration = 0.0;
    m_rFrameRate = AVRational{0, 1};
    m_dSampleAspect = 0.0;
    m_nFirstFrame = 0;
    m_nLastFrame = 0;
    m_nCurrentFrame = 0;
    if (NextPicture(*m_scratch) != Next::Picture) {
        return;
    }
    TakePictureProperties(*m_scratch);
    av_frame_unref(m_scratch.get());
    TakeFrameRange();
}

void RX40sCFFmpeg::TakePictureProperties(AVFrame& picture) {
    AVStream* stream = m_pFormatContext->streams[m_nVideoStream];
    m_rFrameRate = av_guess_frame_rate(m_pFormatContext.get(), stream, &picture);
    m_rSampleAspect = av_guess_sample_aspect_ratio(m_pFormatContext.get(), stream, &picture);
    m_dSampleAspect = m_rSampleAspect.num == 0 ? 1.0 : av_q2d(m_rSampleAspect);
    m_nHeight = picture.height;
    const std::int64_t width = TruncateToInt64(picture.width * m_dSampleAspect);
    m_nWidth =
        width > std::numeric_limits<std::int32_t>::max() ? 0 : static_cast<std::int32_t>(width);
}

void RX40sCFFmpeg::TakeFrameRange() {
    const AVStream* stream = m_pFormatContext->streams[m_nVideoStream];
    // A stream without a known duration falls back to the container's.
    m_dDuration = stream->duration != AV_NOPTS_VALUE
                      ? av_q2d(stream->time_base) * static_cast<double>(stream->duration)
                      : static_cast<double>(m_pFormatContext->duration) / AV_TIME_BASE;
    m_nFirstFrame = 0;
    m_nCurrentFrame = 0;
    const CFrameCount::Stream length{stream->time_base, stream->duration, stream->nb_frames,
                                     m_pFormatContext->duration};
    m_nLastFrame = CFrameCount::Of(length, m_rFrameRate) - 1;
}

AVFramePtr RX40sCFFmpeg::AllocatePicture(AVPixelFormat format, int width, int height) {
    AVFramePtr picture(av_frame_alloc());
    if (!picture) {
        return nullptr;
    }
    picture->format = format;
    picture->width = width;
    picture->height = height;
    // Rows padded: the fast YUV to 24-bit converters write eight pixels at a step, and where a
    // row has no room for the last step they leave its last pixels out.
    if (av_frame_get_buffer(picture.get(), kRowAlign) < 0) {
        return nullptr;
    }
    std::memset(picture->buf[0]->data, 0, picture->buf[0]->size);
    return picture;
}

bool RX40sCFFmpeg::AllocatePictures() {
    if (m_nWidth <= 0 || m_nHeight <= 0) {
        return false;
    }
    m_pRgbFrame = AllocatePicture(AV_PIX_FMT_BGR24, m_nWidth, m_nHeight);
    m_pYuvFrame = AllocatePicture(AV_PIX_FMT_YUV420P, m_nWidth, m_nHeight);
    m_pExportRgbFrame = AllocatePicture(AV_PIX_FMT_BGR24, m_nWidth, m_nHeight);
    return m_pRgbFrame && m_pYuvFrame && m_pExportRgbFrame;
}

bool RX40sCFFmpeg::Rewind(std::int64_t index) {
    m_nextInSequence.reset();
    m_landedAt.reset();
    m_lastPlaced.reset();
    m_draining = false;
    if (avformat_seek_file(m_pFormatContext.get(), m_nVideoStream, 0, index, index, 0) < 0) {
        return false;
    }
    avcodec_flush_buffers(m_pVideoCodecContext.get());
    return true;
}

// Seeks to a key frame at or before index and decodes its first picture. When that picture
// lies past index or has no time, the key frame was stored ahead of pictures shown before it
// (B-frames of an open group), which cannot be decoded from there: the seek moves one key frame
// back.
RX40sCFFmpeg::Next RX40sCFFmpeg::SeekToPictureAt(std::int64_t index, AVFrame& picture) {
    if (!Rewind(index)) {
        return Next::Error;
    }
    std::int64_t previousLanding = std::numeric_limits<std::int64_t>::max();
    for (;;) {
        const Next next = NextPicture(picture);
        const std::int64_t landedAt = m_landedAt.value_or(0);
        const bool placed = next == Next::Picture &&
                            picture.best_effort_timestamp != AV_NOPTS_VALUE &&
                            picture.best_effort_timestamp <= index;
        if (placed || next == Next::Error || landedAt <= 0 || landedAt >= previousLanding) {
            return next;
        }
        previousLanding = landedAt;
        if (next == Next::Picture) {
            av_frame_unref(&picture);
        }
        if (!Rewind(landedAt - 1)) {
            return Rewind(index) ? NextPicture(picture) : Next::Error;
        }
    }
}

RX40sCFFmpeg::Next RX40sCFFmpeg::NextPicture(AVFrame& picture) {
    for (;;) {
        const int received = avcodec_receive_frame(m_pVideoCodecContext.get(), &picture);
        if (received == 0) {
            PlaceInDisplayOrder(picture);
            return Next::Picture;
        }
        if (received == AVERROR_EOF) {
            return Next::End;
        }
        if (received != AVERROR(EAGAIN) || !SendNextPacket()) {
            return Next::Error;
        }
    }
}

// A file with decode times only stamps each picture with the time of the packet that released
// it, which runs the decoder's reorder delay ahead of the picture's place in display order; the
// pictures drained at the end carry no time and follow one another.
void RX40sCFFmpeg::PlaceInDisplayOrder(AVFrame& picture) {
    if (m_decodeOrderTimes.value_or(false)) {
        if (picture.best_effort_timestamp != AV_NOPTS_VALUE) {
            picture.best_effort_timestamp -= m_pVideoCodecContext->has_b_frames;
        } else if (m_draining && m_lastPlaced) {
            picture.best_effort_timestamp = *m_lastPlaced + 1;
        }
    }
    m_lastPlaced = picture.best_effort_timestamp != AV_NOPTS_VALUE
                       ? std::optional<std::int64_t>(picture.best_effort_timestamp)
                       : std::nullopt;
}

// Feeds the next packet of the video stream; at the end of the file, the null packet that
// makes the decoder hand out the pictures it still holds.
bool RX40sCFFmpeg::SendNextPacket() {
    if (m_draining) {
        return false;
    }
    while (av_read_frame(m_pFormatContext.get(), m_packet.get()) >= 0) {
        if (m_packet->stream_index == m_nVideoStream) {
            NotePacketTimes(*m_packet);
            const int sent = avcodec_send_packet(m_pVideoCodecContext.get(), m_packet.get());
            av_packet_unref(m_packet.get());
            return sent >= 0;
        }
        av_packet_unref(m_packet.get());
    }
    m_draining = true;
    return avcodec_send_packet(m_pVideoCodecContext.get(), nullptr) >= 0;
}

void RX40sCFFmpeg::NotePacketTimes(const AVPacket& packet) {
    if (!m_landedAt) {
        m_landedAt = packet.dts != AV_NOPTS_VALUE ? packet.dts : 0;
    }
    if (!m_decodeOrderTimes) {
        m_decodeOrderTimes = packet.pts == AV_NOPTS_VALUE && packet.dts != AV_NOPTS_VALUE;
    }
}

int RX40sCFFmpeg::DecodeFrame(std::int64_t index) {
    if (m_strFilePath.empty() || !m_pRgbFrame) {
        return 0;
    }
    if (m_reader) {
        // Past the last frame the picture shown before stays.
        if (index < 0 || index > m_nLastFrame) {
            if (m_bmpFrame.Empty()) {
                CopyRgbToFrame();
            }
            return 1;
        }
        return m_reader->Read(index, m_bmpFrame) ? 1 : 0;
    }
    const Next next = DecodePicture(index, *m_scratch);
    if (next == Next::Error) {
        return 0;
    }
    if (next == Next::Picture) {
        const bool converted = ConvertToRgb(*m_scratch);
        av_frame_unref(m_scratch.get());
        if (!converted) {
            return 0;
        }
    }
    CopyRgbToFrame();
    return 1;
}

RX40sCFFmpeg::Next RX40sCFFmpeg::DecodePicture(std::int64_t index, AVFrame& picture) {
    if (m_strFilePath.empty()) {
        return Next::Error;
    }
    if (m_reader) {
        return DecodeInPlace(index, picture);
    }
    const bool onward =
        index == m_nextInSequence && avio_tell(m_pFormatContext->pb) == m_sequencePosition;
    m_nextInSequence.reset();
    av_frame_unref(&picture);
    Next next = Next::Picture;
    if (onward && m_ahead->buf[0]) {
        av_frame_move_ref(&picture, m_ahead.get());
    } else {
        av_frame_unref(m_ahead.get());
        next = onward ? NextPicture(picture) : SeekToPictureAt(index, picture);
        while (next == Next::Picture && picture.best_effort_timestamp < index) {
            av_frame_unref(&picture);
            next = NextPicture(picture);
        }
    }
    if (next == Next::Picture) {
        KeepInSequence(index, picture);
    }
    return next;
}

RX40sCFFmpeg::Next RX40sCFFmpeg::DecodeInPlace(std::int64_t index, AVFrame& picture) {
    av_frame_unref(&picture);
    if (index > m_nLastFrame) {
        return Next::End;
    }
    // A copy of its own: the reader reuses its pictures for the next frame.
    const AVFrame* working = m_reader->Working(index);
    if (working == nullptr || av_frame_ref(&picture, working) < 0 ||
        av_frame_make_writable(&picture) < 0) {
        return Next::Error;
    }
    picture.best_effort_timestamp = index;
    return Next::Picture;
}

// The empty slots of dropped frames show the picture after them: it stays at hand until its
// own index comes round, so that none of them seeks and decodes from the key frame again.
void RX40sCFFmpeg::KeepInSequence(std::int64_t index, const AVFrame& picture) {
    if (picture.best_effort_timestamp > index && av_frame_ref(m_ahead.get(), &picture) < 0) {
        return;
    }
    m_nextInSequence = index + 1;
    m_sequencePosition = avio_tell(m_pFormatContext->pb);
}

bool RX40sCFFmpeg::ShowPicture(const AVFrame& picture) {
    if (!m_pRgbFrame || !ConvertToRgb(picture)) {
        return false;
    }
    CopyRgbToFrame();
    return true;
}

bool RX40sCFFmpeg::ConvertToRgb(const AVFrame& picture) {
    m_scaler.reset(sws_getCachedContext(
        m_scaler.release(), picture.width, picture.height,
        static_cast<AVPixelFormat>(picture.format), m_nWidth, m_nHeight, AV_PIX_FMT_BGR24,
        // The library's default scaler, named because a zero flag is refused by some versions.
        SWS_BICUBIC, nullptr, nullptr, nullptr));
    return m_scaler && sws_scale(m_scaler.get(), picture.data, picture.linesize, 0, picture.height,
                                 m_pRgbFrame->data, m_pRgbFrame->linesize) > 0;
}

void RX40sCFFmpeg::CopyRgbToFrame() {
    if (m_bmpFrame.Width() != m_nWidth || m_bmpFrame.Height() != m_nHeight ||
        !m_bmpFrame.TopDown()) {
        m_bmpFrame.Reset(m_nWidth, m_nHeight, true);
    }
    for (int y = 0; y < m_nHeight; ++y) {
        std::memcpy(m_bmpFrame.MemoryRow(y), m_pRgbFrame->data[0] + y * m_pRgbFrame->linesize[0],
                    m_bmpFrame.PackedRowBytes());
    }
}
