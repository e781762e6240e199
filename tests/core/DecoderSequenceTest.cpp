#include "CTestMedia.h"
#include "media/RX40sCFFmpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int kWidth = 160;
constexpr int kHeight = 120;
constexpr std::int64_t kPictures = 300;

struct Clip {
    const char* id;
    const char* name;
    const char* codec;
    // Frame slots per picture: 2 for a capture that dropped every other frame.
    int step = 1;
};

// Key frames every 12 frames. The AVIs with B-frames store decode times only; the mpeg4 one
// delays its pictures by one, the H.264 one by two, and both release their last pictures only
// when the decoder is drained. The MP4 keeps presentation times in frames. The AVI with gaps
// has an empty chunk in every other slot.
const Clip kClips[] = {
    {"KeyFramesEvery12", "gop12.avi", "-vcodec msmpeg4v2 -q:v 2 -g 12"},
    {"BFrames", "bframes.avi", "-c:v mpeg4 -bf 2 -g 12"},
    {"BFramesDelayTwo", "pyramid.avi", "-c:v libx264 -bf 3 -g 12"},
    {"BFramesTimed", "bframes.mp4", "-c:v mpeg4 -bf 2 -g 12 -video_track_timescale 30"},
    {"Gaps", "gaps.avi", "-vcodec msmpeg4v2 -q:v 2 -g 12", 2},
};

void PrintTo(const Clip& clip, std::ostream* out) {
    *out << clip.name;
}

std::int64_t Slots(const Clip& clip) {
    return (kPictures - 1) * clip.step + 1;
}

std::string SourceOf(const Clip& clip) {
    const std::string source =
        "-f lavfi -i testsrc2=size=160x120:rate=30,trim=end_frame=" + std::to_string(Slots(clip)) +
        " ";
    return clip.step == 1 ? source
                          : source + "-vf \"select='not(mod(n\\," + std::to_string(clip.step) +
                                "))'\" -fps_mode passthrough ";
}

std::string ReferenceName(const Clip& clip) {
    return std::string(clip.name) + ".bgr";
}

// What each slot shows: the picture the command-line tool decodes first at or after it.
std::vector<CFrameBuffer> ReadPictures(const std::string& path, int step) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file),
                                  std::istreambuf_iterator<char>()};
    const std::size_t rowBytes = kWidth * 3;
    std::vector<CFrameBuffer> pictures;
    for (std::size_t at = 0; at + rowBytes * kHeight <= bytes.size(); at += rowBytes * kHeight) {
        CFrameBuffer picture(kWidth, kHeight, true);
        for (int y = 0; y < kHeight; ++y) {
            std::memcpy(picture.PictureRow(y), bytes.data() + at + y * rowBytes, rowBytes);
        }
        const int slots = pictures.empty() ? 1 : step;
        pictures.insert(pictures.end(), static_cast<std::size_t>(slots), picture);
    }
    return pictures;
}

} // namespace

// Every way of reaching a frame (decoding on, seeking back, jumping) must give the picture the
// command-line tool shows at that place.
class DecoderSequenceTest : public ::testing::TestWithParam<Clip> {
protected:
    static void SetUpTestSuite() {
        s_media = std::make_unique<CTestMedia>();
        for (const Clip& clip : kClips) {
            const std::string path = s_media->Generate(clip.name, SourceOf(clip) + clip.codec);
            ASSERT_FALSE(path.empty()) << clip.name;
            const std::string raw = s_media->Generate(
                ReferenceName(clip),
                "-i '" + path + "' -fps_mode passthrough -f rawvideo -pix_fmt bgr24");
            ASSERT_FALSE(raw.empty()) << clip.name;
            s_reference[clip.name] = ReadPictures(raw, clip.step);
        }
    }
    static void TearDownTestSuite() {
        s_reference.clear();
        s_media.reset();
    }

    void SetUp() override {
        ASSERT_EQ(Reference().size(), static_cast<std::size_t>(Slots(GetParam())));
        ASSERT_EQ(m_decoder.Open(s_media->Path(GetParam().name)), 1);
        ASSERT_EQ(m_decoder.m_nLastFrame, Slots(GetParam()) - 1);
    }

    static const std::vector<CFrameBuffer>& Reference() { return s_reference[GetParam().name]; }

    // Which of the reference pictures the decoder shows, index first; -1 for none.
    static std::int64_t Shown(const RX40sCFFmpeg& decoder, std::int64_t index) {
        const std::vector<CFrameBuffer>& reference = Reference();
        if (decoder.m_bmpFrame == reference[static_cast<std::size_t>(index)]) {
            return index;
        }
        for (std::size_t i = 0; i < reference.size(); ++i) {
            if (decoder.m_bmpFrame == reference[i]) {
                return static_cast<std::int64_t>(i);
            }
        }
        return -1;
    }

    static void ExpectFrame(RX40sCFFmpeg& decoder, std::int64_t index) {
        ASSERT_EQ(decoder.DecodeFrame(index), 1) << index;
        EXPECT_EQ(Shown(decoder, index), index);
    }

    static std::unique_ptr<CTestMedia> s_media;
    static std::map<std::string, std::vector<CFrameBuffer>> s_reference;
    RX40sCFFmpeg m_decoder;
};

std::unique_ptr<CTestMedia> DecoderSequenceTest::s_media;
std::map<std::string, std::vector<CFrameBuffer>> DecoderSequenceTest::s_reference;

// The last index shows the last picture, which only draining the decoder releases. Going on
// frame by frame decodes each picture once, however many empty slots lie before it.
TEST_P(DecoderSequenceTest, SequentialDecodingShowsEveryPictureAtItsOwnIndex) {
    const int decodedBefore = m_decoder.m_pVideoCodecContext->frame_number;
    for (std::int64_t i = 0; i <= m_decoder.m_nLastFrame; ++i) {
        ExpectFrame(m_decoder, i);
    }
    EXPECT_EQ(m_decoder.m_pVideoCodecContext->frame_number - decodedBefore, kPictures);
}

TEST_P(DecoderSequenceTest, ReverseOrderShowsEveryPictureAtItsOwnIndex) {
    for (std::int64_t i = m_decoder.m_nLastFrame; i >= 0; --i) {
        ExpectFrame(m_decoder, i);
    }
}

TEST_P(DecoderSequenceTest, JumpsForwardAndBackShowEveryPictureAtItsOwnIndex) {
    for (std::int64_t i = 0; i + 5 <= m_decoder.m_nLastFrame; ++i) {
        ExpectFrame(m_decoder, i + 5);
        ExpectFrame(m_decoder, i);
    }
}

// A fresh decoder seeks to its first frame and decodes on from there.
TEST_P(DecoderSequenceTest, AFreshDecoderSeeksAndDecodesOn) {
    const std::int64_t last = Slots(GetParam()) - 1;
    for (const std::int64_t start :
         {0L, 1L, 10L, 11L, 12L, 13L, 150L, last - 13, last - 2, last - 1, last}) {
        SCOPED_TRACE(start);
        RX40sCFFmpeg fresh;
        ASSERT_EQ(fresh.Open(s_media->Path(GetParam().name)), 1);
        for (std::int64_t i = start; i <= std::min(start + 2, last); ++i) {
            ExpectFrame(fresh, i);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Clips, DecoderSequenceTest, ::testing::ValuesIn(kClips),
                         [](const auto& info) { return std::string(info.param.id); });
