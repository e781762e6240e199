#pragma once

#include <cstdint>

// What play control needs from the windows around it: the main window's timers and Play
// button, the slider and the view.
class IPlayHost {
public:
    virtual ~IPlayHost() = default;

    virtual void StartTimer(int id, int intervalMs) = 0;
    virtual void KillTimer(int id) = 0;
    // Shows frame n as the step commands do: the current frame becomes n within the movie,
    // the slider n itself, and the view is invalidated without erasing.
    virtual void ShowFrame(std::int64_t n) = 0;
    // The Play button shows its stop picture while a play runs, its play picture otherwise.
    virtual void ShowPlayPicture(bool stopPicture) = 0;
    // The view's part of stopping: no drag, pointer released, redrawn with erasing.
    virtual void PlayStopped() = 0;
    // Records the brush at frame when moving mosaic mode has a drag in progress; returns
    // whether such a recording runs.
    virtual bool RecordBrush(std::int64_t frame) = 0;
    // The view forgets its selected region and any armed modification.
    virtual void ResetSelection() = 0;
};
