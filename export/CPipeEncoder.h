#pragma once

#include "export/IPictureEncoder.h"
#include "platform/CProcessRunner.h"

#include <atomic>
#include <cstdint>
#include <string>
#include <vector>

class CConverterCommand;
class CFFMpegUtil;
class IProgress;

// The converter tool as the encoder of an export: each picture goes to the tool's input pipe
// as raw 4:2:0 bytes, and the tool writes the target as its command says. The converter logs
// the command and learns how the tool ended (LastRun), whatever way the export ends.
class CPipeEncoder : public IPictureEncoder {
public:
    CPipeEncoder(CFFMpegUtil& converter, IProgress& progress);
    ~CPipeEncoder() override;
    CPipeEncoder(const CPipeEncoder&) = delete;
    CPipeEncoder& operator=(const CPipeEncoder&) = delete;

    // Starts the tool; false when it did not start.
    bool Start(const CConverterCommand& command);
    AVPixelFormat PixelFormat() const override { return AV_PIX_FMT_YUV420P; }
    bool Encode(const AVFrame& picture) override;
    // Ends the tool's input and waits for it to end, keeping the progress window alive; a
    // cancel asked for meanwhile kills it. True when it ended by itself with success.
    bool Finish() override;
    void Interrupt() override { m_interrupted = true; }
    const std::string& Reason() const override { return m_reason; }
    // Ends a tool still running, as a cancel does; true when there was one to end.
    bool Stop();

private:
    void Ended(bool cancelled);

    CFFMpegUtil& m_converter;
    IProgress& m_progress;
    CProcessRunner m_process;
    std::vector<std::uint8_t> m_bytes;
    std::atomic<bool> m_interrupted{false};
    bool m_running = false;
    // The tool stopped reading before the export stopped writing.
    bool m_broken = false;
    std::string m_reason;
};
