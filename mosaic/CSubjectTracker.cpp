#include "mosaic/CSubjectTracker.h"

#include "mosaic/CCorrelationEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace {

// Below this the rectangle shows something else than what was followed.
constexpr double kLostSimilarity = 0.3;
// Below this the rectangle is marked unsure, or lost when the engine doubts it too.
constexpr double kSureSimilarity = 0.6;
// How fast the model follows a subject that turns or changes its size; it learns from sure
// frames only, so that neither a cover nor the background creeps into it.
constexpr float kLearnRate = 0.08F;
// Frames in a row that must look lost before the run stops: a single odd frame (a flash, a
// blur) does not end it.
constexpr int kLostFrames = 2;
// What a subject does from one frame to the next at most: its centre moves half its size, its
// area grows or shrinks by 40 %; at least half of it stays in the picture.
constexpr double kMaxJump = 0.5;
constexpr double kMaxAreaChange = 1.4;
constexpr double kMinVisible = 0.5;

double Area(const T_RECT& rect) {
    return rect.IsEmpty() ? 0.0
                          : static_cast<double>(rect.right - rect.left) * (rect.bottom - rect.top);
}

T_RECT Clip(const T_RECT& rect, int width, int height) {
    return T_RECT{std::max(rect.left, 0), std::max(rect.top, 0), std::min(rect.right, width),
                  std::min(rect.bottom, height)};
}

} // namespace

struct CSubjectTracker::Pass {
    std::int64_t start = 0;
    std::int64_t step = 1;
    std::vector<T_RECT> rects;
    std::vector<bool> unsure;
    // Trailing frames of rects that looked lost.
    int lostInRow = 0;
};

CSubjectTracker::CSubjectTracker(ITrackFrames& frames, std::unique_ptr<CTrackEngine> engine)
    : m_frames(frames),
      m_engine(engine ? std::move(engine) : std::make_unique<CCorrelationEngine>()) {}

CTrackResult CSubjectTracker::Run(std::int64_t start, const T_RECT& rect, Direction direction,
                                  const Progress& progress) {
    Pass run;
    run.start = start;
    run.step = direction == Direction::Forward ? 1 : -1;
    if (!Begin(run, start, rect)) {
        return Finish(
            run, run.rects.empty() ? CTrackResult::Stop::BadStart : CTrackResult::Stop::Unreadable,
            start);
    }
    for (std::int64_t frame = start + run.step;; frame += run.step) {
        if (progress && !progress(frame - run.step, run.rects.back())) {
            return Finish(run, CTrackResult::Stop::Cancelled, frame - run.step);
        }
        if (frame < m_frames.First() || frame > m_frames.Last()) {
            return Finish(run, CTrackResult::Stop::End, frame - run.step);
        }
        const CGreyPicture* picture = m_frames.Picture(frame);
        if (picture == nullptr) {
            return Finish(run, CTrackResult::Stop::Unreadable, frame);
        }
        if (!Follow(run, *picture)) {
            return Finish(run, CTrackResult::Stop::Lost, frame - run.step * (run.lostInRow - 1));
        }
    }
}

bool CSubjectTracker::Follow(Pass& run, const CGreyPicture& picture) {
    CAppearanceModel::Grid sample;
    const CTrackEngine::Step step = m_engine->Follow(picture);
    const Verdict verdict = Judge(picture, step, run.rects.back(), sample);
    run.lostInRow = verdict == Verdict::Lost ? run.lostInRow + 1 : 0;
    if (run.lostInRow == kLostFrames || (verdict == Verdict::Lost && step.failed)) {
        return false;
    }
    if (verdict == Verdict::Sure) {
        m_model.Learn(sample, kLearnRate);
    }
    run.rects.push_back(Clip(step.rect, m_frames.Width(), m_frames.Height()));
    run.unsure.push_back(verdict != Verdict::Sure);
    return true;
}

// A start the tracker cannot follow from leaves the run without rectangles (bad start) or
// with the start rectangle only (start frame unreadable).
bool CSubjectTracker::Begin(Pass& run, std::int64_t start, const T_RECT& rect) {
    const T_RECT clipped = Clip(rect, m_frames.Width(), m_frames.Height());
    if (start < m_frames.First() || start > m_frames.Last() || clipped.IsEmpty()) {
        return false;
    }
    run.rects.push_back(clipped);
    run.unsure.push_back(false);
    const CGreyPicture* picture = m_frames.Picture(start);
    if (picture == nullptr) {
        return false;
    }
    m_engine->Start(*picture, clipped);
    m_model.Learn(CAppearanceModel::Sample(*picture, clipped), 1.0F);
    return true;
}

CSubjectTracker::Verdict CSubjectTracker::Judge(const CGreyPicture& picture,
                                                const CTrackEngine::Step& step,
                                                const T_RECT& previous,
                                                CAppearanceModel::Grid& sample) const {
    if (step.failed || Implausible(step.rect, previous, picture.Width(), picture.Height())) {
        return Verdict::Lost;
    }
    sample = CAppearanceModel::Sample(picture, step.rect);
    const double similarity = m_model.Similarity(sample);
    const bool unlike = similarity < kSureSimilarity;
    const bool doubtful = step.confidence < m_engine->Threshold();
    // Either doubt alone marks the frame; both together, like a subject that left and a
    // tracker holding on to the background, end the run.
    if (similarity < kLostSimilarity || (unlike && doubtful)) {
        return Verdict::Lost;
    }
    return unlike || doubtful ? Verdict::Unsure : Verdict::Sure;
}

bool CSubjectTracker::Implausible(const T_RECT& rect, const T_RECT& previous, int width,
                                  int height) {
    const double area = Area(rect);
    const double previousArea = Area(previous);
    if (area <= 0.0 || Area(Clip(rect, width, height)) < kMinVisible * area ||
        area > previousArea * kMaxAreaChange || area * kMaxAreaChange < previousArea) {
        return true;
    }
    const double dx = (rect.left + rect.right - previous.left - previous.right) / 2.0;
    const double dy = (rect.top + rect.bottom - previous.top - previous.bottom) / 2.0;
    const double size = std::max(previous.right - previous.left, previous.bottom - previous.top);
    return std::hypot(dx, dy) > kMaxJump * size;
}

// The frames that looked lost before the run stopped are not the subject's.
CTrackResult CSubjectTracker::Finish(Pass& run, CTrackResult::Stop stop, std::int64_t stopFrame) {
    if (stop == CTrackResult::Stop::Lost) {
        const auto kept = run.rects.size() - static_cast<std::size_t>(run.lostInRow - 1);
        run.rects.resize(std::min(run.rects.size(), kept));
        run.unsure.resize(run.rects.size());
    }
    CTrackResult result;
    result.stop = stop;
    result.stopFrame = stopFrame;
    if (run.step < 0) {
        std::reverse(run.rects.begin(), run.rects.end());
        std::reverse(run.unsure.begin(), run.unsure.end());
    }
    const std::int64_t first =
        run.step < 0 ? run.start - static_cast<std::int64_t>(run.rects.size()) + 1 : run.start;
    result.track = CMosaicTrack(static_cast<std::int32_t>(first), std::move(run.rects));
    result.unsure = std::move(run.unsure);
    return result;
}
