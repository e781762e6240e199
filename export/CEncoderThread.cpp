#include "export/CEncoderThread.h"

#include "platform/IProgress.h"

namespace {
// Short enough that the windows stay responsive while the encoder is behind.
constexpr std::chrono::milliseconds kPumpSlice{40};
} // namespace

CEncoderThread::CEncoderThread(IPictureEncoder& encoder, std::size_t queuedPictures)
    : m_encoder(encoder), m_queue(queuedPictures), m_thread([this] { Run(); }) {}

CEncoderThread::~CEncoderThread() {
    m_queue.Abort();
    m_encoder.Interrupt();
    Stop();
}

void CEncoderThread::Run() {
    while (AVFramePtr picture = m_queue.Pop()) {
        if (!m_encoder.Encode(*picture)) {
            m_failed = true;
            m_queue.Abort();
            return;
        }
    }
}

void CEncoderThread::Stop() {
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

CEncoderThread::Hand CEncoderThread::Push(AVFramePtr& picture, IProgress& progress) {
    for (;;) {
        switch (m_queue.TryPush(picture, kPumpSlice)) {
        case CFrameQueue::Push::Done:
            return Hand::Done;
        case CFrameQueue::Push::Aborted:
            return Hand::Failed;
        case CFrameQueue::Push::Full:
            progress.Pump();
            if (progress.CancelRequested()) {
                return Hand::Cancelled;
            }
            break;
        }
    }
}

bool CEncoderThread::Finish() {
    m_queue.Close();
    Stop();
    return !m_failed;
}
