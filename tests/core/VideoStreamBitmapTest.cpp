#include "CTestMedia.h"
#include "media/CAviVideoStream.h"
#include "platform/CTextFile.h"

#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

// The header fields of a bitmap file the tests write; any of them may be made to lie.
struct BitmapHeader {
    std::int32_t width = 5;
    std::int32_t height = -3;
    std::uint16_t bitCount = 24;
    std::uint32_t compression = 0;
    std::uint32_t imageSize = 0;
    std::uint32_t infoSize = 40;
    std::uint32_t pixelOffset = 54;
    std::uint32_t pixelBytes = 16 * 3;
    // Bytes written between the 54-byte headers and the pixels.
    std::uint32_t gap = 0;
};

void Put(std::string& out, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) {
        out.push_back(static_cast<char>(value >> (8 * i)));
    }
}

// Pixel bytes count up from 1 so that every byte of the picture differs from its neighbours.
std::string WriteBitmap(const BitmapHeader& h) {
    std::string out = "BM";
    Put(out, h.pixelOffset + h.pixelBytes, 4);
    Put(out, 0, 4);
    Put(out, h.pixelOffset, 4);
    Put(out, h.infoSize, 4);
    Put(out, static_cast<std::uint32_t>(h.width), 4);
    Put(out, static_cast<std::uint32_t>(h.height), 4);
    Put(out, 1, 2);
    Put(out, h.bitCount, 2);
    Put(out, h.compression, 4);
    Put(out, h.imageSize, 4);
    out.resize(54);
    out.append(h.gap, '\0');
    for (std::uint32_t i = 0; i < h.pixelBytes; ++i) {
        out.push_back(static_cast<char>(i + 1));
    }
    return out;
}

std::int32_t Le32At(const std::string& bytes, std::size_t offset) {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = value << 8 | static_cast<std::uint8_t>(bytes[offset + i]);
    }
    return static_cast<std::int32_t>(value);
}

std::string ReadAll(const std::string& path) {
    return CTextFile::Read(path).value_or("");
}

} // namespace

class VideoStreamBitmapTest : public ::testing::Test {
protected:
    int Load(const BitmapHeader& header) {
        std::istringstream file(WriteBitmap(header));
        return m_stream.LoadBitmapFile(file);
    }

    CTestMedia m_media;
    std::int32_t m_sizeId = 5;
    CAviVideoStream m_stream{m_media.Path("photo.$tmp$.bmp"), m_sizeId};
};

TEST_F(VideoStreamBitmapTest, LoadsBothRowOrdersWithPaddedRows) {
    for (const std::int32_t height : {-3, 3}) {
        SCOPED_TRACE(height);
        BitmapHeader header;
        header.height = height;
        ASSERT_EQ(Load(header), 1);
        EXPECT_TRUE(m_stream.IsStillImage());
        EXPECT_EQ(m_stream.m_nWidth, 5);
        EXPECT_EQ(m_stream.m_nHeight, 3);
        EXPECT_EQ(m_stream.TopDown(), height < 0);
        EXPECT_EQ(m_stream.m_nLastFrame, 0);
        const CFrameBuffer& frame = m_stream.Frame();
        ASSERT_EQ(frame.Stride(), 16u);
        // The first row in the file is the top row of a top-down picture, else the bottom row.
        EXPECT_EQ(frame.Pixel(1, height < 0 ? 0 : 2)[0], 4);
        EXPECT_EQ(frame.MemoryRow(1)[0], 17);
    }
}

TEST_F(VideoStreamBitmapTest, ImageSizeFieldAndGapBeforeThePixelsDoNotMatter) {
    for (const std::uint32_t imageSize : {0u, 7u, 48u}) {
        BitmapHeader header;
        header.imageSize = imageSize;
        header.gap = imageSize / 4;
        header.pixelOffset += header.gap;
        ASSERT_EQ(Load(header), 1) << imageSize;
        EXPECT_EQ(m_stream.Frame().MemoryRow(2)[14], 47);
    }
}

TEST_F(VideoStreamBitmapTest, RefusesOtherFormatsAndLyingHeaders) {
    const auto lie = [](auto change) {
        BitmapHeader header;
        change(header);
        return header;
    };
    const BitmapHeader refused[] = {
        lie([](BitmapHeader& h) { h.bitCount = 8; }),
        lie([](BitmapHeader& h) { h.bitCount = 32; }),
        lie([](BitmapHeader& h) { h.compression = 1; }),
        lie([](BitmapHeader& h) { h.pixelBytes = 47; }),
        lie([](BitmapHeader& h) { h.width = 0; }),
        lie([](BitmapHeader& h) { h.height = 0; }),
        lie([](BitmapHeader& h) { h.width = -5; }),
        lie([](BitmapHeader& h) { h.height = INT32_MIN; }),
        lie([](BitmapHeader& h) { h.width = INT32_MAX; }),
        lie([](BitmapHeader& h) { h.width = 65536, h.height = 65536; }),
        lie([](BitmapHeader& h) { h.width = 0x55555556, h.height = 3; }),
        lie([](BitmapHeader& h) { h.pixelOffset = 0xfffffff0u; }),
        lie([](BitmapHeader& h) { h.pixelOffset = 20; }),
        lie([](BitmapHeader& h) { h.infoSize = 12; }),
        lie([](BitmapHeader& h) { h.infoSize = 0x7fffffff; }),
    };
    for (std::size_t i = 0; i < std::size(refused); ++i) {
        EXPECT_EQ(Load(refused[i]), 0) << "case " << i;
        EXPECT_FALSE(m_stream.IsStillImage()) << "case " << i;
    }
    for (const std::string& text : {std::string("BM"), std::string(), std::string(60, 'x'),
                                    WriteBitmap(BitmapHeader{}).substr(0, 40)}) {
        std::istringstream file(text);
        EXPECT_EQ(m_stream.LoadBitmapFile(file), 0);
    }
    EXPECT_EQ(m_stream.LoadBitmapFile(m_media.Path("missing.bmp")), 0);
}

TEST_F(VideoStreamBitmapTest, StillImagePaintsFixedAreasOnACleanCopyAndNoTracks) {
    ASSERT_EQ(Load(BitmapHeader{}), 1);
    const CFrameBuffer clean = m_stream.Frame();
    m_stream.m_mosaic.AddFixedArea(T_RECT{0, 0, 2, 3});
    m_stream.m_mosaic.SetTrackRect(0, T_RECT{3, 0, 5, 3}, 0);
    for (int fetch = 0; fetch < 2; ++fetch) {
        ASSERT_EQ(m_stream.GetFrame(0, true), 1);
        const CFrameBuffer& frame = m_stream.Frame();
        EXPECT_EQ(frame.Pixel(1, 2)[0], 255 - clean.Pixel(1, 2)[0]);
        EXPECT_EQ(std::memcmp(frame.MemoryRow(0) + 6, clean.MemoryRow(0) + 6, 9), 0);
        EXPECT_EQ(std::memcmp(frame.MemoryRow(1) + 6, clean.MemoryRow(1) + 6, 9), 0);
    }
    EXPECT_EQ(m_stream.GetPlayTimeMs(), -1);
}

TEST_F(VideoStreamBitmapTest, SavedBitmapKeepsRowOrderAndLoadsBack) {
    for (const std::int32_t height : {-3, 3}) {
        SCOPED_TRACE(height);
        BitmapHeader header;
        header.height = height;
        ASSERT_EQ(Load(header), 1);
        const std::string path = m_media.Path("frame.bmp");
        ASSERT_EQ(m_stream.SaveFrameBitmap(path), 1);
        const std::string bytes = ReadAll(path);
        ASSERT_EQ(bytes.size(), 54u + 48u);
        EXPECT_EQ(bytes.substr(0, 2), "BM");
        EXPECT_EQ(Le32At(bytes, 2), 54 + 48);
        EXPECT_EQ(Le32At(bytes, 10), 54);
        EXPECT_EQ(Le32At(bytes, 14), 40);
        EXPECT_EQ(Le32At(bytes, 18), 5);
        EXPECT_EQ(Le32At(bytes, 22), height);
        EXPECT_EQ(Le32At(bytes, 28) & 0xffff, 24);
        EXPECT_EQ(Le32At(bytes, 34), 48);
        EXPECT_EQ(std::memcmp(bytes.data() + 54, m_stream.Frame().Data(), 48), 0);

        CAviVideoStream again(m_media.Path("again.bmp"), m_sizeId);
        ASSERT_EQ(again.LoadBitmapFile(path), 1);
        EXPECT_EQ(again.Frame(), m_stream.Frame());
    }
    EXPECT_EQ(m_stream.SaveFrameBitmap(m_media.Path("no/such/folder.bmp")), 0);
}

TEST_F(VideoStreamBitmapTest, SavedMovieFrameIsTopDownWithPaddedRows) {
    const std::string work = m_media.Generate(
        "clip.avi",
        "-f lavfi -i testsrc2=size=170x96:rate=30,trim=end_frame=10 -vcodec msmpeg4v2 -q:v 2");
    CAviVideoStream movie(work, m_sizeId);
    ASSERT_EQ(movie.OpenVideo(), 1);
    movie.m_nCurrentFrame = 4;
    const std::string path = m_media.Path("frame.bmp");
    ASSERT_EQ(movie.SaveFrameBitmap(path), 1);
    const std::string bytes = ReadAll(path);
    ASSERT_EQ(bytes.size(), 54u + 512u * 96u);
    EXPECT_EQ(Le32At(bytes, 22), -96);
    EXPECT_EQ(Le32At(bytes, 34), 512 * 96);

    CAviVideoStream reloaded(m_media.Path("again.bmp"), m_sizeId);
    ASSERT_EQ(reloaded.LoadBitmapFile(path), 1);
    EXPECT_EQ(reloaded.Frame(), movie.Frame());
    ASSERT_EQ(movie.DecodeFrame(4), 1);
    EXPECT_EQ(reloaded.Frame(), movie.Frame());
}
