#include "platform/CConsoleProgress.h"

#include <unistd.h>

namespace {
constexpr std::chrono::seconds kLineEvery{1};
}

CConsoleProgress::CConsoleProgress(std::FILE* stream)
    : CConsoleProgress(stream, isatty(fileno(stream)) ? Mode::Live : Mode::Lines) {}

CConsoleProgress::CConsoleProgress(std::FILE* stream, Mode mode) : m_stream(stream), m_mode(mode) {}

bool CConsoleProgress::Create() {
    m_caption.clear();
    m_percent.clear();
    m_timeLeft.clear();
    m_shown.clear();
    m_pending.clear();
    m_wroteLine = false;
    return true;
}

void CConsoleProgress::SetMarquee() {
    m_percent.clear();
}

void CConsoleProgress::SetRange(int lower, int upper) {
    m_lower = lower;
    m_upper = upper;
}

void CConsoleProgress::SetCaption(const std::string& caption) {
    m_caption = caption;
    Show();
}

void CConsoleProgress::UpdatePercent(int position) {
    m_percent = PercentText(position, m_lower, m_upper);
    Show();
}

void CConsoleProgress::SetTimeLeft(const std::string& text) {
    m_timeLeft = text;
    Show();
}

bool CConsoleProgress::CancelRequested() const {
    return m_cancelFlag != nullptr && *m_cancelFlag != 0;
}

void CConsoleProgress::Pump() {
    std::fflush(m_stream);
}

void CConsoleProgress::Destroy() {
    if (m_mode == Mode::Live && !m_shown.empty()) {
        std::fputc('\n', m_stream);
    }
    if (m_mode == Mode::Lines && !m_pending.empty() && m_pending != m_shown) {
        WriteLine(m_pending);
    }
    std::fflush(m_stream);
    m_shown.clear();
    m_pending.clear();
}

std::string CConsoleProgress::Line() const {
    std::string line = m_caption;
    for (const std::string* part : {&m_percent, &m_timeLeft}) {
        if (!part->empty()) {
            line += (line.empty() ? "" : " ") + *part;
        }
    }
    return line;
}

void CConsoleProgress::Show() {
    const std::string line = Line();
    if (line == m_shown) {
        return;
    }
    if (m_mode == Mode::Live) {
        ShowLive(line);
        return;
    }
    m_pending = line;
    if (!m_wroteLine || Clock::now() - m_lastLine >= kLineEvery) {
        WriteLine(line);
    }
}

// A shorter line blanks what is left of the longer one.
void CConsoleProgress::ShowLive(const std::string& line) {
    const std::size_t pad = m_shown.size() > line.size() ? m_shown.size() - line.size() : 0;
    std::fprintf(m_stream, "\r%s%s", line.c_str(), std::string(pad, ' ').c_str());
    m_shown = line;
}

void CConsoleProgress::WriteLine(const std::string& line) {
    std::fprintf(m_stream, "%s\n", line.c_str());
    m_shown = line;
    m_lastLine = Clock::now();
    m_wroteLine = true;
}
