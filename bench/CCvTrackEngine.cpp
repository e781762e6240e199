#include "CCvTrackEngine.h"

#include <opencv2/imgproc.hpp>
#include <opencv2/tracking.hpp>

namespace {

// The grey picture as OpenCV sees it, without a copy.
cv::Mat View(const CGreyPicture& picture) {
    return cv::Mat(picture.Height(), picture.Width(), CV_8UC1,
                   const_cast<std::uint8_t*>(picture.Data()));
}

} // namespace

struct CCvTrackEngine::Tracker {
    cv::Ptr<cv::Tracker> tracker;
    // KCF's colour features take three channels only.
    bool colour = false;
    cv::Mat input;

    const cv::Mat& Input(const CGreyPicture& picture) {
        input = View(picture);
        if (colour) {
            cv::cvtColor(input, input, cv::COLOR_GRAY2BGR);
        }
        return input;
    }
};

CCvTrackEngine::CCvTrackEngine(Kind kind) : m_tracker(std::make_unique<Tracker>()) {
    m_tracker->colour = kind == Kind::Kcf;
    m_tracker->tracker = kind == Kind::Kcf ? cv::Ptr<cv::Tracker>(cv::TrackerKCF::create())
                                           : cv::Ptr<cv::Tracker>(cv::TrackerCSRT::create());
}

CCvTrackEngine::~CCvTrackEngine() = default;

void CCvTrackEngine::Start(const CGreyPicture& picture, const T_RECT& rect) {
    m_tracker->tracker->init(
        m_tracker->Input(picture),
        cv::Rect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top));
}

CTrackEngine::Step CCvTrackEngine::Follow(const CGreyPicture& picture) {
    cv::Rect box;
    Step step;
    step.failed = !m_tracker->tracker->update(m_tracker->Input(picture), box);
    step.confidence = step.failed ? 0.0 : 1.0;
    step.rect = T_RECT{box.x, box.y, box.x + box.width, box.y + box.height};
    return step;
}
