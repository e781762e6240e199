#include "CBenchClip.h"

#include "mosaic/CFixedAreaFile.h"
#include "mosaic/CMosaicParam.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

constexpr std::int32_t kPixelate = 2;

CMosaicParam Areas(std::int64_t count) {
    CMosaicParam model(kPixelate);
    for (std::int32_t i = 0; i < count; ++i) {
        model.AddFixedArea(T_RECT{i % 1900, i % 1060, i % 1900 + 20, i % 1060 + 20});
    }
    return model;
}

void CountAreas(benchmark::State& state) {
    state.SetComplexityN(state.range(0));
    state.counters["areas"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                 benchmark::Counter::kIsIterationInvariantRate);
}

// The ".eft" file of N fixed areas written whole and put in place; the time per area stays
// the same as N grows.
void EftSave(benchmark::State& state) {
    const std::string path = CBenchClip::RunPath("save.eft");
    const CMosaicParam model = Areas(state.range(0));
    for (auto _ : state) {
        if (path.empty() || !CFixedAreaFile::Save(path, model)) {
            state.SkipWithError("cannot write the progress file");
            return;
        }
    }
    CountAreas(state);
}

// The same file read back into the model.
void EftLoad(benchmark::State& state) {
    const std::string path = CBenchClip::RunPath("load.eft");
    if (path.empty() || !CFixedAreaFile::Save(path, Areas(state.range(0)))) {
        state.SkipWithError("cannot write the progress file");
        return;
    }
    CMosaicParam model(kPixelate);
    for (auto _ : state) {
        CFixedAreaFile::Load(path, model);
        benchmark::DoNotOptimize(model.FixedAreas().data());
    }
    if (static_cast<std::int64_t>(model.FixedAreas().size()) != state.range(0)) {
        state.SkipWithError("the areas did not load back");
    }
    CountAreas(state);
}

// From a thousand to ten thousand areas: the per-area time stays flat and the fit is O(N).
void Sizes(benchmark::internal::Benchmark* benchmark) {
    benchmark->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity(benchmark::oN);
}

} // namespace

BENCHMARK(EftSave)->Name("ProgressFiles/EftSave")->Apply(Sizes);
BENCHMARK(EftLoad)->Name("ProgressFiles/EftLoad")->Apply(Sizes);
