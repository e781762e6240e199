#pragma once

#include "mosaic/CMosaicTrack.h"

#include <cstdint>
#include <vector>

// What one run of the subject tracker followed, and where and why it stopped.
struct CTrackResult {
    enum class Stop {
        // The movie's first or last frame was reached.
        End,
        // The progress callback asked to stop.
        Cancelled,
        // The subject was lost at stopFrame.
        Lost,
        // stopFrame could not be decoded.
        Unreadable,
        // The start frame is outside the movie or the start rectangle has no part in the
        // picture.
        BadStart,
    };

    Stop stop = Stop::End;
    // End and Cancelled: the last frame followed. Lost and Unreadable: the frame after the last
    // one followed in the run's direction, which the track does not hold. BadStart: the start.
    std::int64_t stopFrame = 0;
    // A rectangle for every frame followed, the start frame's included, in frame order.
    CMosaicTrack track;
    // For every rectangle of track: the tracker was not sure of it.
    std::vector<bool> unsure;
};
