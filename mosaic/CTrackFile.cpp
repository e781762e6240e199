#include "mosaic/CTrackFile.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <utility>

namespace {

constexpr std::size_t kIntBytes = 4;
constexpr std::size_t kRectBytes = 4 * kIntBytes;

void PutInt(std::string& out, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((bits >> shift) & 0xFF));
    }
}

// Reads little-endian numbers from the front of a byte range.
class Reader {
public:
    explicit Reader(std::string_view bytes) : m_bytes(bytes) {}

    std::size_t Remaining() const { return m_bytes.size(); }

    std::optional<std::int32_t> Int() {
        if (m_bytes.size() < kIntBytes) {
            return std::nullopt;
        }
        std::uint32_t bits = 0;
        for (std::size_t i = 0; i < kIntBytes; ++i) {
            bits |= std::uint32_t{static_cast<unsigned char>(m_bytes[i])} << (8 * i);
        }
        m_bytes.remove_prefix(kIntBytes);
        return static_cast<std::int32_t>(bits);
    }

    T_RECT Rect() {
        T_RECT rect;
        rect.left = *Int();
        rect.top = *Int();
        rect.right = *Int();
        rect.bottom = *Int();
        return rect;
    }

private:
    std::string_view m_bytes;
};

bool FramesFit(std::int32_t first, std::int32_t count) {
    return std::int64_t{first} + count - 1 <= std::numeric_limits<std::int32_t>::max();
}

// One record; nullopt when it is incomplete or impossible, an empty track when it has no entries.
std::optional<CMosaicTrack> ReadRecord(Reader& reader) {
    const std::optional<std::int32_t> first = reader.Int();
    const std::optional<std::int32_t> count = reader.Int();
    if (!first || !count) {
        return std::nullopt;
    }
    if (*count <= 0) {
        return CMosaicTrack();
    }
    if (reader.Remaining() / kRectBytes < static_cast<std::size_t>(*count) ||
        !FramesFit(*first, *count)) {
        return std::nullopt;
    }
    std::vector<T_RECT> rects;
    rects.reserve(static_cast<std::size_t>(*count));
    for (std::int32_t i = 0; i < *count; ++i) {
        rects.push_back(reader.Rect());
    }
    return CMosaicTrack(*first, std::move(rects));
}

} // namespace

std::string CTrackFile::Encode(const std::vector<CMosaicTrack>& tracks) {
    std::string out;
    PutInt(out, static_cast<std::int32_t>(tracks.size()));
    for (const CMosaicTrack& track : tracks) {
        PutInt(out, track.First());
        PutInt(out, static_cast<std::int32_t>(track.Rects().size()));
        for (const T_RECT& rect : track.Rects()) {
            PutInt(out, rect.left);
            PutInt(out, rect.top);
            PutInt(out, rect.right);
            PutInt(out, rect.bottom);
        }
    }
    return out;
}

std::vector<CMosaicTrack> CTrackFile::Decode(std::string_view bytes) {
    Reader reader(bytes);
    const std::int32_t count = reader.Int().value_or(0);
    std::vector<CMosaicTrack> tracks;
    // Every record takes at least 8 bytes, so the file size bounds what a count may promise.
    const std::size_t possible = reader.Remaining() / (2 * kIntBytes);
    tracks.reserve(std::min(possible, static_cast<std::size_t>(std::max(count, 0))));
    for (std::int32_t i = 0; i < count; ++i) {
        std::optional<CMosaicTrack> track = ReadRecord(reader);
        if (!track) {
            break;
        }
        if (!track->Empty()) {
            tracks.push_back(std::move(*track));
        }
    }
    return tracks;
}
