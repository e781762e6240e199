#pragma once

#include "media/RX40sCFFmpeg.h"
#include "mosaic/CSubjectTracker.h"
#include "mosaic/CTrackResult.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class CTrackFrames;

// One tracking run on a thread of its own, with a decoder of its own on the movie shown, so
// that the window stays alive and can show each frame as it is followed.
class CTrackWorker {
public:
    struct Followed {
        std::int64_t frame = 0;
        T_RECT rect;
    };

    CTrackWorker();
    // Cancels a run still going and waits for it.
    ~CTrackWorker();
    CTrackWorker(const CTrackWorker&) = delete;
    CTrackWorker& operator=(const CTrackWorker&) = delete;

    // Opens what shown shows and starts following rect from frame start; false, with nothing
    // started, when it cannot be opened or does not end where the one shown does.
    bool Start(const RX40sCFFmpeg& shown, std::int64_t start, const T_RECT& rect,
               CSubjectTracker::Direction direction);
    void Cancel() { m_cancel = true; }
    // Waits up to ms for the run to end; true once it has.
    bool WaitFor(int ms);
    // The frames followed since the last call, in the order followed.
    std::vector<Followed> TakeFollowed();
    // What the run followed; complete once WaitFor has returned true.
    const CTrackResult& Result() const { return m_result; }

private:
    void Run(std::int64_t start, T_RECT rect, CSubjectTracker::Direction direction);

    RX40sCFFmpeg m_video;
    std::unique_ptr<CTrackFrames> m_frames;
    std::thread m_thread;
    std::atomic<bool> m_cancel{false};
    std::mutex m_mutex;
    std::condition_variable m_ended;
    bool m_done = false;
    std::vector<Followed> m_followed;
    CTrackResult m_result;
};
