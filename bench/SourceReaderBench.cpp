#include "CBenchClip.h"
#include "media/CAviVideoStream.h"
#include "media/CFFMpegUtil.h"
#include "media/COpenPipeline.h"
#include "media/CSourceReader.h"
#include "platform/CConsoleProgress.h"
#include "platform/CProgramFolders.h"
#include "resources/CStringTable.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <set>

namespace {

std::string LoadText(int id) {
    return CStringTable::Load(id);
}

std::set<std::string> NamesIn(const std::filesystem::path& folder) {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

// The bytes the program's open of source writes beside it, counted while the movie is open with
// its progress saved: a fixed area, and a track on every frame. -1 when the open failed.
double BytesWrittenBeside(const std::string& source) {
    const std::filesystem::path folder = std::filesystem::path(source).parent_path();
    const std::set<std::string> before = NamesIn(folder);
    CConsoleProgress progress(stderr);
    CFFMpegUtil converter(CProgramFolders::GetModuleFolder(), "", progress, &LoadText);
    // Square pixels at an even size: nothing to reshape, as the media probe would say.
    COpenPipeline pipeline(converter, CProgramFolders::GetModuleFolder(), "", "", &LoadText,
                           [](const std::string&) { return std::string(); });
    pipeline.ReadInPlace();
    if (!pipeline.Open(source)) {
        return -1.0;
    }
    const std::int32_t sizeId = 2;
    CAviVideoStream stream(pipeline.WorkPath(), sizeId, pipeline.TakeWorkFiles());
    stream.ReadInPlace(pipeline.TakeReader());
    if (stream.OpenVideo() == 0 || stream.GetFrame(0, false) == 0) {
        return -1.0;
    }
    stream.m_mosaic.AddFixedArea(T_RECT{100, 100, 300, 200});
    for (std::int64_t frame = 0; frame <= stream.m_nLastFrame; ++frame) {
        const std::int32_t x = static_cast<std::int32_t>(frame % 1600);
        stream.m_mosaic.SetTrackRect(0, T_RECT{x, 400, x + 200, 600},
                                     static_cast<std::int32_t>(frame));
    }
    if (!stream.SaveProgress()) {
        return -1.0;
    }
    double bytes = 0.0;
    for (const std::string& name : NamesIn(folder)) {
        if (before.count(name) == 0) {
            bytes += static_cast<double>(std::filesystem::file_size(folder / name));
        }
    }
    stream.RemoveProgress();
    return bytes;
}

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

// Time to the first frame of a ten-minute source: the index of its packets and one decode. The
// counter besideBytes tells what the program's open of it writes beside it.
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
    const double beside = BytesWrittenBeside(path);
    if (beside < 0.0) {
        state.SkipWithError("the program could not open the ten-minute source");
        return;
    }
    state.counters["besideBytes"] = beside;
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
