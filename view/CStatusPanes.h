#pragma once

#include <cstdint>
#include <optional>
#include <string>

class CAviVideoStream;

// The texts of the status bar's size and rate panes, refreshed at every repaint of the view:
// the picture size, and the nominal frame rate against the rate of pictures really shown while
// a play runs (0.00 when nothing plays). A repaint of the same frame shows nothing new: at half
// speed with sound the view repaints at the movie's rate but shows a new frame every other time.
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

    // The span over which the shown frames are counted, so the figure stays readable.
    static constexpr std::uint32_t kMeasureMs = 500;

private:
    void Forget();

    // Start of the running count, the frames shown since and the frame shown last.
    std::optional<std::uint32_t> m_countSince;
    int m_framesShown = 0;
    std::int64_t m_lastFrame = -1;
    std::string m_lastRate;
};
