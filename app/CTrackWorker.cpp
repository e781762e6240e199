#include "app/CTrackWorker.h"

#include "media/CTrackFrames.h"

#include <chrono>
#include <utility>

CTrackWorker::CTrackWorker() = default;

CTrackWorker::~CTrackWorker() {
    Cancel();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

bool CTrackWorker::Start(const RX40sCFFmpeg& shown, std::int64_t start, const T_RECT& rect,
                         CSubjectTracker::Direction direction) {
    if (m_thread.joinable() || m_video.OpenLike(shown) == 0 ||
        m_video.m_nLastFrame != shown.m_nLastFrame) {
        return false;
    }
    m_frames = std::make_unique<CTrackFrames>(m_video);
    m_thread = std::thread([this, start, rect, direction] { Run(start, rect, direction); });
    return true;
}

void CTrackWorker::Run(std::int64_t start, T_RECT rect, CSubjectTracker::Direction direction) {
    CTrackResult result = CSubjectTracker(*m_frames).Run(
        start, rect, direction, [this](std::int64_t frame, const T_RECT& followed) {
            const std::lock_guard lock(m_mutex);
            m_followed.push_back({frame, followed});
            return !m_cancel;
        });
    const std::lock_guard lock(m_mutex);
    m_result = std::move(result);
    m_done = true;
    m_ended.notify_all();
}

bool CTrackWorker::WaitFor(int ms) {
    std::unique_lock lock(m_mutex);
    const bool done = m_ended.wait_for(lock, std::chrono::milliseconds(ms), [this] { return m_done; });
    if (done && m_thread.joinable()) {
        lock.unlock();
        m_thread.join();
    }
    return done;
}

std::vector<CTrackWorker::Followed> CTrackWorker::TakeFollowed() {
    const std::lock_guard lock(m_mutex);
    return std::exchange(m_followed, {});
}
