#include "CBenchClip.h"
#include "media/CSourceReader.h"

#include <benchmark/benchmark.h>

namespace {

// Reads every frame of the camera-like source in order, per iteration.
void DecodeSequential(benchmark::State& state) {
    CSourceReader reader;
    if (!reader.Open(CBenchClip::SourcePath1080p(), CPictureShape()) ||
        reader.Frames() != CBenchClip::SourceFrames) {
        state.SkipWithError("cannot open the generated source");
        return;
    }
    CFrameBuffer picture;
    std::int64_t frames = 0;
    for (auto _ : state) {
        for (std::int64_t frame = 0; frame < CBenchClip::SourceFrames; ++frame) {
            if (!reader.Read(frame, picture)) {
                state.SkipWithError("read failed");
                return;
            }
            benchmark::DoNotOptimize(picture.Data());
        }
        frames += CBenchClip::SourceFrames;
    }
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

// Time to the first frame of a ten-minute source: the index of its packets and one decode.
void OpenLong(benchmark::State& state) {
    const std::string& path = CBenchClip::LongSourcePath1080p();
    const std::int64_t frames = CBenchClip::SourceFrames * CBenchClip::LongSourceCopies;
    CFrameBuffer picture;
    for (auto _ : state) {
        CSourceReader reader;
        if (!reader.Open(path, CPictureShape()) || reader.Frames() != frames ||
            !reader.Read(0, picture)) {
            state.SkipWithError("cannot open the generated ten-minute source");
            return;
        }
        benchmark::DoNotOptimize(picture.Data());
    }
}

} // namespace

BENCHMARK(DecodeSequential)
    ->Name("Decode/Sequential/1080p")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(OpenLong)
    ->Name("Open/1080p/10min")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3)
    ->UseRealTime();
