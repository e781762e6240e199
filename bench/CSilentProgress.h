#pragma once

#include "platform/IProgress.h"

// A progress window nobody sees, for the benchmarks.
class CSilentProgress : public IProgress {
public:
    bool Create() override { return true; }
    void SetMarquee() override {}
    void SetRange(int, int) override {}
    void SetCaption(const std::string&) override {}
    void UpdatePercent(int) override {}
    void Pump() override {}
    void Destroy() override {}
};
