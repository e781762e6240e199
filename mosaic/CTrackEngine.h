#pragma once

#include "mosaic/CGreyPicture.h"
#include "mosaic/T_RECT.h"

// A tracker that follows one subject from picture to picture: the library behind the
// subject tracker, kept behind this seam so that another can be measured against it.
class CTrackEngine {
public:
    struct Step {
        T_RECT rect;
        // The engine's own confidence, on its own scale; only compared with Threshold().
        double confidence = 0.0;
        // The engine itself gave up on this picture.
        bool failed = false;
    };

    virtual ~CTrackEngine() = default;

    // Learns the subject inside rect of picture.
    virtual void Start(const CGreyPicture& picture, const T_RECT& rect) = 0;
    // Finds the subject in the next picture.
    virtual Step Follow(const CGreyPicture& picture) = 0;
    // Confidence below this means the engine is not sure of its step.
    virtual double Threshold() const = 0;
};
