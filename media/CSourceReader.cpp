#include "media/CSourceReader.h"

#include "media/CFFMpegUtil.h"
#include "media/CStreamProbe.h"
#include "media/RX40sCFFmpeg.h"

extern "C" {
#include <libavutil/display.h>
}

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

constexpr int kRowAlign = 32;
// Seeks that land past the key frame are tried again this many times, each time further back.
constexpr int kSeekRetries = 4;

bool Positive(AVRational value) {
    return value.num > 0 && value.den > 0;
}

// The turn the converter makes by itself when the program names none: a quarter turn or half a
// turn as the stream's display matrix asks; -1 for any other angle, which it can't match.
int DisplayRotation(const AVStream& stream) {
    const auto* matrix = reinterpret_cast<const std::int32_t*>(
        av_stream_get_side_data(&stream, AV_PKT_DATA_DISPLAYMATRIX, nullptr));
    if (matrix == nullptr) {
        return 0;
    }
    double theta = -std::round(av_display_rotation_get(matrix));
    theta -= 360 * std::floor(theta / 360 + 0.9 / 360);
    for (const int turn : {90, 180, 270}) {
        if (std::fabs(theta - turn) < 1.0) {
            return turn;
        }
    }
    return std::fabs(theta) > 1.0 ? -1 : 0;
}

bool QuarterTurn(int rotation) {
    return rotation == 90 || rotation == 270;
}

} // namespace

CSourceReader::CSourceReader(std::size_t cacheBytes) : m_cache(cacheBytes) {}

bool CSourceReader::Open(const std::string& path, const CPictureShape& shape) {
    if (!OpenSource(path, shape) || !m_index.Build(*m_format, m_stream) || !Place()) {
        m_format.reset();
        return false;
    }
    return true;
}

bool CSourceReader::OpenLike(const CSourceReader& other) {
    if (!other.IsOpen() || !OpenSource(other.m_path, other.m_shape)) {
        m_format.reset();
        return false;
    }
    m_index = other.m_index;
    if (!Place()) {
        m_format.reset();
        return false;
    }
    return true;
}

bool CSourceReader::OpenSource(const std::string& path, const CPictureShape& shape) {
    m_format.reset();
    m_cache.Clear();
    m_nextPacket = -1;
    m_path = path;
    m_shape = shape;
    if (!OpenStream(path) || !OpenDecoder()) {
        return false;
    }
    AVStream* stream = m_format->streams[m_stream];
    m_rotation = shape.Rotation() != 0 ? shape.Rotation() : DisplayRotation(*stream);
    const AVRational pixel = av_guess_sample_aspect_ratio(m_format.get(), stream, nullptr);
    const bool squarePixels = pixel.num == 0 || av_cmp_q(pixel, AVRational{1, 1}) == 0;
    return m_rotation >= 0 && (shape.Resizes() || squarePixels);
}

// Lays the pictures on the conversion's grid and sizes the pictures for its shape.
bool CSourceReader::Place() {
    CConversionGrid::Timing timing = GridTiming(m_path);
    timing.pictureDurations = m_shape.Rotation() == 0;
    m_grid = CConversionGrid(m_index.Pictures(), timing);
    av_reduce(&m_rate.num, &m_rate.den, timing.rate.num, timing.rate.den,
              std::numeric_limits<int>::max());
    TakeShape(m_shape);
    return m_grid.Frames() > 0 && m_width > 0 && m_height > 0;
}

bool CSourceReader::OpenStream(const std::string& path) {
    m_format = CStreamProbe::OpenFormat(path);
    m_packet.reset(av_packet_alloc());
    m_decoded.reset(av_frame_alloc());
    if (!m_format || !m_packet || !m_decoded) {
        return false;
    }
    m_stream = CStreamProbe::FirstVideoStream(*m_format);
    return m_stream >= 0 &&
           m_format->streams[m_stream]->codecpar->codec_id != AV_CODEC_ID_DVVIDEO;
}

bool CSourceReader::OpenDecoder() {
    const AVCodec* codec = nullptr;
    return RX40sCFFmpeg::OpenDecoder(*m_format->streams[m_stream], m_decoder, codec, 0);
}

// The converter's frame grid: its own guess of the source's rate unless the program names one
// (then at constant rate).
CConversionGrid::Timing CSourceReader::GridTiming(const std::string& path) const {
    AVStream* stream = m_format->streams[m_stream];
    CConversionGrid::Timing timing;
    timing.timeBase = stream->time_base;
    timing.fileStart = CConversionGrid::TimeZero(*m_format);
    timing.sourceRate = av_guess_frame_rate(m_format.get(), stream, nullptr);
    timing.constantRate = CFFMpegUtil::IsM2ts(path);
    if (timing.constantRate) {
        timing.rate = av_d2q(29.97, 1001000);
    } else {
        timing.rate = Positive(timing.sourceRate) ? timing.sourceRate : AVRational{25, 1};
    }
    return timing;
}

namespace {

AVFramePtr AllocatePicture(AVPixelFormat format, int width, int height) {
    AVFramePtr picture(av_frame_alloc());
    if (!picture || width <= 0 || height <= 0) {
        return nullptr;
    }
    picture->format = format;
    picture->width = width;
    picture->height = height;
    // Rows padded: the fast converters write several pixels at a step.
    return av_frame_get_buffer(picture.get(), kRowAlign) < 0 ? nullptr : std::move(picture);
}

} // namespace

void CSourceReader::TakeShape(const CPictureShape& shape) {
    const AVCodecParameters& codec = *m_format->streams[m_stream]->codecpar;
    const bool quarter = QuarterTurn(m_rotation);
    m_width = shape.Resizes() ? shape.Width() : quarter ? codec.height : codec.width;
    m_height = shape.Resizes() ? shape.Height() : quarter ? codec.width : codec.height;
    m_working = AllocatePicture(AV_PIX_FMT_YUV420P, quarter ? m_height : m_width,
                                quarter ? m_width : m_height);
    m_turned = m_rotation != 0 ? AllocatePicture(AV_PIX_FMT_YUV420P, m_width, m_height) : nullptr;
    m_scaled = AllocatePicture(AV_PIX_FMT_BGR24, m_width, m_height);
    if (!m_working || !m_scaled || (m_rotation != 0 && !m_turned)) {
        m_width = 0;
    }
}

bool CSourceReader::Read(std::int64_t frame, CFrameBuffer& picture) {
    const AVFrame* working = Working(frame);
    if (working == nullptr || !Scale(*working, *m_scaled, m_scaler)) {
        return false;
    }
    if (picture.Width() != m_width || picture.Height() != m_height || !picture.TopDown()) {
        picture.Reset(m_width, m_height, true);
    }
    for (int y = 0; y < m_height; ++y) {
        std::memcpy(picture.PictureRow(y), m_scaled->data[0] + y * m_scaled->linesize[0],
                    picture.PackedRowBytes());
    }
    return true;
}

const AVFrame* CSourceReader::Working(std::int64_t frame) {
    const std::int64_t index = m_grid.PictureOf(frame);
    if (!IsOpen() || index < 0) {
        return nullptr;
    }
    const AVFrame* decoded = m_cache.Find(index);
    if (decoded == nullptr) {
        decoded = Decode(index);
    }
    return decoded != nullptr ? Reshaped(*decoded) : nullptr;
}

// Decodes on to the picture, keeping every picture decoded on the way; seeks first unless the
// decoder already is on the way to it.
const AVFrame* CSourceReader::Decode(std::int64_t picture) {
    const CSourceIndex::Picture& wanted = m_index.Pictures()[static_cast<std::size_t>(picture)];
    av_frame_unref(m_decoded.get());
    if (!CanDecodeOnTo(picture) && !SeekToKey(wanted.keyPacket)) {
        m_nextPacket = -1;
        return nullptr;
    }
    for (;;) {
        const int received = avcodec_receive_frame(m_decoder.get(), m_decoded.get());
        if (received == AVERROR(EAGAIN) && SendNextPacket()) {
            continue;
        }
        if (received < 0 || !Keep(*m_decoded) || m_lastPts > wanted.pts) {
            m_nextPacket = -1;
            av_frame_unref(m_decoded.get());
            return nullptr;
        }
        if (m_lastPts == wanted.pts) {
            return m_decoded.get();
        }
        av_frame_unref(m_decoded.get());
    }
}

bool CSourceReader::CanDecodeOnTo(std::int64_t picture) const {
    const CSourceIndex::Picture& wanted = m_index.Pictures()[static_cast<std::size_t>(picture)];
    return m_nextPacket >= 0 && wanted.keyPacket <= m_nextPacket && wanted.pts >= m_startPts &&
           (m_lastPts == AV_NOPTS_VALUE || wanted.pts > m_lastPts);
}

bool CSourceReader::SeekToKey(std::int64_t packet) {
    m_nextPacket = -1;
    m_draining = false;
    m_lastPts = AV_NOPTS_VALUE;
    avcodec_flush_buffers(m_decoder.get());
    const CSourceIndex::Packet& key = m_index.Packets()[static_cast<std::size_t>(packet)];
    const std::int64_t at = key.dts != AV_NOPTS_VALUE ? std::min(key.dts, key.pts) : key.pts;
    const AVRational timeBase = m_format->streams[m_stream]->time_base;
    bool found = false;
    for (int retry = 0; retry <= kSeekRetries && !found; ++retry) {
        const std::int64_t back = av_rescale_q((std::int64_t{1} << retry) - 1, AVRational{1, 1}, timeBase);
        const std::int64_t target = at - back;
        found = avformat_seek_file(m_format.get(), m_stream, INT64_MIN, target, target, 0) >= 0 &&
                ReadUntilKey(packet);
    }
    // A file that seeks badly is read from its start.
    if (!found && (avformat_seek_file(m_format.get(), m_stream, INT64_MIN, INT64_MIN,
                                      INT64_MIN, 0) < 0 ||
                   !ReadUntilKey(packet))) {
        return false;
    }
    m_startPts = key.pts;
    m_nextPacket = packet + 1;
    const int sent = avcodec_send_packet(m_decoder.get(), m_packet.get());
    av_packet_unref(m_packet.get());
    return sent >= 0;
}

// Reads up to the key frame's packet, which stays in m_packet; false when the reading passed it.
bool CSourceReader::ReadUntilKey(std::int64_t packet) {
    const CSourceIndex::Packet& key = m_index.Packets()[static_cast<std::size_t>(packet)];
    while (av_read_frame(m_format.get(), m_packet.get()) >= 0) {
        const AVPacket& read = *m_packet;
        if (read.stream_index == m_stream && read.size > 0) {
            if (read.pts == key.pts && (read.flags & AV_PKT_FLAG_KEY) != 0) {
                return true;
            }
            const bool passed = (read.dts != AV_NOPTS_VALUE && key.dts != AV_NOPTS_VALUE &&
                                 read.dts > key.dts) ||
                                (read.pos >= 0 && key.position >= 0 && read.pos > key.position);
            if (passed) {
                av_packet_unref(m_packet.get());
                return false;
            }
        }
        av_packet_unref(m_packet.get());
    }
    return false;
}

// Sends the next packet of the video stream, or at the end the empty one that drains the
// decoder. A packet other than the index has next means the frames would no longer hold.
bool CSourceReader::SendNextPacket() {
    if (m_draining) {
        return false;
    }
    const std::vector<CSourceIndex::Packet>& packets = m_index.Packets();
    for (;;) {
        const int read = av_read_frame(m_format.get(), m_packet.get());
        if (read == AVERROR_EOF) {
            m_draining = true;
            return avcodec_send_packet(m_decoder.get(), nullptr) >= 0;
        }
        if (read < 0) {
            return false;
        }
        if (m_packet->stream_index == m_stream && m_packet->size > 0) {
            const auto next = static_cast<std::size_t>(m_nextPacket++);
            const bool inStep = next < packets.size() && packets[next].pts == m_packet->pts;
            const int sent = inStep ? avcodec_send_packet(m_decoder.get(), m_packet.get()) : -1;
            av_packet_unref(m_packet.get());
            return sent >= 0;
        }
        av_packet_unref(m_packet.get());
    }
}

// Pictures shown before the key frame the decoding started from lack their references.
bool CSourceReader::Keep(const AVFrame& decoded) {
    m_lastPts = decoded.best_effort_timestamp;
    if (m_lastPts == AV_NOPTS_VALUE) {
        return false;
    }
    const std::int64_t index = m_index.PictureAt(m_lastPts);
    return m_lastPts < m_startPts || index < 0 || m_cache.Put(index, decoded);
}

// The picture goes the conversion's way: sized in the working video's format, then turned.
const AVFrame* CSourceReader::Reshaped(const AVFrame& decoded) {
    const bool working = decoded.format == AV_PIX_FMT_YUV420P &&
                         decoded.width == m_working->width && decoded.height == m_working->height;
    if (!working && !Scale(decoded, *m_working, m_workingScaler)) {
        return nullptr;
    }
    const AVFrame& sized = working ? decoded : *m_working;
    if (m_rotation == 0) {
        return &sized;
    }
    Turn(sized, *m_turned);
    return m_turned.get();
}

bool CSourceReader::Scale(const AVFrame& from, AVFrame& to, SwsContextPtr& scaler) {
    scaler.reset(sws_getCachedContext(scaler.release(), from.width, from.height,
                                      static_cast<AVPixelFormat>(from.format), to.width, to.height,
                                      static_cast<AVPixelFormat>(to.format), SWS_BICUBIC, nullptr,
                                      nullptr, nullptr));
    return scaler &&
           sws_scale(scaler.get(), from.data, from.linesize, 0, from.height, to.data, to.linesize) > 0;
}

// Turns each plane of from clockwise by the rotation into to.
void CSourceReader::Turn(const AVFrame& from, AVFrame& to) const {
    for (int plane = 0; plane < 3; ++plane) {
        const int shift = plane == 0 ? 0 : 1;
        const int width = -((-to.width) >> shift);
        const int height = -((-to.height) >> shift);
        const int fromWidth = -((-from.width) >> shift);
        const int fromHeight = -((-from.height) >> shift);
        const std::uint8_t* source = from.data[plane];
        const int stride = from.linesize[plane];
        for (int y = 0; y < height; ++y) {
            std::uint8_t* row = to.data[plane] + y * to.linesize[plane];
            for (int x = 0; x < width; ++x) {
                int sx = fromWidth - 1 - x;
                int sy = fromHeight - 1 - y;
                if (m_rotation == 90) {
                    sx = y;
                    sy = fromHeight - 1 - x;
                } else if (m_rotation == 270) {
                    sx = fromWidth - 1 - y;
                    sy = x;
                }
                row[x] = source[sy * stride + sx];
            }
        }
    }
}
