#include "media/CPictureCache.h"

bool CPictureCache::Put(std::int64_t index, const AVFrame& picture) {
    if (const auto found = m_byIndex.find(index); found != m_byIndex.end()) {
        Erase(found->second);
    }
    AVFramePtr kept(av_frame_alloc());
    if (!kept || av_frame_ref(kept.get(), &picture) < 0) {
        return false;
    }
    const std::size_t bytes = BytesOf(picture);
    while (!m_entries.empty() && m_bytes + bytes > m_limit) {
        Erase(std::prev(m_entries.end()));
    }
    if (bytes > m_limit) {
        return true;
    }
    m_entries.push_front(Entry{index, std::move(kept), bytes});
    m_byIndex[index] = m_entries.begin();
    m_bytes += bytes;
    return true;
}

const AVFrame* CPictureCache::Find(std::int64_t index) {
    const auto found = m_byIndex.find(index);
    if (found == m_byIndex.end()) {
        return nullptr;
    }
    m_entries.splice(m_entries.begin(), m_entries, found->second);
    return m_entries.front().picture.get();
}

void CPictureCache::Clear() {
    m_entries.clear();
    m_byIndex.clear();
    m_bytes = 0;
}

std::size_t CPictureCache::BytesOf(const AVFrame& picture) {
    std::size_t bytes = 0;
    for (const AVBufferRef* buffer : picture.buf) {
        bytes += buffer != nullptr ? buffer->size : 0;
    }
    return bytes;
}

void CPictureCache::Erase(std::list<Entry>::iterator entry) {
    m_bytes -= entry->bytes;
    m_byIndex.erase(entry->index);
    m_entries.erase(entry);
}
