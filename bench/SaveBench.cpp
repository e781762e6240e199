#include "CBenchClip.h"
#include "CSilentProgress.h"

#include "export/CSavePipeline.h"
#include "media/CAviVideoStream.h"
#include "media/CFFMpegUtil.h"
#include "media/CFormatIniFile.h"
#include "media/CSourceReader.h"
#include "platform/CTextFile.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <memory>
#include <string>

namespace {

constexpr std::int32_t kPixelateMedium = 2;
constexpr int kBlock = 16;

int Even(int value) {
    return value - value % 2;
}

// A rectangle in the middle of the picture, even on every side so that the colour planes hold
// it whole: 640, 360 to 1024, 720 at 1080p.
T_RECT AreaOf(int width, int height) {
    return T_RECT{Even(width / 3), Even(height / 3), Even(width / 3 + width / 5),
                  Even(height * 2 / 3)};
}

// The camera-like clip, or the movie QUORVEL_BENCH_SAVE_SOURCE names.
std::string Source() {
    const char* given = std::getenv("QUORVEL_BENCH_SAVE_SOURCE");
    return given != nullptr && *given != '\0' ? std::string(given) : CBenchClip::CameraPath1080p();
}

std::string Quoted(const std::string& path) {
    return "'" + path + "'";
}

double SecondsOf(const std::function<bool()>& work, bool& done) {
    const auto start = std::chrono::steady_clock::now();
    done = work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

// Open in place, one pixelated rectangle, saved with the target's default profile.
bool SaveAsTheProgram(const std::string& source, const std::string& target) {
    CSilentProgress progress;
    CFFMpegUtil converter(QUORVEL_BIN_DIR, "", progress, [](int) { return std::string(); });
    auto reader = std::make_unique<CSourceReader>();
    if (!reader->Open(source, CPictureShape())) {
        return false;
    }
    std::int32_t sizeId = kPixelateMedium;
    CAviVideoStream stream(CBenchClip::RunPath("save.$tmp$.avi"), sizeId);
    stream.ReadInPlace(std::move(reader));
    if (stream.OpenVideo() == 0) {
        return false;
    }
    stream.m_mosaic.SetType(kPixelateMedium, sizeId, true);
    stream.m_mosaic.AddFixedArea(AreaOf(stream.m_nWidth, stream.m_nHeight));
    CSavePipeline pipeline(stream, converter, progress);
    const int profile = CFormatIniFile(QUORVEL_BIN_DIR, false).ProfileFor(target);
    return pipeline.Save(source, target, profile).status == CSavePipeline::Status::Saved;
}

// What a user could type instead: the same rectangle pixelated, the default profile's x264
// settings, the sound copied as the program copies it.
bool SaveWithTheTool(const std::string& source, const std::string& target, const T_RECT& area) {
    const std::string w = std::to_string(area.right - area.left);
    const std::string h = std::to_string(area.bottom - area.top);
    const std::string at = std::to_string(area.left) + ":" + std::to_string(area.top);
    const std::string graph = "[0:v]split[a][b];[b]crop=" + w + ":" + h + ":" + at + ",scale=" +
                              w + "/" + std::to_string(kBlock) + ":" + h + "/" +
                              std::to_string(kBlock) + ",scale=" + w + ":" + h +
                              ":flags=neighbor[m];[a][m]overlay=" + at;
    const std::string command = "ffmpeg -nostdin -v error -y -i " + Quoted(source) +
                                " -filter_complex \"" + graph +
                                "\" -c:v libx264 -crf 18 -preset medium -pix_fmt yuv420p "
                                "-c:a copy -movflags +faststart " +
                                Quoted(target);
    return std::system(command.c_str()) == 0;
}

// PSNR of made against source outside the rectangle: both get the rectangle filled alike, and
// the whole picture's figure is turned into that of the pixels outside it.
double PsnrOutside(const std::string& made, const std::string& source, int width, int height) {
    const T_RECT area = AreaOf(width, height);
    const std::string box = "drawbox=x=" + std::to_string(area.left) +
                            ":y=" + std::to_string(area.top) +
                            ":w=" + std::to_string(area.right - area.left) +
                            ":h=" + std::to_string(area.bottom - area.top) +
                            ":color=black:t=fill";
    const std::string log = CBenchClip::RunPath("psnr.log");
    const std::string command = "ffmpeg -nostdin -hide_banner -i " + Quoted(made) + " -i " +
                                Quoted(source) + " -filter_complex \"[0:v]" + box + "[a];[1:v]" +
                                box + "[b];[a][b]psnr\" -f null - 2> " + Quoted(log);
    if (std::system(command.c_str()) != 0) {
        return 0.0;
    }
    const std::string text = CTextFile::Read(log).value_or("");
    const std::size_t at = text.rfind("average:");
    if (at == std::string::npos) {
        return 0.0;
    }
    const double whole = std::atof(text.c_str() + at + 8);
    const double all = static_cast<double>(width) * height;
    const double inside = static_cast<double>(area.right - area.left) * (area.bottom - area.top);
    return whole - 10.0 * std::log10(all / (all - inside));
}

void SaveMovie(benchmark::State& state) {
    const std::string source = Source();
    CSourceReader probe;
    if (source.empty() || !probe.Open(source, CPictureShape())) {
        state.SkipWithError("cannot open the source");
        return;
    }
    const std::string ours = CBenchClip::RunPath("saved.mp4");
    const std::string theirs = CBenchClip::RunPath("tool.mp4");
    for (auto _ : state) {
        // Each twice, in the order ours, tool, tool, ours: a load on the machine that rises or
        // falls during the run weighs on both alike.
        double oursSeconds = 0.0;
        double toolSeconds = 0.0;
        for (const bool byUs : {true, false, false, true}) {
            bool done = false;
            const T_RECT area = AreaOf(probe.Width(), probe.Height());
            (byUs ? oursSeconds : toolSeconds) += SecondsOf(
                [&] {
                    return byUs ? SaveAsTheProgram(source, ours)
                                : SaveWithTheTool(source, theirs, area);
                },
                done);
            if (!done) {
                state.SkipWithError(byUs ? "the save failed" : "the tool failed");
                return;
            }
        }
        oursSeconds /= 2;
        toolSeconds /= 2;
        state.SetIterationTime(oursSeconds);
        const double oursPsnr = PsnrOutside(ours, source, probe.Width(), probe.Height());
        const double toolPsnr = PsnrOutside(theirs, source, probe.Width(), probe.Height());
        state.counters["ours_s"] = oursSeconds;
        state.counters["ffmpeg_s"] = toolSeconds;
        state.counters["time_ratio"] = oursSeconds / toolSeconds;
        state.counters["psnr_ours"] = oursPsnr;
        state.counters["psnr_ffmpeg"] = toolPsnr;
        state.counters["psnr_gap"] = toolPsnr - oursPsnr;
    }
}

} // namespace

// One save and one command take long enough at 1080p; the counters are the figures.
BENCHMARK(SaveMovie)
    ->Name("Save/1080p")
    ->Unit(benchmark::kSecond)
    ->UseManualTime()
    ->Iterations(1);
