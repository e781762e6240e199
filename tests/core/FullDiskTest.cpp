#include "CLimitedChild.h"
#include "CTestMedia.h"
#include "CTestPictures.h"

#include "ConverterFixture.h"
#include "app/CInifileManager.h"
#include "export/CSavePipeline.h"
#include "media/CAviVideoStream.h"
#include "media/CBitmapFile.h"
#include "media/CCommandLog.h"
#include "media/COpenPipeline.h"
#include "platform/CMessageBoxSeam.h"
#include "platform/CTextFile.h"
#include "resources/CResourceId.h"
#include "resources/CStringTable.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

extern "C" {
#include <libavutil/log.h>
}

namespace {

namespace fs = std::filesystem;

// Every writer on a disk that fills up part way: the failure is reported and the file that was
// there before is still whole; no temporary is left behind.
class FullDiskTest : public ::testing::Test {
protected:
    std::string Read(const std::string& path) const { return CTextFile::Read(path).value_or(""); }

    CTestMedia m_media;
};

} // namespace

TEST_F(FullDiskTest, FrameBitmap) {
    const std::string path = m_media.Path("frame.bmp");
    ASSERT_TRUE(CBitmapFile::Write(path, CTestPictures::Random(64, 48, true, 1)));
    const std::string before = Read(path);
    const CFrameBuffer next = CTestPictures::Random(64, 48, true, 2);
    EXPECT_EQ(CLimitedChild::Run(4096, [&] { return CBitmapFile::Write(path, next); }),
              CLimitedChild::kFailed);
    EXPECT_EQ(Read(path), before);
    EXPECT_EQ(m_media.Names(), std::vector<std::string>{"frame.bmp"});
    EXPECT_EQ(CLimitedChild::Run(1 << 20, [&] { return CBitmapFile::Write(path, next); }),
              CLimitedChild::kSucceeded);
    EXPECT_NE(Read(path), before);
}

TEST_F(FullDiskTest, SettingsFile) {
    const std::string path = m_media.Path("Quorvel.ini");
    std::ofstream(path) << "[Mosaic]\nSizeID=4\n";
    const std::string before = Read(path);
    EXPECT_EQ(CLimitedChild::Run(30,
                                 [&] {
                                     CInifileManager settings(path);
                                     settings.SizeID = 9;
                                     return settings.Save();
                                 }),
              CLimitedChild::kFailed);
    EXPECT_EQ(Read(path), before);
    EXPECT_EQ(m_media.Names(), std::vector<std::string>{"Quorvel.ini"});
    EXPECT_EQ(CLimitedChild::Run(1 << 20, [&] { return CInifileManager(path).Save(); }),
              CLimitedChild::kSucceeded);
    EXPECT_NE(Read(path), before);
}

TEST_F(FullDiskTest, CommandLogKeepsWholeEntries) {
    const std::string path = m_media.Path("QV_command.log");
    std::ofstream(path) << "[V]:2026/01/01 00:00:00 -i a\n";
    const std::string before = Read(path);
    const std::string entry(200, 'x');
    EXPECT_EQ(CLimitedChild::Run(before.size() + 50,
                                 [&] { return CCommandLog(path).Write(entry + "\n"); }),
              CLimitedChild::kFailed);
    EXPECT_EQ(Read(path), before);
    EXPECT_EQ(CLimitedChild::Run(1 << 20, [&] { return CCommandLog(path).Write(entry + "\n"); }),
              CLimitedChild::kSucceeded);
    EXPECT_EQ(Read(path), before + entry + "\n");
}

// The converter inherits the limit: its working video is cut short, the open fails as any
// unreadable file does and leaves nothing behind.
TEST_F(FullDiskTest, ConverterOutput) {
    const std::string source = m_media.Generate(
        "clip.mp4", "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v libx264");
    ASSERT_FALSE(source.empty());
    CRecordingMessageBox box;
    IMessageBox* previous = CMessageBoxSeam::Install(&box);
    const int result = CLimitedChild::Run(64 * 1024, [&] {
        RecordingProgress progress;
        CFFMpegUtil converter(QUORVEL_BIN_DIR, m_media.Dir() + "/log", progress,
                              [](int id) { return CStringTable::Load(id, CStringTable::English); });
        COpenPipeline pipeline(converter, QUORVEL_BIN_DIR, "", "", [](int id) {
            return CStringTable::Load(id, CStringTable::English);
        });
        return !pipeline.Open(source) && box.texts.size() == 1 &&
               box.texts[0].find("not recognized") != std::string::npos;
    });
    CMessageBoxSeam::Install(previous);
    EXPECT_EQ(result, CLimitedChild::kSucceeded);
    EXPECT_EQ(m_media.Names(), std::vector<std::string>{"clip.mp4"});
}

// The library's words for a write that fails part way through a movie reach the user.
TEST_F(FullDiskTest, MovieExportSaysWhy) {
    const std::string working = m_media.Generate(
        "clip.avi", "-f lavfi -i testsrc2=size=320x240:rate=25:duration=2 -c:v msmpeg4v2 -b:v 8000k");
    ASSERT_FALSE(working.empty());
    const std::string target = m_media.Path("saved.avi");
    std::ofstream(target) << "the user's file";
    // The encoder warns about every clipped coefficient at this bit rate.
    av_log_set_level(AV_LOG_ERROR);
    const std::int32_t sizeId = 6;
    CAviVideoStream stream(working, sizeId);
    ASSERT_EQ(stream.OpenVideo(), 1);
    stream.m_mosaic.AddFixedArea(T_RECT{10, 10, 100, 100});
    const int result = CLimitedChild::Run(64 * 1024, [&] {
        RecordingProgress progress;
        CFFMpegUtil converter(QUORVEL_BIN_DIR, m_media.Dir() + "/log", progress,
                              [](int id) { return CStringTable::Load(id, CStringTable::English); });
        CSavePipeline pipeline(stream, converter, progress);
        const CSavePipeline::Result saved = pipeline.Save(working, target, 0);
        return saved.status == CSavePipeline::Status::Failed &&
               saved.message == CStringTable::Load(CResourceId::ExportError, CStringTable::English) +
                                    "\n\nFile too large";
    });
    EXPECT_EQ(result, CLimitedChild::kSucceeded);
    EXPECT_EQ(Read(target), "the user's file");
    EXPECT_EQ(m_media.Names(), (std::vector<std::string>{"clip.avi", "saved.avi"}));
}
