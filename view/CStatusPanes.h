#pragma once

#include <cstdint>
#include <string>

class CAviVideoStream;

// The texts of the status bar's size and rate panes, refreshed at every repaint of the view:
// the picture size, and the nominal frame rate against the measured repaint rate while a play
// runs (0.00 when nothing plays).
class CStatusPanes {
public:
    struct Texts {
        std::string size;
        std::string rate;
    };

    // stream: the document's stream, null when nothing is open. nowMs: a millisecond tick.
    Texts Refresh(const CAviVideoStream* stream, bool stillImage, bool plays, std::uint32_t nowMs);

    static std::string SizeText(int width, int height);
    static std::string RateText(double measured, double nominal);

private:
    std::uint32_t m_lastTick = 0;
    std::string m_lastRate;
};
