#include "CTestMedia.h"

#include "media/CAviVideoStream.h"
#include "media/CNearestStretch.h"
#include "mosaic/CPictureMapping.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr std::uint32_t kGrey = CXrgbImage::Rgb(100, 100, 100);
constexpr std::uint32_t kBlack = CXrgbImage::Rgb(0, 0, 0);

// A white 640 x 480 movie of five frames as the converter would leave it.
class FrameDraw : public ::testing::Test {
protected:
    void SetUp() override {
        m_path = m_media.Generate("white.avi", "-f lavfi -i color=c=white:size=640x480:rate=25 "
                                               "-frames:v 5 -vcodec msmpeg4v2 -q:v 2");
        ASSERT_FALSE(m_path.empty());
        m_stream = std::make_unique<CAviVideoStream>(m_path, m_sizeId);
        EXPECT_EQ(m_stream->OpenVideo(), 1);
        m_target.Reset(1002, 502);
        m_target.Fill(T_RECT{0, 0, 1002, 502}, kGrey);
    }

    static bool NearWhite(std::uint32_t pixel) {
        return (pixel & 0xff) > 230 && ((pixel >> 8) & 0xff) > 230 && ((pixel >> 16) & 0xff) > 230;
    }

    CTestMedia m_media;
    std::string m_path;
    std::int32_t m_sizeId = 6; // black fill
    std::unique_ptr<CAviVideoStream> m_stream;
    CXrgbImage m_target;
};

} // namespace

TEST_F(FrameDraw, PictureIsLetterboxedInsideAGreyBorder) {
    const T_RECT picture = m_stream->DrawFrame(m_target, T_RECT{0, 0, 1002, 502});
    EXPECT_EQ(picture, (T_RECT{168, 1, 834, 501}));
    for (const int x : {0, 500, 1001}) {
        EXPECT_EQ(m_target.Pixel(x, 0), kGrey) << x;
        EXPECT_EQ(m_target.Pixel(x, 501), kGrey) << x;
    }
    EXPECT_EQ(m_target.Pixel(0, 250), kGrey);
    EXPECT_EQ(m_target.Pixel(1001, 250), kGrey);
    for (const int x : {1, 100, 167, 834, 900, 1000}) {
        EXPECT_EQ(m_target.Pixel(x, 1), kBlack) << x;
        EXPECT_EQ(m_target.Pixel(x, 500), kBlack) << x;
    }
    for (const int x : {168, 500, 833}) {
        EXPECT_TRUE(NearWhite(m_target.Pixel(x, 1))) << x;
        EXPECT_TRUE(NearWhite(m_target.Pixel(x, 500))) << x;
    }
}

TEST_F(FrameDraw, FixedAreaIsPaintedWhereTheMappingPutsIt) {
    m_stream->m_mosaic.AddFixedArea(T_RECT{320, 240, 640, 480});
    const T_RECT picture = m_stream->DrawFrame(m_target, T_RECT{0, 0, 1002, 502});
    const T_RECT window = CPictureMapping(picture, 640, 480).ToWindow(T_RECT{320, 240, 640, 480});
    EXPECT_EQ(window, (T_RECT{501, 251, 834, 501}));
    EXPECT_EQ(m_target.Pixel(501, 251), kBlack);
    EXPECT_EQ(m_target.Pixel(833, 500), kBlack);
    EXPECT_TRUE(NearWhite(m_target.Pixel(499, 251)));
    EXPECT_TRUE(NearWhite(m_target.Pixel(501, 248)));
}

// The decoder is closed after the first drawing: what is shown again comes from the drawn
// frame, and anything that changes the painted picture needs the decoder again.
TEST_F(FrameDraw, SameFrameWithTheSameMosaicIsNotFetchedAgain) {
    const T_RECT all{0, 0, 1002, 502};
    const T_RECT picture = m_stream->DrawFrame(m_target, all);
    const CXrgbImage first = m_target;
    m_stream->Close();
    m_target.Fill(all, kGrey);
    EXPECT_EQ(m_stream->DrawFrame(m_target, all), picture);
    EXPECT_EQ(m_target.Pixel(500, 250), first.Pixel(500, 250));

    m_stream->m_mosaic.AddFixedArea(T_RECT{0, 0, 10, 10});
    m_target.Fill(all, kGrey);
    EXPECT_TRUE(m_stream->DrawFrame(m_target, all).IsEmpty());
    EXPECT_EQ(m_target.Pixel(500, 250), kBlack);
    EXPECT_EQ(m_target.Pixel(0, 0), kBlack);
}

TEST_F(FrameDraw, EveryInputOfThePaintingMakesANewFetch) {
    const T_RECT all{0, 0, 1002, 502};
    // A fresh stream with one track entry at frame 1, drawn once at frame 1 and closed.
    const auto fetchedAgain = [&](const auto& change) {
        m_sizeId = 6;
        m_stream = std::make_unique<CAviVideoStream>(m_path, m_sizeId);
        EXPECT_EQ(m_stream->OpenVideo(), 1);
        m_stream->m_mosaic.SetTrackRect(0, T_RECT{1, 1, 50, 50}, 1);
        m_stream->m_nCurrentFrame = 1;
        EXPECT_FALSE(m_stream->DrawFrame(m_target, all).IsEmpty());
        m_stream->Close();
        change();
        return m_stream->DrawFrame(m_target, all).IsEmpty();
    };
    EXPECT_TRUE(fetchedAgain([&] { m_stream->m_nCurrentFrame = 2; }));
    EXPECT_TRUE(fetchedAgain([&] { m_stream->m_bLineDouble = true; }));
    EXPECT_TRUE(fetchedAgain([&] { m_sizeId = 5; }));
    EXPECT_TRUE(fetchedAgain([&] { m_stream->m_mosaic.size = 33; }));
    EXPECT_TRUE(fetchedAgain([&] { m_stream->m_mosaic.AddFixedArea(T_RECT{5, 5, 9, 9}); }));
    EXPECT_TRUE(fetchedAgain([&] { m_stream->m_mosaic.SetTrackRect(0, T_RECT{2, 2, 9, 9}, 1); }));
    EXPECT_TRUE(fetchedAgain([&] { m_stream->m_mosaic.SetTrackRect(1, T_RECT{2, 2, 9, 9}, 1); }));
    // Entries of other frames paint nothing here.
    EXPECT_FALSE(fetchedAgain([&] { m_stream->m_mosaic.SetTrackRect(0, T_RECT{2, 2, 9, 9}, 4); }));
    EXPECT_FALSE(fetchedAgain([] {}));
}

TEST(PictureMapping, WindowAndPictureCoordinatesRoundTheSameWay) {
    const CPictureMapping mapping(T_RECT{168, 1, 834, 501}, 640, 480);
    ASSERT_TRUE(mapping.CanMap());
    EXPECT_EQ(mapping.ToPictureX(168), 0);
    EXPECT_EQ(mapping.ToPictureY(1), 0);
    EXPECT_EQ(mapping.ToPictureX(834), 640);
    EXPECT_EQ(mapping.ToPictureY(501), 480);
    // 666 / 640 = 1.040625: window 500 is picture 319.03 -> 319, picture 100 is 104.06 -> 104.
    EXPECT_EQ(mapping.ToPictureX(500), 319);
    EXPECT_EQ(mapping.ToWindow(T_RECT{100, 100, 101, 101}), (T_RECT{272, 105, 273, 106}));
    // Rectangles from a damaged progress file stay within the range of a coordinate.
    const T_RECT huge = mapping.ToWindow(T_RECT{-2147483647, 0, 2147483647, 10});
    EXPECT_EQ(huge.left, -2147483647 - 1);
    EXPECT_EQ(huge.right, 2147483647);
    EXPECT_FALSE(CPictureMapping(T_RECT{}, 640, 480).CanMap());
    EXPECT_TRUE(CPictureMapping(T_RECT{}, 640, 480).ToWindow(T_RECT{1, 1, 5, 5}).IsEmpty());
}

TEST(XrgbStretch, RepeatsOrDropsPixelsOverTheWholeTarget) {
    CFrameBuffer source(2, 2, false);
    // Bottom-up: memory row 0 is the picture's bottom row.
    const std::uint8_t bottom[] = {1, 2, 3, 4, 5, 6};
    const std::uint8_t top[] = {7, 8, 9, 10, 11, 12};
    std::copy(std::begin(bottom), std::end(bottom), source.MemoryRow(0));
    std::copy(std::begin(top), std::end(top), source.MemoryRow(1));
    CXrgbImage out(4, 3);
    CNearestStretch().Stretch(source, out);
    EXPECT_EQ(out.Pixel(0, 0), CXrgbImage::Rgb(9, 8, 7));
    EXPECT_EQ(out.Pixel(1, 0), CXrgbImage::Rgb(9, 8, 7));
    EXPECT_EQ(out.Pixel(2, 0), CXrgbImage::Rgb(12, 11, 10));
    EXPECT_EQ(out.Pixel(3, 1), CXrgbImage::Rgb(12, 11, 10));
    EXPECT_EQ(out.Pixel(0, 2), CXrgbImage::Rgb(3, 2, 1));
    EXPECT_EQ(out.Pixel(3, 2), CXrgbImage::Rgb(6, 5, 4));
    CXrgbImage small(1, 1);
    CNearestStretch().Stretch(source, small);
    EXPECT_EQ(small.Pixel(0, 0), CXrgbImage::Rgb(9, 8, 7));
}

TEST(XrgbImage, FillAndCopyStayInsideTheImage) {
    CXrgbImage image(4, 4);
    image.Fill(T_RECT{-5, 2, 2, 100}, kGrey);
    EXPECT_EQ(image.Pixel(0, 3), kGrey);
    EXPECT_EQ(image.Pixel(1, 2), kGrey);
    EXPECT_EQ(image.Pixel(2, 2), kBlack);
    EXPECT_EQ(image.Pixel(0, 1), kBlack);
    CXrgbImage patch(3, 3);
    patch.Fill(T_RECT{0, 0, 3, 3}, CXrgbImage::Rgb(1, 2, 3));
    image.Copy(patch, 2, -1);
    EXPECT_EQ(image.Pixel(2, 0), CXrgbImage::Rgb(1, 2, 3));
    EXPECT_EQ(image.Pixel(3, 1), CXrgbImage::Rgb(1, 2, 3));
    EXPECT_EQ(image.Pixel(3, 2), kBlack);
    EXPECT_EQ(image.Pixel(1, 0), kBlack);
}
