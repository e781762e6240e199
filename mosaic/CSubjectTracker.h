#pragma once

#include "mosaic/CAppearanceModel.h"
#include "mosaic/CTrackEngine.h"
#include "mosaic/CTrackResult.h"
#include "mosaic/ITrackFrames.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

// Follows a subject frame by frame from a start frame and rectangle, forward or backward, and
// stops at the movie's end, when asked to, or where it loses the subject: the engine gives up,
// the rectangle jumps, grows or shrinks beyond what a subject does from one frame to the next,
// leaves the picture, or stops looking like what was followed.
class CSubjectTracker {
public:
    enum class Direction { Forward, Backward };
    // Called after each frame followed with its rectangle; false stops the run there. A frame
    // that looked lost is reported too and dropped when the next one confirms the loss.
    using Progress = std::function<bool(std::int64_t frame, const T_RECT& rect)>;

    // Without an engine, dlib's correlation filter.
    explicit CSubjectTracker(ITrackFrames& frames, std::unique_ptr<CTrackEngine> engine = {});

    CTrackResult Run(std::int64_t start, const T_RECT& rect, Direction direction,
                     const Progress& progress = {});

private:
    enum class Verdict { Sure, Unsure, Lost };

    struct Pass;

    bool Begin(Pass& run, std::int64_t start, const T_RECT& rect);
    // Follows the subject into the next picture; false once the loss is confirmed.
    bool Follow(Pass& run, const CGreyPicture& picture);
    Verdict Judge(const CGreyPicture& picture, const CTrackEngine::Step& step,
                  const T_RECT& previous, CAppearanceModel::Grid& sample) const;
    static bool Implausible(const T_RECT& rect, const T_RECT& previous, int width, int height);
    static CTrackResult Finish(Pass& run, CTrackResult::Stop stop, std::int64_t stopFrame);

    ITrackFrames& m_frames;
    std::unique_ptr<CTrackEngine> m_engine;
    CAppearanceModel m_model;
};
