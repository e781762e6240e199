#pragma once

#include "app/CCmdTarget.h"
#include "app/ui/CProgressDlg.h"
#include "mosaic/CSubjectTracker.h"

#include <cstdint>

class CAviVideoStream;
class CFrameStepCommands;
class CMainFrame;
class CRegionEditor;
class CTrackWorker;

// Track and Track back: from the rectangle of the track to follow on the shown frame, the
// subject is followed frame by frame into that same track, in the progress window with Cancel,
// the view showing the frames as they are followed. The whole run is one step of undo; it ends
// on the last frame followed, with its frames of doubt marked and the reason it stopped told.
class CTrackCommands : public CCmdTarget {
public:
    CTrackCommands(CMainFrame& frame, CRegionEditor& editor, CFrameStepCommands& steps);

    CProgressDlg& Progress() { return m_progress; }

private:
    // How often the view shows the frame being followed.
    static constexpr int kShowEveryMs = 120;
    static constexpr int kPollMs = 15;

    void Track(CSubjectTracker::Direction direction);
    // Shows the run as it goes until it ends: the followed rectangles in the track, the frame.
    void Follow(CTrackWorker& worker, CAviVideoStream& stream, int track, std::int64_t start,
                std::int64_t end);
    void Tell(const CTrackResult& result);

    CMainFrame& m_frame;
    CRegionEditor& m_editor;
    CFrameStepCommands& m_steps;
    CProgressDlg m_progress;
};
