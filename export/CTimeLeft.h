#pragma once

#include <chrono>
#include <cstdint>
#include <string>

// Estimates the time left of an operation of known length from its pace so far.
class CTimeLeft {
public:
    using Clock = std::chrono::steady_clock;

    // Starts the clock for total steps.
    explicit CTimeLeft(std::int64_t total);

    // Seconds left after done steps; negative while too little has happened to tell.
    double SecondsLeft(std::int64_t done) const;
    std::int64_t ElapsedMs() const;
    static double Estimate(double elapsedSeconds, std::int64_t done, std::int64_t total);
    // The estimate as the user reads it ("Time left 1:05"); empty while unknown.
    static std::string Text(double seconds);
    // "0:07", "12:34", "1:02:03".
    static std::string ClockText(double seconds);

private:
    Clock::time_point m_start;
    std::int64_t m_total;
};
