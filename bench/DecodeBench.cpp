#include "CBenchClip.h"
#include "media/RX40sCFFmpeg.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::int64_t kFrames = CBenchClip::Frames;

// Decodes every frame of the clip per iteration, in the order that order(i) gives.
template <typename Order> void DecodeAll(benchmark::State& state, Order order) {
    RX40sCFFmpeg decoder;
    if (decoder.Open(CBenchClip::Path1080p()) == 0 || decoder.m_nLastFrame + 1 != kFrames) {
        state.SkipWithError("cannot open the generated clip");
        return;
    }
    std::int64_t frames = 0;
    for (auto _ : state) {
        for (std::int64_t i = 0; i < kFrames; ++i) {
            if (decoder.DecodeFrame(order(i)) == 0) {
                state.SkipWithError("decode failed");
                return;
            }
            benchmark::DoNotOptimize(decoder.m_bmpFrame.Data());
        }
        frames += kFrames;
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

void DecodeSequential(benchmark::State& state) {
    DecodeAll(state, [](std::int64_t i) { return i; });
}

// Last frame first: no frame follows its predecessor, so every frame seeks.
void DecodeSeekEach(benchmark::State& state) {
    DecodeAll(state, [](std::int64_t i) { return kFrames - 1 - i; });
}

} // namespace

BENCHMARK(DecodeSequential)->Name("Decode/Sequential/1080p/WorkingAvi")->Unit(benchmark::kMillisecond);
BENCHMARK(DecodeSeekEach)->Name("Decode/SeekEach/1080p/WorkingAvi")->Unit(benchmark::kMillisecond);
