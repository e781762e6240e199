#include "CTestMedia.h"
#include "media/CAviVideoStream.h"
#include "media/CWorkPaths.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>

namespace {

const char* const kClipArgs =
    "-f lavfi -i testsrc2=size=160x120:rate=30000/1001,trim=end_frame=60 -vcodec msmpeg4v2 "
    "-q:v 2";

void Touch(const std::string& path) {
    std::ofstream(path) << "x";
}

bool Exists(const std::string& path) {
    return std::filesystem::exists(path);
}

bool IsBlack(const std::uint8_t* pixel) {
    return pixel[0] == 0 && pixel[1] == 0 && pixel[2] == 0;
}

} // namespace

class VideoStreamTest : public ::testing::Test {
protected:
    // A converted working video beside its source, as the open pipeline leaves them.
    std::string MakeWorkingVideo(const std::string& name) {
        const std::string path = m_media.Generate(name, kClipArgs);
        EXPECT_FALSE(path.empty());
        return path;
    }

    CTestMedia m_media;
    std::int32_t m_sizeId = 6;
};

TEST_F(VideoStreamTest, WorkingNamesCutTheExtensionOfTheFileNameOnly) {
    EXPECT_EQ(CWorkPaths::Stem("/v/clip.$tmp$.avi"), "/v/clip.$tmp$");
    EXPECT_EQ(CWorkPaths::Stem("/videos/a.b/clip"), "/videos/a.b/clip");
    EXPECT_EQ(CWorkPaths::ReplaceExtension("/videos/a.b/clip", "eft"), "/videos/a.b/clip.eft");
    EXPECT_EQ(CWorkPaths::ReplaceExtension("/v/photo.$tmp$.bmp", "eftm"), "/v/photo.$tmp$.eftm");
    EXPECT_EQ(CWorkPaths::ReplaceExtension("clip", "wav"), "clip.wav");
    EXPECT_EQ(CWorkPaths::WorkVideo("/v/clip.mp4"), "/v/clip.$tmp$.avi");
    EXPECT_EQ(CWorkPaths::WorkVideo("/videos/a.b/clip"), "/videos/a.b/clip.$tmp$.avi");
    EXPECT_EQ(CWorkPaths::WorkImage("/v/photo.JPG"), "/v/photo.$tmp$.bmp");
    EXPECT_EQ(CWorkPaths::WorkLock("/v/x.$tmp$.avi"), "/v/x.$tmp$.$tmp$.lock");
    EXPECT_TRUE(CWorkPaths::EndsWithNoCase("/v/CLIP.$TMP$.AVI", ".$tmp$.avi"));
    EXPECT_FALSE(CWorkPaths::EndsWithNoCase("avi", ".$tmp$.avi"));
}

TEST_F(VideoStreamTest, DestructionDeletesExactlyTheFilesItWasHanded) {
    const std::string source = m_media.Path("clip.mp4");
    const std::string work = m_media.Path("clip.$tmp$.avi");
    const std::string sound = m_media.Path("clip.$tmp$.wav");
    CWorkFiles files;
    ASSERT_EQ(files.Lock(source), CWorkFiles::Claim::Taken);
    files.Add(work);
    files.Add(sound);
    MakeWorkingVideo("clip.$tmp$.avi");
    for (const std::string& path :
         {source, sound, m_media.Path("clip.$tmp$.eft"), m_media.Path("clip.$tmp$.eftm")}) {
        Touch(path);
    }
    {
        CAviVideoStream stream(work, m_sizeId, std::move(files));
        ASSERT_EQ(stream.OpenVideo(), 1);
    }
    EXPECT_FALSE(Exists(work));
    EXPECT_FALSE(Exists(sound));
    EXPECT_FALSE(Exists(CWorkPaths::WorkLock(source)));
    EXPECT_TRUE(Exists(source));
    EXPECT_TRUE(Exists(m_media.Path("clip.$tmp$.eft")));
    EXPECT_TRUE(Exists(m_media.Path("clip.$tmp$.eftm")));
}

// A working file left by a crash, opened to rescue it, is the user's file now; so are files
// that merely have working names.
TEST_F(VideoStreamTest, FilesItWasNotHandedSurviveWhateverTheirNames) {
    const std::string rescued = MakeWorkingVideo("clip.$tmp$.avi");
    const std::string picture = m_media.Path("photo.$tmp$.bmp");
    const std::string sounds[] = {m_media.Path("clip.$tmp$.wav"),
                                  m_media.Path("clip.$tmp$.$tmp$.wav")};
    for (const std::string& path : {picture, sounds[0], sounds[1]}) {
        Touch(path);
    }
    {
        CAviVideoStream stream(rescued, m_sizeId);
        ASSERT_EQ(stream.OpenVideo(), 1);
    }
    CAviVideoStream(picture, m_sizeId);
    for (const std::string& path : {rescued, picture, sounds[0], sounds[1]}) {
        EXPECT_TRUE(Exists(path)) << path;
    }
}

TEST_F(VideoStreamTest, OpenVideoReadsTheProgressNamedAfterTheWorkingFile) {
    const std::string work = MakeWorkingVideo("clip.$tmp$.avi");
    CMosaicParam saved(1);
    saved.AddFixedArea(T_RECT{4, 4, 40, 30});
    saved.SetTrackRect(0, T_RECT{10, 10, 20, 20}, 3);
    saved.SaveFixedAreas(m_media.Path("clip.$tmp$.eft"));
    saved.SaveTracks(m_media.Path("clip.$tmp$.eftm"));

    CAviVideoStream stream(work, m_sizeId);
    EXPECT_EQ(stream.m_mosaic.type, 6);
    EXPECT_EQ(stream.m_mosaic.size, CMosaicParam::DefaultSize(6));
    ASSERT_EQ(stream.OpenVideo(), 1);
    EXPECT_EQ(stream.m_mosaic.FixedAreas(), saved.FixedAreas());
    EXPECT_EQ(stream.m_mosaic.Tracks(), saved.Tracks());
    EXPECT_EQ(stream.m_mosaic.type, 1);
}

TEST_F(VideoStreamTest, SavedProgressComesBackAtTheNextOpenAndRemovalDeletesIt) {
    const std::string work = MakeWorkingVideo("clip.avi");
    {
        CAviVideoStream stream(work, m_sizeId);
        ASSERT_EQ(stream.OpenVideo(), 1);
        stream.m_mosaic.AddFixedArea(T_RECT{4, 4, 40, 30});
        stream.m_mosaic.SetTrackRect(0, T_RECT{10, 10, 20, 20}, 3);
        stream.m_mosaic.SetTrackRect(0, T_RECT{12, 10, 22, 20}, 4);
        stream.SaveProgress();
    }
    EXPECT_TRUE(Exists(m_media.Path("clip.eft")));
    EXPECT_TRUE(Exists(m_media.Path("clip.eftm")));
    CAviVideoStream stream(work, m_sizeId);
    ASSERT_EQ(stream.OpenVideo(), 1);
    EXPECT_EQ(stream.m_mosaic.FixedAreas(), (std::vector<T_RECT>{T_RECT{4, 4, 40, 30}}));
    ASSERT_EQ(stream.m_mosaic.TrackCount(), 1);
    EXPECT_EQ(stream.m_mosaic.GetTrackRect(0, 4), (T_RECT{12, 10, 22, 20}));

    EXPECT_TRUE(stream.RemoveProgress());
    EXPECT_FALSE(stream.m_mosaic.HasRegions());
    EXPECT_FALSE(Exists(m_media.Path("clip.eft")));
    EXPECT_FALSE(Exists(m_media.Path("clip.eftm")));
    EXPECT_TRUE(Exists(work));
}

TEST_F(VideoStreamTest, PlayTimeFollowsTheCurrentFrame) {
    CAviVideoStream stream(MakeWorkingVideo("clip.avi"), m_sizeId);
    EXPECT_EQ(stream.GetPlayTimeMs(), -1);
    ASSERT_EQ(stream.OpenVideo(), 1);
    EXPECT_EQ(stream.GetPlayTimeMs(), 0);
    stream.m_nCurrentFrame = 45;
    EXPECT_EQ(stream.GetPlayTimeMs(), 1501);
}

TEST_F(VideoStreamTest, FailedOpenLeavesNoVideo) {
    const std::string text = m_media.Path("clip.$tmp$.avi");
    std::ofstream(text) << "not a movie";
    CAviVideoStream stream(text, m_sizeId);
    EXPECT_EQ(stream.OpenVideo(), 0);
    EXPECT_TRUE(stream.m_strFilePath.empty());
    EXPECT_EQ(stream.GetFrame(0, false), 0);
    EXPECT_EQ(stream.SaveFrameBitmap(m_media.Path("out.bmp")), 0);
    EXPECT_FALSE(Exists(m_media.Path("out.bmp")));
}

// Painting on a movie frame: fixed areas always, tracks at their frame only, the effect of the
// live setting, and always on a fresh copy of the decoded picture.
class VideoStreamFrameTest : public VideoStreamTest {
protected:
    void SetUp() override {
        m_stream = std::make_unique<CAviVideoStream>(MakeWorkingVideo("clip.avi"), m_sizeId);
        ASSERT_EQ(m_stream->OpenVideo(), 1);
        ASSERT_EQ(m_plain.Open(m_stream->m_strWorkPath), 1);
    }

    const CFrameBuffer& Plain(std::int64_t index) {
        EXPECT_EQ(m_plain.DecodeFrame(index), 1);
        return m_plain.m_bmpFrame;
    }

    std::unique_ptr<CAviVideoStream> m_stream;
    RX40sCFFmpeg m_plain;
};

TEST_F(VideoStreamFrameTest, FixedAreasOnEveryFrameAndTracksAtTheirFrame) {
    m_stream->m_mosaic.AddFixedArea(T_RECT{0, 0, 8, 8});
    m_stream->m_mosaic.SetTrackRect(0, T_RECT{100, 50, 120, 60}, 3);
    for (const std::int64_t index : {2, 3}) {
        ASSERT_EQ(m_stream->GetFrame(index, false), 1);
        const CFrameBuffer& frame = m_stream->Frame();
        const CFrameBuffer& plain = Plain(index);
        ASSERT_FALSE(IsBlack(plain.Pixel(7, 7)));
        ASSERT_FALSE(IsBlack(plain.Pixel(110, 55)));
        EXPECT_TRUE(IsBlack(frame.Pixel(7, 7)));
        EXPECT_EQ(IsBlack(frame.Pixel(110, 55)), index == 3);
        EXPECT_EQ(std::memcmp(frame.Pixel(130, 100), plain.Pixel(130, 100), 3), 0);
    }
}

TEST_F(VideoStreamFrameTest, RepeatedFetchesNeverAccumulateTheEffect) {
    m_sizeId = 5;
    m_stream->m_mosaic.AddFixedArea(T_RECT{0, 0, 160, 120});
    const std::int64_t pastTheEnd = m_stream->m_nLastFrame + 5;
    for (const std::int64_t index : {std::int64_t{7}, std::int64_t{7}, pastTheEnd, pastTheEnd}) {
        ASSERT_EQ(m_stream->GetFrame(index, false), 1);
        const CFrameBuffer& plain = Plain(std::min(index, m_stream->m_nLastFrame));
        EXPECT_EQ(m_stream->Frame().Pixel(20, 30)[2], 255 - plain.Pixel(20, 30)[2]) << index;
    }
}

TEST_F(VideoStreamFrameTest, LineDoublingCopiesEvenRowsDown) {
    ASSERT_EQ(m_stream->GetFrame(4, true), 1);
    const CFrameBuffer& frame = m_stream->Frame();
    const CFrameBuffer& plain = Plain(4);
    for (int y = 0; y + 1 < frame.Height(); y += 2) {
        ASSERT_EQ(std::memcmp(frame.MemoryRow(y), plain.MemoryRow(y), frame.PackedRowBytes()), 0);
        ASSERT_EQ(std::memcmp(frame.MemoryRow(y + 1), plain.MemoryRow(y), frame.PackedRowBytes()),
                  0);
    }
}
