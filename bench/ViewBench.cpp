#include "CBenchApplication.h"
#include "CBenchClip.h"
#include "media/CAviVideoStream.h"
#include "view/CViewCanvas.h"

#include <benchmark/benchmark.h>

#include <memory>

namespace {

// A movie in fixed mosaic mode with one fixed area and one track over every frame, shown in a
// 1280 x 720 view. step: frames to move between repaints (0 repaints the same frame).
void ShowFrames(benchmark::State& state, std::int64_t step) {
    CBenchApplication::Ensure();
    const std::int32_t sizeId = 2;
    CAviVideoStream stream(CBenchClip::Path1080p(), sizeId);
    if (stream.OpenVideo() == 0 || stream.m_nLastFrame + 1 != CBenchClip::Frames) {
        state.SkipWithError("cannot open the generated clip");
        return;
    }
    stream.m_mosaic.AddFixedArea(T_RECT{200, 150, 700, 550});
    for (std::int32_t frame = 0; frame < CBenchClip::Frames; ++frame) {
        stream.m_mosaic.SetTrackRect(0, T_RECT{900 + frame, 400, 1300 + frame, 800}, frame);
    }
    CViewCanvas canvas;
    canvas.Resize(1280, 720);
    CViewCanvas::Scene scene;
    scene.stream = &stream;
    scene.editMode = 0;
    std::int64_t shown = 0;
    for (auto _ : state) {
        stream.m_nCurrentFrame = (stream.m_nCurrentFrame + step) % CBenchClip::Frames;
        const T_RECT picture = canvas.Draw(scene);
        benchmark::DoNotOptimize(picture);
        ++shown;
    }
    state.counters["steps"] =
        benchmark::Counter(static_cast<double>(shown), benchmark::Counter::kIsRate);
}

void ViewStep(benchmark::State& state) {
    ShowFrames(state, 1);
}

void ViewRepaint(benchmark::State& state) {
    ShowFrames(state, 0);
}

} // namespace

BENCHMARK(ViewStep)->Name("View/Step/1080p")->Unit(benchmark::kMillisecond);
BENCHMARK(ViewRepaint)->Name("View/Repaint/1080p")->Unit(benchmark::kMillisecond);
