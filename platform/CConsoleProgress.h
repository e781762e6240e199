#pragma once

#include "platform/IProgress.h"

#include <chrono>
#include <csignal>
#include <cstdio>
#include <string>

// Progress of the command-line renderer on a console stream: on a terminal one line rewritten
// in place, elsewhere plain lines, at most one a second and the last state when an operation
// ends. A cancel comes from a flag that a signal handler sets.
class CConsoleProgress : public IProgress {
public:
    enum class Mode { Live, Lines };

    // Live when stream is a terminal, lines otherwise.
    explicit CConsoleProgress(std::FILE* stream);
    CConsoleProgress(std::FILE* stream, Mode mode);

    // flag (not owned) asks for a cancel once it is not 0.
    void SetCancelFlag(const volatile std::sig_atomic_t* flag) { m_cancelFlag = flag; }

    bool Create() override;
    void SetMarquee() override;
    void SetRange(int lower, int upper) override;
    void SetCaption(const std::string& caption) override;
    void UpdatePercent(int position) override;
    void Pump() override;
    void Destroy() override;
    void SetTimeLeft(const std::string& text) override;
    bool CancelRequested() const override;

private:
    using Clock = std::chrono::steady_clock;

    std::string Line() const;
    void Show();
    void ShowLive(const std::string& line);
    void WriteLine(const std::string& line);

    std::FILE* m_stream;
    Mode m_mode;
    const volatile std::sig_atomic_t* m_cancelFlag = nullptr;
    std::string m_caption;
    std::string m_percent;
    std::string m_timeLeft;
    std::string m_shown;
    // Lines mode: the latest state, and when a line was last written.
    std::string m_pending;
    Clock::time_point m_lastLine{};
    bool m_wroteLine = false;
    int m_lower = 0;
    int m_upper = 100;
};
