#include "ConverterFixture.h"
#include "tests/support/CSavedMovie.h"

#include "media/CFFMpegUtil.h"
#include "media/COpenPipeline.h"
#include "media/CSourceReader.h"
#include "media/RX40sCFFmpeg.h"

extern "C" {
#include <libavutil/log.h>
}

#include <cstring>
#include <functional>
#include <memory>
#include <numeric>
#include <sstream>

namespace {

struct Source {
    const char* id;
    const char* name;
    const char* arguments;
    // An AVI with decode times only, which the program opens directly.
    bool direct = false;
};

constexpr const char* kVariableRate =
    "-f lavfi -i \"testsrc2=size=320x240:rate=30,trim=end_frame=80,settb=1/3000,"
    "setpts='if(lt(N,20),N,if(lt(N,40),2*N-20,if(lt(N,60),60+1.2*(N-40)+0.3*mod(N,2),"
    "84+0.7*(N-60))))/30/TB'\" -fps_mode passthrough -enc_time_base 1/3000 "
    "-c:v libx264 -bf 2 -g 24 -pix_fmt yuv420p";

// Short movies of the kinds people open, each with what makes its frames hard to place: B-frames
// (stored out of order), variable rate with gaps and crowded pictures, 29.97 in an m2ts (the
// conversion's own rate, sound starting first), a rotation, pixels 4:3 wide, times rounded to
// milliseconds, decode times only, and interlaced pictures with 8:9 pixels.
const Source kSources[] = {
    {"ConstantRateBFrames", "cfr.mp4",
     "-f lavfi -i testsrc2=size=320x240:rate=30 -f lavfi -i sine=duration=2 -frames:v 60 "
     "-c:v libx264 -bf 3 -g 24 -pix_fmt yuv420p -c:a aac"},
    {"VariableRate", "vfr.mp4", kVariableRate},
    {"M2ts", "clip.m2ts",
     "-f lavfi -i testsrc2=size=320x240:rate=30000/1001 -f lavfi -i sine=duration=3 "
     "-frames:v 90 -c:v libx264 -bf 2 -g 30 -pix_fmt yuv420p -c:a aac"},
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
