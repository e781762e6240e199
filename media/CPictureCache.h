#pragma once

#include "media/CAVPtr.h"

#include <cstddef>
#include <cstdint>
#include <list>
#include <unordered_map>

// Decoded pictures kept by their index, the least recently used let go first, so that the
// memory they hold stays within a bound.
class CPictureCache {
public:
    static constexpr std::size_t kDefaultBytes = std::size_t{512} << 20;

    explicit CPictureCache(std::size_t bytes = kDefaultBytes) : m_limit(bytes) {}

    // Keeps a reference to picture as index; false when it could not be referenced.
    bool Put(std::int64_t index, const AVFrame& picture);
    // The picture kept as index, now the most recently used; null when none is.
    const AVFrame* Find(std::int64_t index);
    void Clear();

    std::size_t Bytes() const { return m_bytes; }
    std::size_t Limit() const { return m_limit; }

private:
    struct Entry {
        std::int64_t index;
        AVFramePtr picture;
        std::size_t bytes;
    };

    static std::size_t BytesOf(const AVFrame& picture);
    void Erase(std::list<Entry>::iterator entry);

    std::size_t m_limit;
    std::size_t m_bytes = 0;
    std::list<Entry> m_entries;
    std::unordered_map<std::int64_t, std::list<Entry>::iterator> m_byIndex;
};
