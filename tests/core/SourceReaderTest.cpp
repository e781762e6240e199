#include "ConverterFixture.h"
#include "tests/support/CSavedMovie.h"

#include "media/CAviVideoStream.h"
#include "media/CFFMpegUtil.h"
#include "media/COpenPipeline.h"
#include "media/CSourceReader.h"
#include "media/RX40sCFFmpeg.h"

extern "C" {
#include <libavutil/log.h>
}

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <functional>
#include <memory>
#include <numeric>
#include <sstream>

namespace {

struct Source {
    const char* id;
    const char* name;
    std::string arguments;
    // An AVI with decode times only, which the program opens directly.
    bool direct = false;
};

// Gaps and crowded pictures in the times of a 30 fps picture, and how they are kept.
const std::string kVariableTiming =
    "trim=end_frame=80,settb=1/3000,"
    "setpts='if(lt(N,20),N,if(lt(N,40),2*N-20,if(lt(N,60),60+1.2*(N-40)+0.3*mod(N,2),"
    "84+0.7*(N-60))))/30/TB'";
const std::string kVariableEncoding =
    "-fps_mode passthrough -enc_time_base 1/3000 -c:v libx264 -bf 2 -g 24 -pix_fmt yuv420p";
// Sound that starts before the picture, and B-frames.
const std::string kM2tsEncoding =
    "-f lavfi -i sine=duration=3 -frames:v 90 -c:v libx264 -bf 2 -g 30 -pix_fmt yuv420p -c:a aac";

// Short movies of the kinds people open, each with what makes its frames hard to place: B-frames
// (stored out of order), variable rate with gaps and crowded pictures, 29.97 in an m2ts (the
// conversion's own rate, sound starting first), a rotation, pixels 4:3 wide, times rounded to
// milliseconds, decode times only, and interlaced pictures with 8:9 pixels.
const Source kSources[] = {
    {"ConstantRateBFrames", "cfr.mp4",
     "-f lavfi -i testsrc2=size=320x240:rate=30 -f lavfi -i sine=duration=2 -frames:v 60 "
     "-c:v libx264 -bf 3 -g 24 -pix_fmt yuv420p -c:a aac"},
    {"VariableRate", "vfr.mp4",
     "-f lavfi -i \"testsrc2=size=320x240:rate=30," + kVariableTiming + "\" " + kVariableEncoding},
    {"M2ts", "clip.m2ts", "-f lavfi -i testsrc2=size=320x240:rate=30000/1001 " + kM2tsEncoding},
    {"Rotated", "rotated.mov",
     "-f lavfi -i testsrc2=size=320x240:rate=25 -frames:v 50 -c:v libx264 -bf 2 -g 25 "
     "-pix_fmt yuv420p -metadata:s:v:0 rotate=90"},
    {"Anamorphic", "anamorphic.mpg",
     "-f lavfi -i testsrc2=size=1440x1080:rate=25 -f lavfi -i sine=duration=1 -frames:v 15 "
     "-c:v mpeg2video -q:v 2 -bf 2 -aspect 16:9 -c:a mp2"},
    {"Matroska", "clip.mkv",
     "-f lavfi -i testsrc2=size=320x240:rate=30000/1001 -f lavfi -i sine=duration=2 "
     "-frames:v 60 -c:v libx264 -bf 2 -g 24 -pix_fmt yuv420p -c:a aac"},
    {"Wmv", "clip.wmv",
     "-f lavfi -i testsrc2=size=320x240:rate=25 -f lavfi -i sine=duration=2 -frames:v 50 "
     "-c:v wmv2 -q:v 2 -c:a wmav2"},
    {"AviBFrames", "bframes.avi",
     "-f lavfi -i testsrc2=size=320x240:rate=25 -frames:v 50 -c:v mpeg4 -q:v 2 -bf 2 -g 12",
     true},
    {"InterlacedMpeg2", "interlaced.ts",
     "-f lavfi -i testsrc2=size=720x480:rate=30000/1001 -frames:v 45 -c:v mpeg2video -q:v 2 "
     "-bf 2 -flags +ildct+ilme -top 1 -aspect 4:3"},
};

void PrintTo(const Source& source, std::ostream* out) {
    *out << source.name;
}

CSavedMovie::Picture Packed(const CFrameBuffer& frame) {
    CSavedMovie::Picture packed(frame.PackedRowBytes() * static_cast<std::size_t>(frame.Height()));
    for (int y = 0; y < frame.Height(); ++y) {
        std::memcpy(packed.data() + y * frame.PackedRowBytes(), frame.PictureRow(y),
                    frame.PackedRowBytes());
    }
    return packed;
}

} // namespace

// The source read in place against the working video the program converts it to: the same
// frames, each the same picture but for the conversion's own loss.
class SourceReaderTest : public ConverterFixture, public ::testing::WithParamInterface<Source> {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        av_log_set_level(AV_LOG_ERROR);
        m_converter = std::make_unique<CFFMpegUtil>(QUORVEL_BIN_DIR, m_dir.string(), m_progress,
                                                    &ConverterFixture::EnglishText);
    }

    using Reader = std::function<bool(std::int64_t frame, CFrameBuffer& picture)>;

    // The working video the program converts source to, decoded frame by frame.
    void Convert(const std::string& source, const std::string& workPath) {
        ASSERT_EQ(m_converted.Open(workPath), 1);
        for (std::int64_t frame = 0; frame <= m_converted.m_nLastFrame; ++frame) {
            ASSERT_EQ(m_converted.DecodeFrame(frame), 1);
            m_pictures.push_back(Packed(m_converted.m_bmpFrame));
        }
        ASSERT_FALSE(m_pictures.empty()) << source;
    }

    // Frames of read unlike the converted ones, read in order; one line each.
    std::string Unlike(const Reader& read, const std::vector<std::int64_t>& order) const {
        std::ostringstream unlike;
        CFrameBuffer picture;
        for (const std::int64_t frame : order) {
            if (!read(frame, picture)) {
                unlike << "frame " << frame << ": not read\n";
                continue;
            }
            const double psnr =
                CSavedMovie::Psnr(m_pictures[static_cast<std::size_t>(frame)], picture);
            if (psnr < 40.0) {
                unlike << "frame " << frame << ": " << psnr << " dB\n";
            }
        }
        return unlike.str();
    }

    std::vector<std::int64_t> Forward() const {
        std::vector<std::int64_t> order(m_pictures.size());
        std::iota(order.begin(), order.end(), 0);
        return order;
    }

    RecordingProgress m_progress;
    std::unique_ptr<CFFMpegUtil> m_converter;
    RX40sCFFmpeg m_converted;
    std::vector<CSavedMovie::Picture> m_pictures;
};

TEST_P(SourceReaderTest, EveryFrameIsTheConvertedFrame) {
    const std::string source = Path(GetParam().name);
    Generate(GetParam().arguments, source);
    COpenPipeline pipeline(*m_converter, QUORVEL_BIN_DIR, "", "", &ConverterFixture::EnglishText);
    ASSERT_TRUE(pipeline.Open(source));
    CSourceReader reader;
    // Decode times only can't be placed without decoding: such an AVI stays with the decoder
    // of working videos, which reads it in place as before.
    if (GetParam().direct) {
        EXPECT_FALSE(reader.Open(source, pipeline.Shape()));
        EXPECT_EQ(pipeline.WorkPath(), source);
        return;
    }
    ASSERT_NE(pipeline.WorkPath(), source);
    ASSERT_NO_FATAL_FAILURE(Convert(source, pipeline.WorkPath()));
    ASSERT_TRUE(reader.Open(source, pipeline.Shape()));
    EXPECT_EQ(reader.Frames(), m_converted.m_nLastFrame + 1);
    EXPECT_EQ(reader.Width(), m_converted.m_nWidth);
    EXPECT_EQ(reader.Height(), m_converted.m_nHeight);
    EXPECT_EQ(av_cmp_q(reader.FrameRate(), m_converted.m_rFrameRate), 0)
        << reader.FrameRate().num << "/" << reader.FrameRate().den << " against "
        << m_converted.m_rFrameRate.num << "/" << m_converted.m_rFrameRate.den;
    const auto read = [](CSourceReader& from) {
        return [&from](std::int64_t frame, CFrameBuffer& picture) {
            return from.Read(frame, picture);
        };
    };
    EXPECT_EQ(Unlike(read(reader), Forward()), "");

    // Without kept pictures every frame backwards seeks to its key frame and decodes from there.
    CSourceReader seeking(0);
    ASSERT_TRUE(seeking.OpenLike(reader));
    const std::vector<std::int64_t> forward = Forward();
    EXPECT_EQ(Unlike(read(seeking), {forward.rbegin(), forward.rend()}), "");
}

INSTANTIATE_TEST_SUITE_P(Sources, SourceReaderTest, ::testing::ValuesIn(kSources),
                         [](const auto& info) { return std::string(info.param.id); });

namespace {

// A white square on black that is somewhere else in every picture the source shows, so that a
// picture tells which one it is.
std::string MovingMark(const char* rate) {
    return std::string("-f lavfi -i \"color=c=black:size=320x240:rate=") + rate +
           "[bg];color=c=white:size=24x24[mark];"
           "[bg][mark]overlay=x='mod(n*7,296)':y='mod(n*5,216)':eval=frame";
}

const Source kMarkedSources[] = {
    {"VariableRate", "vfr.mp4",
     MovingMark("30") + "," + kVariableTiming + "\" " + kVariableEncoding},
    {"M2ts", "clip.m2ts", MovingMark("30000/1001") + "\" " + kM2tsEncoding},
};

// The bounds of the bright pixels of picture.
T_RECT Mark(const CFrameBuffer& picture) {
    T_RECT mark{picture.Width(), picture.Height(), 0, 0};
    for (int y = 0; y < picture.Height(); ++y) {
        for (int x = 0; x < picture.Width(); ++x) {
            if (picture.Pixel(x, y)[1] >= 128) {
                mark = {std::min(mark.left, x), std::min(mark.top, y), std::max(mark.right, x + 1),
                        std::max(mark.bottom, y + 1)};
            }
        }
    }
    return mark;
}

bool Near(const T_RECT& a, const T_RECT& b) {
    // The working video's own loss may move an edge by a pixel; the mark moves 7 a frame.
    return std::abs(a.left - b.left) <= 1 && std::abs(a.top - b.top) <= 1 &&
           std::abs(a.right - b.right) <= 1 && std::abs(a.bottom - b.bottom) <= 1;
}

} // namespace

// Progress saved while every movie was converted to a working video is named after that video
// and counts its frames; a movie now read in place must show each rectangle on the same picture.
class ProgressInPlaceTest : public SourceReaderTest {
protected:
    COpenPipeline Pipeline() {
        return COpenPipeline(*m_converter, QUORVEL_BIN_DIR, "", "", &ConverterFixture::EnglishText);
    }

    std::int32_t m_sizeId = 2;
};

TEST_P(ProgressInPlaceTest, ProgressSavedOnTheConversionLoadsOntoTheSameFrames) {
    const std::string source = Path(GetParam().name);
    Generate(GetParam().arguments, source);
    const std::string sourceName = std::filesystem::path(source).filename().string();
    CMosaicParam saved;
    std::int64_t lastFrame = 0;
    {
        COpenPipeline converting = Pipeline();
        ASSERT_TRUE(converting.Open(source));
        ASSERT_NE(converting.WorkPath(), source);
        CAviVideoStream stream(converting.WorkPath(), m_sizeId, converting.TakeWorkFiles());
        stream.m_strSourceName = sourceName;
        ASSERT_EQ(stream.OpenVideo(), 1);
        stream.m_mosaic.AddFixedArea({8, 8, 40, 30});
        stream.m_mosaic.AddFixedArea({250, 190, 310, 230});
        for (std::int64_t frame = 0; frame <= stream.m_nLastFrame; ++frame) {
            ASSERT_EQ(stream.DecodeFrame(frame), 1);
            const T_RECT mark = Mark(stream.Frame());
            ASSERT_FALSE(mark.IsEmpty()) << "frame " << frame;
            stream.m_mosaic.SetTrackRect(0, mark, static_cast<std::int32_t>(frame));
        }
        ASSERT_TRUE(stream.SaveProgress());
        saved = stream.m_mosaic;
        lastFrame = stream.m_nLastFrame;
    }

    COpenPipeline pipeline = Pipeline();
    pipeline.ReadInPlace();
    ASSERT_TRUE(pipeline.Open(source));
    CAviVideoStream stream(pipeline.WorkPath(), m_sizeId, pipeline.TakeWorkFiles());
    stream.m_strSourceName = sourceName;
    std::unique_ptr<CSourceReader> reader = pipeline.TakeReader();
    ASSERT_NE(reader, nullptr) << "the movie is read in place";
    stream.ReadInPlace(std::move(reader));
    ASSERT_EQ(stream.OpenVideo(), 1);
    EXPECT_EQ(stream.m_nLastFrame, lastFrame);
    EXPECT_EQ(stream.m_mosaic.FixedAreas(), saved.FixedAreas());
    ASSERT_EQ(stream.m_mosaic.TrackCount(), 1);
    std::ostringstream misplaced;
    for (std::int64_t frame = 0; frame <= lastFrame; ++frame) {
        ASSERT_EQ(stream.DecodeFrame(frame), 1);
        const T_RECT mark = Mark(stream.Frame());
        const T_RECT loaded = stream.m_mosaic.GetTrackRect(0, static_cast<std::int32_t>(frame));
        if (!Near(loaded, mark)) {
            misplaced << "frame " << frame << ": " << loaded.left << "," << loaded.top
                      << " on a mark at " << mark.left << "," << mark.top << "\n";
        }
    }
    EXPECT_EQ(misplaced.str(), "");
}

INSTANTIATE_TEST_SUITE_P(Sources, ProgressInPlaceTest, ::testing::ValuesIn(kMarkedSources),
                         [](const auto& info) { return std::string(info.param.id); });
