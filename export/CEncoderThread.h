#pragma once

#include "export/IPictureEncoder.h"
#include "export/CFrameQueue.h"

#include <atomic>
#include <thread>

class IProgress;

// Encodes the pictures handed to it on a thread of its own, in the order they come, while the
// caller decodes and paints the next ones. Going away without Finish() drops what is queued.
class CEncoderThread {
public:
    enum class Hand { Done, Failed, Cancelled };

    CEncoderThread(IPictureEncoder& encoder, std::size_t queuedPictures);
    ~CEncoderThread();
    CEncoderThread(const CEncoderThread&) = delete;
    CEncoderThread& operator=(const CEncoderThread&) = delete;

    // Queues picture, keeping the progress window alive while the queue is full.
    Hand Push(AVFramePtr& picture, IProgress& progress);
    // Waits until every queued picture is encoded; false when the encoder failed.
    bool Finish();

private:
    void Run();
    void Stop();

    IPictureEncoder& m_encoder;
    CFrameQueue m_queue;
    std::atomic<bool> m_failed{false};
    std::thread m_thread;
};
