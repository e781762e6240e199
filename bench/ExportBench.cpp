#include "CBenchClip.h"
#include "CSilentProgress.h"

#include "export/CMovieExport.h"
#include "media/CAviVideoStream.h"

#include <benchmark/benchmark.h>

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>

namespace {

constexpr const char* kOutput = "/tmp/quorvel-export-bench-out.avi";
constexpr std::int32_t kPixelateMedium = 2;
constexpr std::int32_t kBlurMedium = 8;

void Count(benchmark::State& state, std::int64_t frames) {
    state.counters["fps"] =
        benchmark::Counter(static_cast<double>(frames), benchmark::Counter::kIsRate);
}

// Opens a generated clip of frames frames; false, with the benchmark skipped, when it cannot.
bool OpenClip(benchmark::State& state, CAviVideoStream& stream, std::int64_t frames) {
    if (stream.OpenVideo() == 0 || stream.m_nLastFrame + 1 != frames) {
        state.SkipWithError("cannot open the generated clip");
        return false;
    }
    return true;
}

// Exports the stream with its mosaic once per iteration.
void ExportEach(benchmark::State& state, CAviVideoStream& stream, bool pipelined) {
    // The encoder warns about every clipped coefficient at this bit rate.
    av_log_set_level(AV_LOG_ERROR);
    CSilentProgress progress;
    std::int64_t exported = 0;
    for (auto _ : state) {
        CMovieExport exporter(stream, progress);
        exporter.SetPipelined(pipelined);
        if (exporter.ExportMovie(kOutput) != CMovieExport::Result::Done) {
            state.SkipWithError("export failed");
            return;
        }
        exported += stream.m_nLastFrame + 1;
    }
    Count(state, exported);
}

// The whole export of a clip with one fixed blur area and one track across the picture; with
// the encoder on a thread of its own or on the caller's, to tell what the second core gives.
void ExportClip(benchmark::State& state, const std::string& (*clip)(), std::int64_t frames,
                bool pipelined) {
    std::int32_t sizeId = kBlurMedium;
    CAviVideoStream stream(clip(), sizeId);
    if (!OpenClip(state, stream, frames)) {
        return;
    }
    stream.m_mosaic.SetType(kBlurMedium, sizeId, true);
    stream.m_mosaic.AddFixedArea(T_RECT{160, 120, 480, 300});
    for (std::int32_t frame = 0; frame <= stream.m_nLastFrame; ++frame) {
        const std::int32_t x = 400 + frame % CBenchClip::ExportFrames * 4;
        stream.m_mosaic.SetTrackRect(0, T_RECT{x, 600, x + 240, 840}, frame);
    }
    ExportEach(state, stream, pipelined);
}

void ExportMovie(benchmark::State& state, bool pipelined) {
    ExportClip(state, &CBenchClip::ExportPath1080p, CBenchClip::ExportFrames, pipelined);
}

// A capture with every other frame dropped against the same frames all kept: an empty slot
// shows the picture after it, which costs no decoding of its own.
void ExportGaps(benchmark::State& state, const std::string& (*clip)()) {
    ExportClip(state, clip, CBenchClip::GapSlots, true);
}

// A long movie with one fixed area, or with that area's place covered by tracks that run the
// whole movie and move with it: what tracks cost beyond their pixels must not grow with the
// movie's length.
void ExportLongMovie(benchmark::State& state, int tracks) {
    std::int32_t sizeId = kPixelateMedium;
    CAviVideoStream stream(CBenchClip::LongPath(), sizeId);
    if (!OpenClip(state, stream, CBenchClip::LongFrames)) {
        return;
    }
    const T_RECT area{40, 30, 120, 90};
    if (tracks == 0) {
        stream.m_mosaic.AddFixedArea(area);
    }
    const std::int32_t width = (area.right - area.left) * 2 / std::max(tracks, 1);
    for (int track = 0; track < tracks; ++track) {
        const std::int32_t left = area.left + track / 2 * width;
        const std::int32_t top = track % 2 == 0 ? area.top : (area.top + area.bottom) / 2;
        for (std::int32_t frame = 0; frame <= stream.m_nLastFrame; ++frame) {
            const std::int32_t step = frame / 10 % 4;
            stream.m_mosaic.SetTrackRect(
                track, T_RECT{left + step, top, left + step + width, top + 30}, frame);
        }
    }
    ExportEach(state, stream, true);
}

// The plain re-encode by the FFmpeg tool at the same codec and bit rate, no mosaic.
void ExportMovieByTool(benchmark::State& state) {
    std::int32_t sizeId = kBlurMedium;
    CAviVideoStream stream(CBenchClip::ExportPath1080p(), sizeId);
    if (!OpenClip(state, stream, CBenchClip::ExportFrames)) {
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
// Timed by the processor time of both threads, which a busy machine disturbs far less than
// the time on the clock.
BENCHMARK_CAPTURE(ExportLongMovie, fixedArea, 0)
    ->Name("Export/Tracks/fixed-area")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);
BENCHMARK_CAPTURE(ExportLongMovie, tenTracks, 10)
    ->Name("Export/Tracks")
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime()
    ->Iterations(3);
