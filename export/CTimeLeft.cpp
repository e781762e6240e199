#include "export/CTimeLeft.h"

#include "resources/CStringTable.h"

#include <cmath>
#include <cstdio>

namespace {
constexpr int kTimeLeftText = 2070;
// Before this much has passed the pace says little.
constexpr double kSettleSeconds = 0.5;
} // namespace

CTimeLeft::CTimeLeft(std::int64_t total) : m_start(Clock::now()), m_total(total) {}

double CTimeLeft::SecondsLeft(std::int64_t done) const {
    const double elapsed = std::chrono::duration<double>(Clock::now() - m_start).count();
    return Estimate(elapsed, done, m_total);
}

std::int64_t CTimeLeft::ElapsedMs() const {
    return std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - m_start).count();
}

double CTimeLeft::Estimate(double elapsedSeconds, std::int64_t done, std::int64_t total) {
    if (done <= 0 || total <= 0 || elapsedSeconds < kSettleSeconds) {
        return -1.0;
    }
    const std::int64_t remaining = total > done ? total - done : 0;
    return elapsedSeconds / static_cast<double>(done) * static_cast<double>(remaining);
}

std::string CTimeLeft::ClockText(double seconds) {
    const long long whole = std::llround(std::fmax(0.0, seconds));
    char text[32] = {};
    if (whole >= 3600) {
        std::snprintf(text, sizeof text, "%lld:%02lld:%02lld", whole / 3600, whole / 60 % 60,
                      whole % 60);
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", whole / 60, whole % 60);
    }
    return text;
}

std::string CTimeLeft::Text(double seconds) {
    if (seconds < 0 || !std::isfinite(seconds)) {
        return {};
    }
    return CStringTable::Format(kTimeLeftText, ClockText(seconds));
}
