#include "mosaic/CCorrelationEngine.h"

#include <dlib/image_processing.h>

#include <cmath>

namespace {

// A grey picture as dlib's generic image: no copy.
struct GreyView {
    const CGreyPicture* picture;
};

long num_rows(const GreyView& view) {
    return view.picture->Height();
}
long num_columns(const GreyView& view) {
    return view.picture->Width();
}
const void* image_data(const GreyView& view) {
    return view.picture->Data();
}
long width_step(const GreyView& view) {
    return view.picture->Width();
}

// Below this ratio the response has no clear peak; a subject that is still there stays well
// above it.
constexpr double kSurePeak = 7.0;

} // namespace

namespace dlib {
template <> struct image_traits<GreyView> { using pixel_type = unsigned char; };
} // namespace dlib

struct CCorrelationEngine::Filter {
    dlib::correlation_tracker tracker;
};

CCorrelationEngine::CCorrelationEngine() : m_filter(std::make_unique<Filter>()) {}

CCorrelationEngine::~CCorrelationEngine() = default;

void CCorrelationEngine::Start(const CGreyPicture& picture, const T_RECT& rect) {
    m_filter->tracker.start_track(
        GreyView{&picture},
        dlib::drectangle(rect.left, rect.top, rect.right - 1.0, rect.bottom - 1.0));
}

CTrackEngine::Step CCorrelationEngine::Follow(const CGreyPicture& picture) {
    Step step;
    step.confidence = m_filter->tracker.update(GreyView{&picture});
    const dlib::drectangle box = m_filter->tracker.get_position();
    step.rect = T_RECT{static_cast<std::int32_t>(std::lround(box.left())),
                       static_cast<std::int32_t>(std::lround(box.top())),
                       static_cast<std::int32_t>(std::lround(box.right() + 1.0)),
                       static_cast<std::int32_t>(std::lround(box.bottom() + 1.0))};
    step.failed = !std::isfinite(step.confidence);
    return step;
}

double CCorrelationEngine::Threshold() const {
    return kSurePeak;
}
