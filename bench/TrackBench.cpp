#include "CBenchClip.h"
#include "media/CTrackFrames.h"
#include "media/RX40sCFFmpeg.h"
#include "mosaic/CSubjectTracker.h"

#ifdef QUORVEL_BENCH_OPENCV
#include "CCvTrackEngine.h"
#endif

#include <benchmark/benchmark.h>

#include <functional>
#include <memory>

namespace {

using EngineMaker = std::function<std::unique_ptr<CTrackEngine>()>;

// Decodes and follows the subject through the whole clip per iteration; followed counts the
// frames the last run kept, so a tracker that loses the subject shows it. Rates are per wall-clock
// second: what a user waits for.
void Track(benchmark::State& state, const EngineMaker& makeEngine) {
    RX40sCFFmpeg decoder;
    if (decoder.Open(CBenchClip::TrackPath1080p()) == 0) {
        state.SkipWithError("cannot open the generated clip");
        return;
    }
    CTrackFrames frames(decoder);
    CSubjectTracker tracker(frames, makeEngine());
    const T_RECT start{CBenchClip::TrackStartLeft, CBenchClip::TrackStartTop,
                       CBenchClip::TrackStartLeft + CBenchClip::TrackSubjectSize,
                       CBenchClip::TrackStartTop + CBenchClip::TrackSubjectSize};
    std::int64_t followed = 0;
    std::int64_t total = 0;
    for (auto _ : state) {
        const CTrackResult result = tracker.Run(0, start, CSubjectTracker::Direction::Forward);
        followed = static_cast<std::int64_t>(result.track.Rects().size());
        total += followed;
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(total), benchmark::Counter::kIsRate);
    state.counters["followed"] = static_cast<double>(followed);
}

void TrackCorrelation(benchmark::State& state) {
    Track(state, [] { return std::unique_ptr<CTrackEngine>(); });
}

} // namespace

BENCHMARK(TrackCorrelation)->Name("Track/1080p/dlib")->Unit(benchmark::kMillisecond)->UseRealTime();

#ifdef QUORVEL_BENCH_OPENCV
namespace {

void TrackKcf(benchmark::State& state) {
    Track(state, [] { return std::make_unique<CCvTrackEngine>(CCvTrackEngine::Kind::Kcf); });
}

void TrackCsrt(benchmark::State& state) {
    Track(state, [] { return std::make_unique<CCvTrackEngine>(CCvTrackEngine::Kind::Csrt); });
}

} // namespace

BENCHMARK(TrackKcf)->Name("Track/1080p/KCF")->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(TrackCsrt)->Name("Track/1080p/CSRT")->Unit(benchmark::kMillisecond)->UseRealTime();
#endif
