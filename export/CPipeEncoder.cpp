#include "export/CPipeEncoder.h"

#include "media/CConverterCommand.h"
#include "media/CFFMpegUtil.h"
#include "platform/IProgress.h"

extern "C" {
#include <libavutil/imgutils.h>
}

namespace {
constexpr int kPollMs = 40;
// How long a tool that stopped reading gets to end by itself.
constexpr int kEndingMs = 10000;
} // namespace

CPipeEncoder::CPipeEncoder(CFFMpegUtil& converter, IProgress& progress)
    : m_converter(converter), m_progress(progress) {}

CPipeEncoder::~CPipeEncoder() {
    Stop();
}

bool CPipeEncoder::Start(const CConverterCommand& command) {
    m_running = m_converter.StartPiped(command, m_process);
    return m_running;
}

bool CPipeEncoder::Encode(const AVFrame& picture) {
    const auto format = static_cast<AVPixelFormat>(picture.format);
    const int size = av_image_get_buffer_size(format, picture.width, picture.height, 1);
    if (size <= 0) {
        return false;
    }
    m_bytes.resize(static_cast<std::size_t>(size));
    if (av_image_copy_to_buffer(m_bytes.data(), size, picture.data, picture.linesize, format,
                                picture.width, picture.height, 1) != size) {
        return false;
    }
    m_broken = !m_process.WriteInput(m_bytes.data(), m_bytes.size(), m_interrupted) &&
               !m_interrupted;
    return !m_broken && !m_interrupted;
}

bool CPipeEncoder::Finish() {
    if (!m_running) {
        return false;
    }
    m_process.CloseInput();
    // A cancel asked for with the last picture still counts.
    do {
        m_progress.Pump();
        if (m_progress.CancelRequested()) {
            m_process.Kill();
            Ended(true);
            return false;
        }
    } while (!m_process.WaitFor(kPollMs));
    Ended(false);
    return m_converter.LastRun().Succeeded();
}

bool CPipeEncoder::Stop() {
    if (!m_running) {
        return false;
    }
    // A tool that stopped reading on its own is ending: its own words tell why.
    const bool ended = m_process.WaitFor(m_broken ? kEndingMs : 0);
    m_process.Kill();
    Ended(!ended);
    return !ended;
}

void CPipeEncoder::Ended(bool cancelled) {
    m_running = false;
    m_converter.EndPiped(m_process, cancelled);
    m_reason = m_converter.LastRun().reason;
}
