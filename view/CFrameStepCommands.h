#pragma once

#include "app/CCmdTarget.h"

#include <cstdint>

class CMainFrame;

// The single steps through the movie (First, Back, Next, Last), Next gap and the frame slider:
// each shows a frame, within the movie, with the slider at the position asked for.
class CFrameStepCommands : public CCmdTarget {
public:
    // Listens to the main window's frame slider.
    explicit CFrameStepCommands(CMainFrame& frame);

    // The current frame becomes n within the movie (when a video is open), the slider n itself;
    // the view is redrawn.
    void ShowFrame(std::int64_t n);
    // The user moved the slider to position.
    void OnSliderMoved(int position);

private:
    // The start of the next run of frames that a track has no rectangle for, from the first
    // again after the last.
    void NextGap();
    void Step(std::int64_t (*target)(std::int64_t current, std::int64_t first, std::int64_t last));

    CMainFrame& m_frame;
};
