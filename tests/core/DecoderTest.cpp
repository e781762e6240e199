#include "CTestMedia.h"
#include "media/RX40sCFFmpeg.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

const char* const kMsmpeg4 = "-vcodec msmpeg4v2 -q:v 2";

std::string Testsrc(const std::string& size, const std::string& rate, int frames) {
    return "-f lavfi -i testsrc2=size=" + size + ":rate=" + rate +
           ",trim=end_frame=" + std::to_string(frames) + " ";
}

std::vector<std::uint8_t> ReadAll(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

// Gives the first audio stream of an AVI a format tag that no decoder knows.
void MakeSoundUndecodable(const std::string& path) {
    std::vector<std::uint8_t> bytes = ReadAll(path);
    const std::string data(bytes.begin(), bytes.end());
    const std::size_t format = data.find("strf", data.find("auds"));
    ASSERT_NE(format, std::string::npos);
    bytes[format + 8] = 0x34;
    bytes[format + 9] = 0x12;
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()),
               static_cast<std::streamsize>(bytes.size()));
}

} // namespace

class DecoderTest : public ::testing::Test {
protected:
    CTestMedia m_media;
    RX40sCFFmpeg m_decoder;
};

TEST_F(DecoderTest, ConverterStyleAviOpensWithItsFrameRange) {
    for (const std::string rate : {"30", "30000/1001"}) {
        SCOPED_TRACE(rate);
        const std::string path =
            m_media.Generate("clip.avi", Testsrc("320x240", rate, 300) + kMsmpeg4);
        ASSERT_EQ(m_decoder.Open(path), 1);
        EXPECT_EQ(m_decoder.m_strFilePath, path);
        EXPECT_EQ(m_decoder.m_nWidth, 320);
        EXPECT_EQ(m_decoder.m_nHeight, 240);
        EXPECT_EQ(m_decoder.m_nFirstFrame, 0);
        EXPECT_EQ(m_decoder.m_nLastFrame, 299);
        EXPECT_EQ(m_decoder.m_nCurrentFrame, 0);
        EXPECT_EQ(
            av_cmp_q(m_decoder.m_rFrameRate, av_d2q(rate == "30" ? 30 : 30000 / 1001.0, 30000)), 0);
        EXPECT_EQ(m_decoder.m_pVideoCodec->id, AV_CODEC_ID_MSMPEG4V2);
        EXPECT_EQ(m_decoder.m_nAudioStream, -1);
        EXPECT_DOUBLE_EQ(m_decoder.m_dSampleAspect, 1.0);
    }
}

TEST_F(DecoderTest, CaptureDevicesAreNeverReachable) {
    const RX40sCFFmpeg decoder;
    for (const char* device : {"lavfi", "v4l2", "x11grab", "alsa", "fbdev"}) {
        EXPECT_EQ(av_find_input_format(device), nullptr) << device;
    }
}

TEST_F(DecoderTest, PixelAspectNarrowsTheOutputWidth) {
    const std::string path =
        m_media.Generate("sar.avi", Testsrc("720x480", "30", 10) + "-vf setsar=8/9 " + kMsmpeg4);
    ASSERT_EQ(m_decoder.Open(path), 1);
    EXPECT_EQ(m_decoder.m_nWidth, 640);
    EXPECT_EQ(m_decoder.m_nHeight, 480);
    EXPECT_EQ(av_cmp_q(m_decoder.m_rSampleAspect, AVRational{8, 9}), 0);
    ASSERT_EQ(m_decoder.DecodeFrame(3), 1);
    EXPECT_EQ(m_decoder.m_bmpFrame.Width(), 640);
    EXPECT_EQ(m_decoder.m_bmpFrame.Height(), 480);
}

TEST_F(DecoderTest, FilesWithoutUsableVideoOrSoundDoNotOpen) {
    const std::string soundOnly = m_media.Generate("sound.avi", "-f lavfi -i sine -t 1");
    const std::string text = m_media.Path("text.avi");
    std::ofstream(text) << "not a movie";
    for (const std::string& path : {soundOnly, text, m_media.Path("missing.avi")}) {
        SCOPED_TRACE(path);
        EXPECT_EQ(m_decoder.Open(path), 0);
        EXPECT_TRUE(m_decoder.m_strFilePath.empty());
        EXPECT_EQ(m_decoder.m_nVideoStream, -1);
        EXPECT_EQ(m_decoder.DecodeFrame(0), 0);
    }
}

TEST_F(DecoderTest, SoundWithoutDecoderKeepsTheFileClosed) {
    const std::string path =
        m_media.Generate("sound.avi", Testsrc("320x240", "30", 30) +
                                          "-f lavfi -i sine -t 1 -c:a pcm_s16le " + kMsmpeg4);
    ASSERT_EQ(m_decoder.Open(path), 1);
    EXPECT_EQ(m_decoder.m_nAudioStream, 1);
    EXPECT_NE(m_decoder.m_pAudioCodec, nullptr);

    MakeSoundUndecodable(path);
    EXPECT_EQ(m_decoder.Open(path), 0);
    EXPECT_TRUE(m_decoder.m_strFilePath.empty());
    EXPECT_EQ(m_decoder.m_pAudioCodec, nullptr);
    EXPECT_EQ(m_decoder.m_pVideoCodec, nullptr);
}

TEST_F(DecoderTest, PastTheEndKeepsThePictureConvertedBefore) {
    const std::string path = m_media.Generate("clip.avi", Testsrc("160x120", "30", 24) + kMsmpeg4);
    ASSERT_EQ(m_decoder.Open(path), 1);
    ASSERT_EQ(m_decoder.m_nLastFrame, 23);
    ASSERT_EQ(m_decoder.DecodeFrame(5), 1);
    const CFrameBuffer fifth = m_decoder.m_bmpFrame;
    m_decoder.m_bmpFrame.Data()[0] ^= 0xff;
    EXPECT_EQ(m_decoder.DecodeFrame(40), 1);
    EXPECT_EQ(m_decoder.m_bmpFrame, fifth);
    ASSERT_EQ(m_decoder.DecodeFrame(23), 1);
    EXPECT_NE(m_decoder.m_bmpFrame, fifth);
    EXPECT_EQ(m_decoder.DecodeFrame(5), 1);
    EXPECT_EQ(m_decoder.m_bmpFrame, fifth);
    EXPECT_EQ(m_decoder.DecodeFrame(-1), 0);
}

TEST_F(DecoderTest, CloseForgetsTheFileAndReopenReadsTheNewOne) {
    const std::string small = m_media.Generate("a.avi", Testsrc("160x120", "25", 10) + kMsmpeg4);
    const std::string large = m_media.Generate("b.avi", Testsrc("320x240", "30", 60) + kMsmpeg4);
    ASSERT_EQ(m_decoder.Open(small), 1);
    EXPECT_EQ(m_decoder.m_nLastFrame, 9);
    ASSERT_EQ(m_decoder.Open(large), 1);
    EXPECT_EQ(m_decoder.m_nLastFrame, 59);
    EXPECT_EQ(m_decoder.m_nWidth, 320);
    m_decoder.Close();
    m_decoder.Close();
    EXPECT_TRUE(m_decoder.m_strFilePath.empty());
    EXPECT_EQ(m_decoder.m_nVideoStream, -1);
    EXPECT_EQ(m_decoder.DecodeFrame(0), 0);
    EXPECT_NE(m_decoder.m_pRgbFrame, nullptr);
}

// The export reads the same demuxer; decoding on after that must not trust the old position.
TEST_F(DecoderTest, ReadingTheDemuxerElsewhereForcesASeek) {
    const std::string path = m_media.Generate("clip.avi", Testsrc("160x120", "30", 30) + kMsmpeg4);
    RX40sCFFmpeg fresh;
    ASSERT_EQ(fresh.Open(path), 1);
    ASSERT_EQ(fresh.DecodeFrame(6), 1);
    ASSERT_EQ(m_decoder.Open(path), 1);
    ASSERT_EQ(m_decoder.DecodeFrame(5), 1);
    AVPacketPtr packet(av_packet_alloc());
    for (int i = 0; i < 4; ++i) {
        ASSERT_GE(av_read_frame(m_decoder.m_pFormatContext.get(), packet.get()), 0);
        av_packet_unref(packet.get());
    }
    ASSERT_EQ(m_decoder.DecodeFrame(6), 1);
    EXPECT_EQ(m_decoder.m_bmpFrame, fresh.m_bmpFrame);
}
