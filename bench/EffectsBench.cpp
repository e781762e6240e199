#include "mosaic/CMosaicPainter.h"
#include "platform/CFrameBuffer.h"
#include "tests/oracle/CReferenceEffects.h"

#include <benchmark/benchmark.h>

#include <random>
#include <string>

namespace {

constexpr int kWidth = 1920;
constexpr int kHeight = 1080;

CFrameBuffer NoisePicture() {
    CFrameBuffer picture(kWidth, kHeight, true);
    std::mt19937 generator(1);
    for (int row = 0; row < kHeight; ++row) {
        std::uint8_t* bytes = picture.MemoryRow(row);
        for (std::size_t i = 0; i < picture.PackedRowBytes(); ++i) {
            bytes[i] = static_cast<std::uint8_t>(generator());
        }
    }
    return picture;
}

// One full-frame area, painted again and again on the same picture.
template <typename Painter> void PaintFullFrame(benchmark::State& state, int sizeId, int size) {
    CFrameBuffer picture = NoisePicture();
    Painter painter;
    const T_RECT area{0, 0, kWidth, kHeight};
    for (auto _ : state) {
        painter.PaintArea(picture, area, size, sizeId);
        benchmark::DoNotOptimize(picture.Data());
    }
}

struct EffectCase {
    const char* name;
    int sizeId;
    int size;
};

const bool registered = [] {
    const EffectCase cases[] = {{"pixelate", 0, 30},
                                {"frosted", 4, 10},
                                {"invert", 5, 10},
                                {"fill", 6, 10},
                                {"blur", 7, 50}};
    for (const EffectCase& c : cases) {
        const std::string name = std::string("Effects/") + c.name + "/1080p";
        benchmark::RegisterBenchmark(name.c_str(), PaintFullFrame<CMosaicPainter>, c.sizeId, c.size)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/reference").c_str(),
                                     PaintFullFrame<CReferenceEffects>, c.sizeId, c.size)
            ->Unit(benchmark::kMillisecond);
    }
    return true;
}();

} // namespace
