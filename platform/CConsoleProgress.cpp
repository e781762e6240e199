#include "platform/CConsoleProgress.h"

CConsoleProgress::CConsoleProgress(std::FILE* stream) : m_stream(stream) {}

bool CConsoleProgress::Create() {
    m_caption.clear();
    m_percent.clear();
    m_shown.clear();
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

void CConsoleProgress::Pump() {
    std::fflush(m_stream);
}

void CConsoleProgress::Destroy() {
    if (!m_shown.empty()) {
        std::fputc('\n', m_stream);
        std::fflush(m_stream);
    }
    m_shown.clear();
}

// Written only when it changes; a shorter line blanks what is left of the longer one.
void CConsoleProgress::Show() {
    const std::string line = m_caption + (m_percent.empty() ? "" : " " + m_percent);
    if (line == m_shown) {
        return;
    }
    const std::size_t pad = m_shown.size() > line.size() ? m_shown.size() - line.size() : 0;
    std::fprintf(m_stream, "\r%s%s", line.c_str(), std::string(pad, ' ').c_str());
    m_shown = line;
}
