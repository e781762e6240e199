#include "CBenchClip.h"

#include "export/CMovieExport.h"
#include "media/CAviVideoStream.h"
#include "platform/IProgress.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavutil/log.h>
}

#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kOutput = "/tmp/quorvel-export-bench-out.avi";
constexpr std::int32_t kBlurMedium = 8;

class SilentProgress : public IProgress {
public:
    bool Create() override { return true; }
    void SetMarquee() override {}
    void SetRange(int, int) override {}
    void SetCaption(const std::string&) override {}
    void UpdatePercent(int) override {}
    void Pump() override {}
    void Destroy() override {}
};

void Count(benchmark::State& state, std::int64_t frames) {
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

// The whole export of a clip with one fixed blur area and one track across the picture; with
// the encoder on a thread of its own or on the caller's, to tell what the second core gives.
void ExportClip(benchmark::State& state, const std::string& (*clip)(), std::int64_t frames,
                bool pipelined) {
    // The encoder warns about every clipped coefficient at this bit rate.
    av_log_set_level(AV_LOG_ERROR);
    std::int32_t sizeId = kBlurMedium;
    CAviVideoStream stream(clip(), sizeId);
    if (stream.OpenVideo() == 0 || stream.m_nLastFrame + 1 != frames) {
        state.SkipWithError("cannot open the generated clip");
        return;
    }
    stream.m_mosaic.SetType(kBlurMedium, sizeId, true);
    stream.m_mosaic.AddFixedArea(T_RECT{160, 120, 480, 300});
    for (std::int32_t frame = 0; frame <= stream.m_nLastFrame; ++frame) {
        const std::int32_t x = 400 + frame % CBenchClip::ExportFrames * 4;
        stream.m_mosaic.SetTrackRect(0, T_RECT{x, 600, x + 240, 840}, frame);
    }
    SilentProgress progress;
    std::int64_t exported = 0;
    for (auto _ : state) {
        CMovieExport exporter(stream, progress);
        exporter.SetPipelined(pipelined);
        if (exporter.ExportMovie(kOutput) != CMovieExport::Result::Done) {
            state.SkipWithError("export failed");
            return;
        }
        exported += frames;
    }
    Count(state, exported);
}

void ExportMovie(benchmark::State& state, bool pipelined) {
    ExportClip(state, &CBenchClip::ExportPath1080p, CBenchClip::ExportFrames, pipelined);
}

// A capture with every other frame dropped against the same frames all kept: an empty slot
// shows the picture after it, which costs no decoding of its own.
void ExportGaps(benchmark::State& state, const std::string& (*clip)()) {
    ExportClip(state, clip, CBenchClip::GapSlots, true);
}

// The plain re-encode by the FFmpeg tool at the same codec and bit rate, no mosaic.
void ExportMovieByTool(benchmark::State& state) {
    std::int32_t sizeId = kBlurMedium;
    CAviVideoStream stream(CBenchClip::ExportPath1080p(), sizeId);
    if (stream.OpenVideo() == 0) {
        state.SkipWithError("cannot open the generated clip");
        return;
    }
    const std::string command = "ffmpeg -nostdin -v error -y -i '" + stream.m_strWorkPath +
                                "' -an -c:v msmpeg4v2 -b:v " +
                                std::to_string(stream.m_pFormatContext->bit_rate) + " " + kOutput;
    std::int64_t frames = 0;
    for (auto _ : state) {
        if (std::system(command.c_str()) != 0) {
            state.SkipWithError("the tool failed");
            return;
        }
        frames += CBenchClip::ExportFrames;
    }
    Count(state, frames);
}

} // namespace

BENCHMARK_CAPTURE(ExportMovie, pipelined, true)
    ->Name("Export/1080p")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ExportMovie, oneThread, false)
    ->Name("Export/1080p/one-thread")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ExportGaps, gaps, &CBenchClip::GapsPath1080p)
    ->Name("Export/Gaps/1080p")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ExportGaps, filled, &CBenchClip::FilledPath1080p)
    ->Name("Export/Gaps/1080p/no-gaps")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
BENCHMARK(ExportMovieByTool)
    ->Name("Export/1080p/ffmpeg-cli")
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(3);
