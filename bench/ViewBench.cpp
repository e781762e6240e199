#include "CBenchApplication.h"
#include "CBenchClip.h"
#include "media/CAviVideoStream.h"
#include "media/CWorkPaths.h"
#include "view/CViewCanvas.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <random>
#include <vector>

namespace {

constexpr std::int32_t kSizeId = 2;

// The converter-style working AVI, opened as a working video.
std::unique_ptr<CAviVideoStream> WorkingAvi() {
    auto stream = std::make_unique<CAviVideoStream>(CBenchClip::Path1080p(), kSizeId);
    return stream->OpenVideo() != 0 && stream->m_nLastFrame + 1 == CBenchClip::Frames
               ? std::move(stream)
               : nullptr;
}

// The camera-like source, read in place as the program opens it.
std::unique_ptr<CAviVideoStream> InPlace() {
    const std::string& source = CBenchClip::SourcePath1080p();
    auto stream = std::make_unique<CAviVideoStream>(CWorkPaths::WorkVideo(source), kSizeId);
    auto reader = std::make_unique<CSourceReader>();
    if (!reader->Open(source, CPictureShape())) {
        return nullptr;
    }
    stream->ReadInPlace(std::move(reader));
    return stream->OpenVideo() != 0 && stream->m_nLastFrame + 1 == CBenchClip::SourceFrames
               ? std::move(stream)
               : nullptr;
}

// A movie in fixed mosaic mode with one fixed area and one track over every frame, shown in a
// 1280 x 720 view.
class CShownMovie {
public:
    explicit CShownMovie(std::unique_ptr<CAviVideoStream> stream) : m_stream(std::move(stream)) {
        CBenchApplication::Ensure();
        if (!m_stream) {
            return;
        }
        m_stream->m_mosaic.AddFixedArea(T_RECT{200, 150, 700, 550});
        for (std::int32_t frame = 0; frame <= m_stream->m_nLastFrame; ++frame) {
            m_stream->m_mosaic.SetTrackRect(0, T_RECT{900 + frame % 500, 400, 1300 + frame % 500, 800},
                                            frame);
        }
        m_canvas.Resize(1280, 720);
        m_scene.stream = m_stream.get();
        m_scene.editMode = 0;
    }

    bool Opened() const { return m_stream != nullptr; }
    std::int64_t Frames() const { return m_stream->m_nLastFrame + 1; }
    void Show(std::int64_t frame) {
        m_stream->m_nCurrentFrame = frame;
        const T_RECT picture = m_canvas.Draw(m_scene);
        benchmark::DoNotOptimize(picture);
    }

private:
    std::unique_ptr<CAviVideoStream> m_stream;
    CViewCanvas m_canvas;
    CViewCanvas::Scene m_scene;
};

// step: frames to move between repaints (0 repaints the same frame, -1 is Back).
void ShowFrames(benchmark::State& state, std::unique_ptr<CAviVideoStream> stream, std::int64_t step) {
    CShownMovie movie(std::move(stream));
    if (!movie.Opened()) {
        state.SkipWithError("cannot open the generated clip");
        return;
    }
    const std::int64_t frames = movie.Frames();
    std::int64_t frame = step < 0 ? frames - 1 : 0;
    std::int64_t shown = 0;
    for (auto _ : state) {
        movie.Show(frame);
        frame = (frame + step + frames) % frames;
        ++shown;
    }
    state.counters["steps"] =
        benchmark::Counter(static_cast<double>(shown), benchmark::Counter::kIsRate);
}

void ViewStepWorkingAvi(benchmark::State& state) {
    ShowFrames(state, WorkingAvi(), 1);
}

void ViewRepaint(benchmark::State& state) {
    ShowFrames(state, WorkingAvi(), 0);
}

void ViewStep(benchmark::State& state) {
    ShowFrames(state, InPlace(), 1);
}

void ViewBack(benchmark::State& state) {
    ShowFrames(state, InPlace(), -1);
}

// Slider jumps to frames drawn at random; the median of their times is the figure.
void ViewJump(benchmark::State& state) {
    CShownMovie movie(InPlace());
    if (!movie.Opened()) {
        state.SkipWithError("cannot open the generated source");
        return;
    }
    std::mt19937 random(18);
    std::uniform_int_distribution<std::int64_t> frames(0, movie.Frames() - 1);
    std::vector<double> seconds;
    for (auto _ : state) {
        const std::int64_t frame = frames(random);
        const auto start = std::chrono::steady_clock::now();
        movie.Show(frame);
        seconds.push_back(
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count());
    }
    std::nth_element(seconds.begin(), seconds.begin() + seconds.size() / 2, seconds.end());
    state.counters["median_s"] = seconds.empty() ? 0.0 : seconds[seconds.size() / 2];
}

} // namespace

BENCHMARK(ViewStepWorkingAvi)->Name("View/Step/1080p/WorkingAvi")->Unit(benchmark::kMillisecond);
BENCHMARK(ViewRepaint)->Name("View/Repaint/1080p")->Unit(benchmark::kMillisecond);
// The decoder works on threads of its own: rates are per second of wall time.
BENCHMARK(ViewStep)->Name("View/Step/1080p")->Unit(benchmark::kMillisecond)->UseRealTime();
// One key frame distance backwards from the end, which starts with no picture kept.
BENCHMARK(ViewBack)
    ->Name("View/Back/1080p")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(250)
    ->UseRealTime();
BENCHMARK(ViewJump)
    ->Name("View/Jump/1080p")
    ->Unit(benchmark::kMillisecond)
    ->Iterations(40)
    ->UseRealTime();
