#pragma once

#include "mosaic/CTrackEngine.h"

#include <memory>

// OpenCV's KCF or CSRT tracker behind the subject tracker's seam, to measure against the one
// the program uses. OpenCV reports success only, so its confidence is 1 or 0.
class CCvTrackEngine : public CTrackEngine {
public:
    enum class Kind { Kcf, Csrt };

    explicit CCvTrackEngine(Kind kind);
    ~CCvTrackEngine() override;

    void Start(const CGreyPicture& picture, const T_RECT& rect) override;
    Step Follow(const CGreyPicture& picture) override;
    double Threshold() const override { return 0.5; }

private:
    struct Tracker;
    std::unique_ptr<Tracker> m_tracker;
};
