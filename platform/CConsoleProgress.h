#pragma once

#include "platform/IProgress.h"

#include <cstdio>
#include <string>

// Progress of the command-line renderer: one line on a console stream, rewritten in place.
class CConsoleProgress : public IProgress {
public:
    explicit CConsoleProgress(std::FILE* stream);

    bool Create() override;
    void SetMarquee() override;
    void SetRange(int lower, int upper) override;
    void SetCaption(const std::string& caption) override;
    void UpdatePercent(int position) override;
    void Pump() override;
    void Destroy() override;

private:
    void Show();

    std::FILE* m_stream;
    std::string m_caption;
    std::string m_percent;
    std::string m_shown;
    int m_lower = 0;
    int m_upper = 100;
};
