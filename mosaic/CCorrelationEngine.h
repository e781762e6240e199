#pragma once

#include "mosaic/CTrackEngine.h"

#include <memory>

// The discriminative correlation filter of dlib, which follows position and scale; its
// confidence is the peak-to-sidelobe ratio of the filter response.
class CCorrelationEngine : public CTrackEngine {
public:
    CCorrelationEngine();
    ~CCorrelationEngine() override;

    void Start(const CGreyPicture& picture, const T_RECT& rect) override;
    Step Follow(const CGreyPicture& picture) override;
    double Threshold() const override;

private:
    struct Filter;
    std::unique_ptr<Filter> m_filter;
};
