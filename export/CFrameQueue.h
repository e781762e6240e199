#pragma once

#include "media/CAVPtr.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>

// The bounded hand-over of painted pictures from the thread that decodes and paints to the
// thread that encodes. The producer waits in short slices, so it can keep its windows alive.
class CFrameQueue {
public:
    enum class Push { Done, Full, Aborted };

    explicit CFrameQueue(std::size_t capacity);

    // Moves picture in when room comes within wait; Full leaves it with the caller.
    Push TryPush(AVFramePtr& picture, std::chrono::milliseconds wait);
    // The next picture; null once the queue is closed and empty, or aborted.
    AVFramePtr Pop();
    // No more pictures will come; the consumer takes what is left.
    void Close();
    // Drops every picture and wakes both sides; later pushes report Aborted.
    void Abort();

private:
    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::deque<AVFramePtr> m_pictures;
    std::size_t m_capacity;
    bool m_closed = false;
    bool m_aborted = false;
};
