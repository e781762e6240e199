#include "CTestMedia.h"
#include "media/RX40sCFFmpeg.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace {

struct Clip {
    const char* id;
    const char* name;
    const char* codec;
    // An AVI with B-frames stamps each picture with the packet that released it, so its first
    // picture carries timestamp 1 and shows for index 0 and 1.
    std::int64_t firstNewPicture;
};

// Key frames every 12 frames; B-frames delay pictures, and in the MP4 (which keeps
// presentation times in frames) the last picture comes out only when the decoder is drained.
const Clip kClips[] = {
    {"KeyFramesEvery12", "gop12.avi", "-vcodec msmpeg4v2 -q:v 2 -g 12", 1},
    {"BFrames", "bframes.avi", "-c:v mpeg4 -bf 2 -g 12", 2},
    {"BFramesTimed", "bframes.mp4", "-c:v mpeg4 -bf 2 -g 12 -video_track_timescale 30", 1},
};

} // namespace

// Every way of reaching a frame (decoding on, seeking back, jumping) must give the same bytes.
class DecoderSequenceTest : public ::testing::TestWithParam<Clip> {
protected:
    static void SetUpTestSuite() {
        s_media = std::make_unique<CTestMedia>();
        for (const Clip& clip : kClips) {
            ASSERT_FALSE(
                s_media
                    ->Generate(clip.name, std::string("-f lavfi -i "
                                                      "testsrc2=size=160x120:rate=30,trim=end_"
                                                      "frame=300 ") +
                                              clip.codec)
                    .empty());
        }
    }
    static void TearDownTestSuite() { s_media.reset(); }

    void SetUp() override {
        ASSERT_EQ(m_decoder.Open(s_media->Path(GetParam().name)), 1);
        ASSERT_EQ(m_decoder.m_nLastFrame, 299);
        for (std::int64_t i = 0; i <= m_decoder.m_nLastFrame; ++i) {
            ASSERT_EQ(m_decoder.DecodeFrame(i), 1) << i;
            m_sequential.push_back(m_decoder.m_bmpFrame);
        }
    }

    void ExpectFrame(std::int64_t index) {
        ASSERT_EQ(m_decoder.DecodeFrame(index), 1) << index;
        EXPECT_EQ(m_decoder.m_bmpFrame, m_sequential[static_cast<std::size_t>(index)]) << index;
    }

    static std::unique_ptr<CTestMedia> s_media;
    RX40sCFFmpeg m_decoder;
    std::vector<CFrameBuffer> m_sequential;
};

std::unique_ptr<CTestMedia> DecoderSequenceTest::s_media;

TEST_P(DecoderSequenceTest, ReverseOrderMatchesSequentialDecoding) {
    for (std::int64_t i = m_decoder.m_nLastFrame; i >= 0; --i) {
        ExpectFrame(i);
    }
}

TEST_P(DecoderSequenceTest, JumpsForwardAndBackMatchSequentialDecoding) {
    for (std::int64_t i = 0; i + 5 <= m_decoder.m_nLastFrame; ++i) {
        ExpectFrame(i + 5);
        ExpectFrame(i);
    }
}

TEST_P(DecoderSequenceTest, AFreshDecoderGivesTheSameFrames) {
    for (const std::int64_t index : {0, 1, 11, 12, 13, 150, 298, 299}) {
        RX40sCFFmpeg fresh;
        ASSERT_EQ(fresh.Open(s_media->Path(GetParam().name)), 1);
        ASSERT_EQ(fresh.DecodeFrame(index), 1);
        EXPECT_EQ(fresh.m_bmpFrame, m_sequential[static_cast<std::size_t>(index)]) << index;
    }
}

// Each index up to the last shows a new picture: none is lost behind the decoder's delay.
TEST_P(DecoderSequenceTest, ConsecutiveFramesDiffer) {
    for (auto i = static_cast<std::size_t>(GetParam().firstNewPicture); i < m_sequential.size();
         ++i) {
        EXPECT_NE(m_sequential[i], m_sequential[i - 1]) << i;
    }
}

INSTANTIATE_TEST_SUITE_P(Clips, DecoderSequenceTest, ::testing::ValuesIn(kClips),
                         [](const auto& info) { return std::string(info.param.id); });
