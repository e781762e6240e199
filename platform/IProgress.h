#pragma once

#include <string>

// The progress window of long operations: the GUI shows a modeless dialog that disables the
// main window, the command-line renderer writes to stderr, tests record what they are told.
class IProgress {
public:
    virtual ~IProgress() = default;
    // Shows the window; false when it cannot be shown (the operation then runs without it).
    virtual bool Create() = 0;
    // An operation of unknown length: a running bar without a percentage.
    virtual void SetMarquee() = 0;
    virtual void SetRange(int lower, int upper) = 0;
    virtual void SetCaption(const std::string& caption) = 0;
    virtual void UpdatePercent(int position) = 0;
    // Keeps the user interface alive while the caller blocks.
    virtual void Pump() = 0;
    virtual void Destroy() = 0;

    // Moves the bar to position within the range (UpdatePercent changes only the text).
    virtual void SetPosition(int /*position*/) {}
    // The estimated time left, already worded for the user; empty while it is not known.
    virtual void SetTimeLeft(const std::string& /*text*/) {}
    // Whether the window offers a Cancel button (every step of a save does).
    virtual void SetCancellable(bool /*on*/) {}
    // True once the user asked to stop; the running operation looks at it between steps and
    // stops at the next one.
    virtual bool CancelRequested() const { return false; }

    // "42%" for position in lower..upper; beyond the range it wraps, except that exactly 100
    // stays. Empty for an empty range.
    static std::string PercentText(int position, int lower, int upper) {
        if (upper == lower) {
            return {};
        }
        long long percent = (static_cast<long long>(position) - lower) * 100 /
                            (static_cast<long long>(upper) - lower);
        if (percent != 100) {
            percent %= 100;
        }
        return std::to_string(percent) + "%";
    }
};
