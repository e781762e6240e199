#include "CLimitedChild.h"
#include "CTestMedia.h"
#include "CTestPictures.h"

#include "media/CBitmapFile.h"
#include "platform/CTextFile.h"

#include <gtest/gtest.h>

#include <filesystem>

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
