#include "export/CFrameQueue.h"

CFrameQueue::CFrameQueue(std::size_t capacity) : m_capacity(capacity == 0 ? 1 : capacity) {}

CFrameQueue::Push CFrameQueue::TryPush(AVFramePtr& picture, std::chrono::milliseconds wait) {
    std::unique_lock lock(m_mutex);
    const bool room = m_changed.wait_for(
        lock, wait, [this] { return m_aborted || m_pictures.size() < m_capacity; });
    if (m_aborted) {
        return Push::Aborted;
    }
    if (!room) {
        return Push::Full;
    }
    m_pictures.push_back(std::move(picture));
    m_changed.notify_all();
    return Push::Done;
}

AVFramePtr CFrameQueue::Pop() {
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_aborted || m_closed || !m_pictures.empty(); });
    if (m_aborted || m_pictures.empty()) {
        return nullptr;
    }
    AVFramePtr picture = std::move(m_pictures.front());
    m_pictures.pop_front();
    m_changed.notify_all();
    return picture;
}

void CFrameQueue::Close() {
    const std::lock_guard lock(m_mutex);
    m_closed = true;
    m_changed.notify_all();
}

void CFrameQueue::Abort() {
    const std::lock_guard lock(m_mutex);
    m_aborted = true;
    m_pictures.clear();
    m_changed.notify_all();
}
