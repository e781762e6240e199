#include "ConverterFixture.h"

#include "media/CFFMpegUtil.h"
#include "media/CFormatIniFile.h"
#include "media/CStreamProbe.h"

extern "C" {
#include <libavcodec/codec_id.h>
}

namespace {

// The program folder's launcher over the system's tool, on small generated media.
class ConverterTool : public ConverterFixture {
protected:
    void SetUp() override {
        ConverterFixture::SetUp();
        Generate("-f lavfi -i testsrc2=size=320x240:rate=25:duration=1 -f lavfi -i "
                 "sine=frequency=440:duration=1 -c:v libx264 -pix_fmt yuv420p -c:a aac -shortest",
                 Path("clip.mp4"));
        m_util = std::make_unique<CFFMpegUtil>(QUORVEL_BIN_DIR, m_dir.string(), m_progress,
                                               &ConverterFixture::EnglishText);
    }

    // The joined working video with the source's sound that a save hands to the final
    // conversion.
    std::string JoinedMovie() {
        EXPECT_TRUE(m_util->ConvertVideo(Path("clip.mp4"), Path("clip.$tmp$.avi"), "", "", ""));
        EXPECT_TRUE(
            m_util->JoinAudio(Path("clip.$tmp$.avi"), Path("clip.mp4"), Path("joined.avi"), false));
        return Path("joined.avi");
    }

    // The pattern of a filter "description|*.ext|" without its star.
    static std::string Extension(const std::string& filter) {
        const std::size_t star = filter.find("|*");
        return filter.substr(star + 2, filter.size() - star - 3);
    }

    RecordingProgress m_progress;
    std::unique_ptr<CFFMpegUtil> m_util;
};

} // namespace

TEST_F(ConverterTool, OpenAndSaveCommandsRunForReal) {
    const std::string joined = JoinedMovie();
    const CStreamProbe video(Path("clip.$tmp$.avi"));
    EXPECT_EQ(video.VideoCodecId(), AV_CODEC_ID_MSMPEG4V2);
    EXPECT_EQ(video.Width(), 320);
    EXPECT_EQ(video.AudioStreams(), 0);
    // The picture of the first input only, the sound of the second.
    const CStreamProbe both(joined);
    EXPECT_EQ(both.VideoCodecId(), AV_CODEC_ID_MSMPEG4V2);
    EXPECT_EQ(both.VideoStreams(), 1);
    EXPECT_EQ(both.AudioStreams(), 1);

    // "%03d" in the names reads as a frame number pattern unless the launcher prevents it.
    Generate("-f lavfi -i testsrc2=size=320x240 -frames:v 1", Path("photo.jpg"));
    std::filesystem::rename(Path("photo.jpg"), Path("photo%03d.jpg"));
    ASSERT_TRUE(m_util->ConvertImage(Path("photo%03d.jpg"), Path("photo%03d.$tmp$.bmp")));
    const std::string bitmap = ReadAll(Path("photo%03d.$tmp$.bmp"));
    ASSERT_GT(bitmap.size(), 54u);
    EXPECT_EQ(bitmap.substr(0, 2), "BM");
    EXPECT_EQ(bitmap[28], 24);
}

TEST_F(ConverterTool, EveryShippedProfileMakesItsFormat) {
    const std::string joined = JoinedMovie();
    const CFormatIniFile movies(QUORVEL_BIN_DIR, false);
    ASSERT_GE(movies.Filters().size(), 7u);
    EXPECT_EQ(Extension(movies.Filters().front()), ".avi");
    EXPECT_TRUE(movies.Commands().front().empty());
    for (std::size_t i = 1; i < movies.Filters().size(); ++i) {
        const std::string target = Path("saved" + Extension(movies.Filters()[i]));
        ASSERT_TRUE(m_util->ConvertFormat(joined, target, static_cast<int>(i), false));
        const CStreamProbe saved(target);
        EXPECT_EQ(saved.VideoStreams(), 1) << target;
        EXPECT_EQ(saved.AudioStreams(), 1) << target;
        EXPECT_EQ(saved.Width(), 320) << target;
    }

    Generate("-f lavfi -i testsrc2=size=320x240 -frames:v 1 -c:v bmp", Path("frame.bmp"));
    const CFormatIniFile images(QUORVEL_BIN_DIR, true);
    ASSERT_EQ(images.Filters().size(), 3u);
    for (std::size_t i = 0; i < images.Filters().size(); ++i) {
        const std::string target = Path("saved" + Extension(images.Filters()[i]));
        ASSERT_TRUE(m_util->ConvertFormat(Path("frame.bmp"), target, static_cast<int>(i), true));
        EXPECT_EQ(CStreamProbe(target).Height(), 240) << target;
    }
}
