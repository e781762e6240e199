#include "CTestMedia.h"
#include "ConverterFixture.h"
#include "tests/support/CSavedMovie.h"

#include "export/CSavePipeline.h"
#include "media/CAviVideoStream.h"
#include "media/CFFMpegUtil.h"
#include "media/CFrameCount.h"
#include "media/COpenPipeline.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cmath>
#include <cstdint>
#include <memory>

namespace {

struct Rate {
    const char* id;
    // As the tool's options and its probe write it.
    const char* text;
    const char* probed;
    AVRational value;
};

const Rate kRates[] = {
    {"Film", "24000/1001", "24000/1001", {24000, 1001}},
    {"24", "24", "24/1", {24, 1}},
    {"25", "25", "25/1", {25, 1}},
    {"Ntsc", "30000/1001", "30000/1001", {30000, 1001}},
    {"30", "30", "30/1", {30, 1}},
    {"50", "50", "50/1", {50, 1}},
    {"Ntsc60", "60000/1001", "60000/1001", {60000, 1001}},
    {"60", "60", "60/1", {60, 1}},
    {"12_5", "12.5", "25/2", {25, 2}},
    {"179_6", "179/6", "179/6", {179, 6}},
};

// Around the lengths that a product of doubles once put one frame short.
const int kLengths[] = {1, 2, 29, 59, 60, 61, 100, 299, 300, 301, 400};

std::string Testsrc(const std::string& size, const std::string& rate) {
    return "-f lavfi -i testsrc2=size=" + size + ":rate=" + rate + " ";
}

std::string Frames(int frames) {
    return " -frames:v " + std::to_string(frames);
}

void PrintTo(const Rate& rate, std::ostream* out) {
    *out << rate.text;
}

} // namespace

// The lengths of every stream the converter and the export write, and the ones the demuxer
// derives from them, whatever it knows of the stream: each says N frames for N frames.
TEST(FrameCount, EveryLengthAtEveryRateOfTheConverterAndTheExport) {
    std::vector<AVRational> rates;
    for (const Rate& rate : kRates) {
        rates.push_back(rate.value);
    }
    // The converter's 29.97, and the time bases of movies saved as 1000 over the rate times
    // 1000 (30000/1001 became 100/2997).
    rates.push_back(AVRational{2997, 100});
    for (const Rate& rate : kRates) {
        const double thousands = std::trunc(av_q2d(rate.value) * 1000.0);
        rates.push_back(av_inv_q(av_make_q(1000, static_cast<int>(thousands))));
    }
    constexpr AVRational milliseconds{1, 1000};
    for (const AVRational rate : rates) {
        const AVRational period = av_inv_q(rate);
        for (std::int64_t frames = 1; frames <= 400; ++frames) {
            SCOPED_TRACE(std::to_string(rate.num) + "/" + std::to_string(rate.den) + ": " +
                         std::to_string(frames));
            const std::int64_t inFile =
                av_rescale_q_rnd(frames, period, AV_TIME_BASE_Q, AV_ROUND_NEAR_INF);
            const std::int64_t inMilliseconds =
                av_rescale_q_rnd(frames, period, milliseconds, AV_ROUND_NEAR_INF);
            const CFrameCount::Stream streams[] = {
                {period, frames, frames, inFile},
                {period, frames, 0, AV_NOPTS_VALUE},
                {period, AV_NOPTS_VALUE, frames, inFile},
                {period, AV_NOPTS_VALUE, 0, inFile},
                {milliseconds, inMilliseconds, frames, inFile},
                {milliseconds, inMilliseconds, 0, AV_NOPTS_VALUE},
            };
            for (const CFrameCount::Stream& stream : streams) {
                ASSERT_EQ(CFrameCount::Of(stream, rate), frames);
            }
        }
    }
}

TEST(FrameCount, TheStreamsClockWinsOverAPromiseAndTheCountOverACoarseClock) {
    // A capture cut short: its index holds 50 frames, its header promised 100.
    EXPECT_EQ(CFrameCount::Of({{1, 30}, 50, 100, AV_NOPTS_VALUE}, {30, 1}), 50);
    // 2000 ms at 29.97 lies between frames 59 and 60.
    EXPECT_EQ(CFrameCount::Of({{1, 1000}, 2000, 59, AV_NOPTS_VALUE}, {2997, 100}), 59);
    EXPECT_EQ(CFrameCount::Of({{1, 1000}, 2000, 0, AV_NOPTS_VALUE}, {2997, 100}), 60);
    // Nothing to count with, or nothing that fits a count.
    EXPECT_EQ(CFrameCount::Of({{1, 30}, 300, 300, AV_NOPTS_VALUE}, {0, 1}), 0);
    EXPECT_EQ(CFrameCount::Of({{0, 1}, 300, 0, AV_NOPTS_VALUE}, {30, 1}), 0);
    EXPECT_EQ(CFrameCount::Of({{1, 30}, -5, 0, AV_NOPTS_VALUE}, {30, 1}), 0);
    EXPECT_EQ(CFrameCount::Of({{1, 1}, INT64_MAX, 0, AV_NOPTS_VALUE}, {60, 1}), 0);
}

class FrameCountFileTest : public ::testing::TestWithParam<Rate> {
protected:
    CTestMedia m_media;
};

// AVIs as the converter and the export write them, opened directly.
TEST_P(FrameCountFileTest, TheDecoderCountsWhatTheToolDecodes) {
    for (const int frames : kLengths) {
        SCOPED_TRACE(frames);
        const std::string path =
            m_media.Generate("clip.avi", Testsrc("32x32", GetParam().text) +
                                             "-c:v msmpeg4v2 -q:v 8" + Frames(frames));
        ASSERT_FALSE(path.empty());
        ASSERT_EQ(CSavedMovie::DecodedFrames(path), frames);
        RX40sCFFmpeg decoder;
        ASSERT_EQ(decoder.Open(path), 1);
        EXPECT_EQ(decoder.m_nLastFrame + 1, frames);
    }
}

INSTANTIATE_TEST_SUITE_P(Rates, FrameCountFileTest, ::testing::ValuesIn(kRates),
                         [](const auto& info) { return std::string(info.param.id); });

namespace {

struct Source {
    const char* id;
    const char* name;
    const char* rate;
    int frames;
    // What the working video and every saved movie run at.
    const char* probedRate;
};

// AVIs are opened directly; an .m2ts goes through the converter, which sets 29.97.
const Source kSources[] = {
    {"Avi30000_1001", "clip.avi", "30000/1001", 61, "30000/1001"},
    {"Avi25", "clip.avi", "25", 29, "25/1"},
    {"Avi179_6", "clip.avi", "179/6", 61, "179/6"},
    {"M2ts59", "clip.m2ts", "30000/1001", 59, "2997/100"},
    {"M2ts60", "clip.m2ts", "30000/1001", 60, "2997/100"},
    {"M2ts61", "clip.m2ts", "30000/1001", 61, "2997/100"},
    {"M2ts299", "clip.m2ts", "30000/1001", 299, "2997/100"},
    {"M2ts301", "clip.m2ts", "30000/1001", 301, "2997/100"},
};

void PrintTo(const Source& source, std::ostream* out) {
    *out << source.name << " of " << source.frames << " frames at " << source.rate;
}

} // namespace

// Open as the program opens, save as an AVI with the mosaic and the sound, open the saved
// movie and save it again: every file has the frames of the first.
class FrameCountSaveTest : public ConverterFixture, public ::testing::WithParamInterface<Source> {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        CStringTable::SetLanguage(CStringTable::English);
        av_log_set_level(AV_LOG_ERROR);
        m_converter = std::make_unique<CFFMpegUtil>(QUORVEL_BIN_DIR, m_dir.string(), m_progress,
                                                    &ConverterFixture::EnglishText);
    }

    // Opens opened through the open pipeline, checks its length and saves it to target.
    void OpenAndSave(const std::string& opened, const std::string& target) {
        COpenPipeline pipeline(*m_converter, QUORVEL_BIN_DIR, "", "30000",
                               &ConverterFixture::EnglishText);
        ASSERT_TRUE(pipeline.Open(opened));
        CAviVideoStream stream(pipeline.WorkPath(), m_sizeId, pipeline.TakeWorkFiles());
        ASSERT_EQ(stream.OpenVideo(), 1);
        EXPECT_EQ(stream.m_nLastFrame + 1, GetParam().frames);
        CSavedMovie::Paint(stream.m_mosaic, m_sizeId, stream.m_nLastFrame);
        CSavePipeline save(stream, *m_converter, m_progress);
        const CSavePipeline::Result result = save.Save(opened, target, 0);
        ASSERT_EQ(result.status, CSavePipeline::Status::Saved) << result.message;
        EXPECT_EQ(CSavedMovie::DecodedFrames(target), GetParam().frames);
        EXPECT_EQ(CSavedMovie::FrameRate(target), GetParam().probedRate);
        EXPECT_TRUE(CSavedMovie::HasSound(target));
    }

    std::int32_t m_sizeId = CSavedMovie::kBlackFill;
    RecordingProgress m_progress;
    std::unique_ptr<CFFMpegUtil> m_converter;
};

TEST_P(FrameCountSaveTest, EverySavedMovieKeepsTheFramesOfTheOpenedOne) {
    const Source& source = GetParam();
    const std::string sound = "-f lavfi -i sine=duration=1 -c:a ";
    const bool m2ts = std::string(source.name).ends_with(".m2ts");
    Generate(Testsrc("160x120", source.rate) + sound +
                 (m2ts ? "aac -c:v libx264 -pix_fmt yuv420p" : "pcm_s16le -c:v msmpeg4v2 -q:v 4") +
                 Frames(source.frames),
             Path(source.name));
    ASSERT_EQ(CSavedMovie::DecodedFrames(Path(source.name)), source.frames);
    std::string opened = Path(source.name);
    for (const char* target : {"first.avi", "second.avi"}) {
        SCOPED_TRACE(target);
        ASSERT_NO_FATAL_FAILURE(OpenAndSave(opened, Path(target)));
        opened = Path(target);
    }
}

INSTANTIATE_TEST_SUITE_P(Sources, FrameCountSaveTest, ::testing::ValuesIn(kSources),
                         [](const auto& info) { return std::string(info.param.id); });
