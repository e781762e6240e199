#include "CTestMedia.h"
#include "export/CExportEncoder.h"
#include "media/CConverterArgs.h"
#include "media/CMediaFileName.h"
#include "media/RX40sCFFmpeg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Args = std::vector<std::string>;

// Runs the test in the media folder, so names are relative to it.
class RelativeNames : public ::testing::Test {
protected:
    void SetUp() override { fs::current_path(m_media.Dir()); }
    void TearDown() override { fs::current_path(m_previous); }

    CTestMedia m_media;
    fs::path m_previous = fs::current_path();
};

} // namespace

TEST(MediaFileName, OnlyNamesFFmpegWouldMisreadGetTheFileProtocol) {
    EXPECT_EQ(CMediaFileName::ForFFmpeg("a:b.mp4"), "file:a:b.mp4");
    EXPECT_EQ(CMediaFileName::ForFFmpeg("pipe:1"), "file:pipe:1");
    EXPECT_EQ(CMediaFileName::ForFFmpeg("dir/x:y.avi"), "file:dir/x:y.avi");
    EXPECT_EQ(CMediaFileName::ForFFmpeg("-"), "file:-");
    EXPECT_EQ(CMediaFileName::ForFFmpeg("/home/u/a:b.mp4"), "/home/u/a:b.mp4");
    EXPECT_EQ(CMediaFileName::ForFFmpeg("clip.mp4"), "clip.mp4");
    EXPECT_EQ(CMediaFileName::ForFFmpeg(""), "");
}

TEST(MediaFileName, ConverterInputsAndOutputAreFiles) {
    const Args convert{"-i", "a:b.mp4", "-i", "/c:d.wav", "-vcodec", "copy", "-y", "e:f.avi"};
    EXPECT_EQ(CConverterArgs::Translate(convert),
              (Args{"-nostdin", "-i", "file:a:b.mp4", "-i", "/c:d.wav", "-vcodec", "copy", "-y",
                    "file:e:f.avi"}));
}

TEST_F(RelativeNames, NamesWithAColonAreWrittenAndReadAsFiles) {
    constexpr int kWidth = 64;
    constexpr int kHeight = 48;
    {
        CExportEncoder encoder;
        ASSERT_TRUE(encoder.Open("a:b.avi", kWidth, kHeight, AVRational{25, 1}, 400000));
        AVFramePtr picture(av_frame_alloc());
        ASSERT_NE(picture, nullptr);
        picture->format = encoder.PixelFormat();
        picture->width = kWidth;
        picture->height = kHeight;
        ASSERT_GE(av_frame_get_buffer(picture.get(), 0), 0);
        ASSERT_GE(av_frame_make_writable(picture.get()), 0);
        for (int plane = 0; plane < 3; ++plane) {
            const int rows = plane == 0 ? kHeight : kHeight / 2;
            std::fill_n(picture->data[plane], picture->linesize[plane] * rows, 128);
        }
        for (int frame = 0; frame < 3; ++frame) {
            picture->pts = frame;
            ASSERT_TRUE(encoder.Encode(*picture));
        }
        ASSERT_TRUE(encoder.Finish());
    }
    EXPECT_TRUE(fs::is_regular_file(m_media.Path("a:b.avi")));

    RX40sCFFmpeg decoder;
    ASSERT_EQ(decoder.Open("a:b.avi"), 1);
    EXPECT_EQ(decoder.m_nWidth, kWidth);
    EXPECT_EQ(decoder.m_nLastFrame, 2);
}
