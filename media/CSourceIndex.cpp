#include "media/CSourceIndex.h"

#include <algorithm>

bool CSourceIndex::Build(AVFormatContext& format, int stream) {
    m_packets.clear();
    m_pictures.clear();
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        format.streams[i]->discard = static_cast<int>(i) == stream ? AVDISCARD_DEFAULT : AVDISCARD_ALL;
    }
    const AVPacketPtr packet(av_packet_alloc());
    if (!packet) {
        return false;
    }
    int read = 0;
    while ((read = av_read_frame(&format, packet.get())) >= 0) {
        if (packet->stream_index == stream && packet->size > 0) {
            m_packets.push_back(Packet{packet->pts, packet->dts, packet->duration, packet->pos,
                                       (packet->flags & AV_PKT_FLAG_KEY) != 0});
        }
        av_packet_unref(packet.get());
    }
    for (unsigned i = 0; i < format.nb_streams; ++i) {
        format.streams[i]->discard = AVDISCARD_DEFAULT;
    }
    return read == AVERROR_EOF && SortPictures();
}

// A picture decodes from the last key frame before it in decode order that is not shown after
// it; the pictures stored after a key frame but shown before it belong to the key frame before.
bool CSourceIndex::SortPictures() {
    std::vector<std::int64_t> keys;
    for (std::size_t i = 0; i < m_packets.size(); ++i) {
        const Packet& packet = m_packets[i];
        if (packet.pts == AV_NOPTS_VALUE) {
            return false;
        }
        if (packet.key) {
            keys.push_back(static_cast<std::int64_t>(i));
        }
        auto key = keys.rbegin();
        while (key != keys.rend() && m_packets[static_cast<std::size_t>(*key)].pts > packet.pts) {
            ++key;
        }
        // Pictures before the first key frame can't be decoded and aren't shown by the
        // conversion's decoder either; they are left out as it leaves them out.
        if (key != keys.rend()) {
            m_pictures.push_back(Picture{packet.pts, packet.duration, *key});
        }
    }
    std::sort(m_pictures.begin(), m_pictures.end(),
              [](const Picture& a, const Picture& b) { return a.pts < b.pts; });
    const auto same = std::adjacent_find(
        m_pictures.begin(), m_pictures.end(),
        [](const Picture& a, const Picture& b) { return a.pts == b.pts; });
    return !m_pictures.empty() && same == m_pictures.end();
}

std::int64_t CSourceIndex::PictureAt(std::int64_t pts) const {
    const auto found = std::lower_bound(
        m_pictures.begin(), m_pictures.end(), pts,
        [](const Picture& picture, std::int64_t time) { return picture.pts < time; });
    return found != m_pictures.end() && found->pts == pts ? found - m_pictures.begin() : -1;
}
