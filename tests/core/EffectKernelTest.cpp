#include "CTestPictures.h"

#include "mosaic/CFrostedGlassEffect.h"
#include "mosaic/CMosaicPainter.h"
#include "mosaic/CPixelateEffect.h"
#include "tests/oracle/CReferenceEffects.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <utility>

namespace {

using Colour = std::array<int, 3>;

Colour ColourAt(const CFrameBuffer& picture, int x, int y) {
    const std::uint8_t* pixel = picture.Pixel(x, y);
    return {pixel[0], pixel[1], pixel[2]};
}

constexpr int kPixelate = 2;
constexpr int kFrosted = 4;
constexpr int kInvert = 5;
constexpr int kFill = 6;
constexpr int kBlur = 7;

} // namespace

TEST(EffectPixelate, BlocksSampleTheirTopRowAndPaintOnlyInsideTheArea) {
    for (const bool topDown : {true, false}) {
        SCOPED_TRACE(topDown);
        const CFrameBuffer original = CTestPictures::Gradient(40, 40, topDown);
        CFrameBuffer picture = original;
        CMosaicPainter().PaintArea(picture, T_RECT{12, 12, 25, 25}, 10, kPixelate);
        // Means of the top rows (10..19 or 20..24, y0) of the four blocks that meet the area.
        const auto expected = [](int x, int y) -> Colour {
            const bool right = x >= 20;
            const int y0 = y >= 20 ? 20 : 10;
            return {right ? 22 : 14, y0, (right ? 22 : 14) + y0};
        };
        for (int y = 0; y < 40; ++y) {
            for (int x = 0; x < 40; ++x) {
                const bool inside = x >= 12 && x < 25 && y >= 12 && y < 25;
                ASSERT_EQ(ColourAt(picture, x, y),
                          inside ? expected(x, y) : ColourAt(original, x, y))
                    << x << "," << y;
            }
        }
    }
}

TEST(EffectPixelate, GridCoversThePictureAndVisitsOnlyBlocksMeetingTheArea) {
    const CFrameBuffer original = CTestPictures::Gradient(640, 480, true);
    CFrameBuffer reference = original;
    CReferenceEffects().PaintArea(reference, T_RECT{0, 0, 640, 480}, 30, 0);

    CFrameBuffer fast = original;
    EXPECT_EQ(CPixelateEffect::Apply(fast, T_RECT{0, 0, 640, 480}, 30), 22 * 16);
    EXPECT_EQ(fast, reference);
    // The last column of blocks is cut by the picture edge: mean of x 630..639 of row 0.
    EXPECT_EQ(ColourAt(fast, 639, 29), (Colour{122, 0, 122}));

    CFrameBuffer small = original;
    EXPECT_EQ(CPixelateEffect::Apply(small, T_RECT{100, 100, 101, 101}, 30), 1);
}

TEST(EffectFrostedGlass, OffsetsStayWithinFiveAndUseEveryValue) {
    std::set<int> seen;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            int dx = 0;
            int dy = 0;
            CFrostedGlassEffect::Offsets(x, y, dx, dy);
            ASSERT_TRUE(dx >= -5 && dx <= 5 && dy >= -5 && dy <= 5);
            seen.insert(dx * 100 + dy);
        }
    }
    EXPECT_EQ(seen.size(), 121u);
}

// The swaps depend only on the coordinates: the same area moves the same pixels on any
// picture, as a permutation confined to the area widened by 5.
TEST(EffectFrostedGlass, SwapsFormTheSamePermutationOnEveryPicture) {
    const int width = 40;
    const int height = 30;
    for (const T_RECT& area : {T_RECT{7, 6, 30, 21}, T_RECT{0, 0, width, height}}) {
        CFrameBuffer where = CTestPictures::Gradient(width, height, false);
        CMosaicPainter().PaintArea(where, area, 0, kFrosted);
        const CFrameBuffer original = CTestPictures::Random(width, height, true, 9);
        CFrameBuffer picture = original;
        CMosaicPainter().PaintArea(picture, area, 0, kFrosted);

        std::set<std::pair<int, int>> sources;
        int moved = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const int sx = where.Pixel(x, y)[0];
                const int sy = where.Pixel(x, y)[1];
                sources.emplace(sx, sy);
                ASSERT_EQ(ColourAt(picture, x, y), ColourAt(original, sx, sy));
                if (sx != x || sy != y) {
                    ++moved;
                    EXPECT_TRUE(x >= area.left - 5 && x < area.right + 5 && y >= area.top - 5 &&
                                y < area.bottom + 5);
                }
            }
        }
        EXPECT_EQ(sources.size(), static_cast<std::size_t>(width * height));
        EXPECT_GT(moved, (area.right - area.left) * (area.bottom - area.top) / 2);
    }
}

TEST(EffectColour, InversionAndFillChangeExactlyTheArea) {
    const CFrameBuffer original = CTestPictures::Random(13, 11, false, 4);
    const T_RECT area{2, 3, 13, 9};
    CFrameBuffer inverted = original;
    CMosaicPainter painter;
    painter.PaintArea(inverted, area, 0, kInvert);
    CFrameBuffer filled = original;
    painter.PaintArea(filled, area, 0, kFill);
    for (int y = 0; y < 11; ++y) {
        for (int x = 0; x < 13; ++x) {
            const Colour before = ColourAt(original, x, y);
            if (!area.Contains(x, y)) {
                ASSERT_EQ(ColourAt(inverted, x, y), before);
                ASSERT_EQ(ColourAt(filled, x, y), before);
                continue;
            }
            ASSERT_EQ(ColourAt(inverted, x, y),
                      (Colour{255 - before[0], 255 - before[1], 255 - before[2]}));
            ASSERT_EQ(ColourAt(filled, x, y), (Colour{0, 0, 0}));
        }
    }
    painter.PaintArea(inverted, area, 0, kInvert);
    EXPECT_EQ(inverted, original);
}

// Pixel (0, 0) blurred with r = 5: window columns left of 0 read the far end of the
// neighbouring buffer row, which is the picture row above (top-down) or below (bottom-up).
TEST(EffectBlur, WindowPastTheLeftEdgeReadsTheNeighbouringBufferRow) {
    struct Case {
        bool topDown;
        int dotY;
        int expected;
    };
    // Counting positions: 61 top-down (rows 0..5, minus 5 before the buffer start); 71
    // bottom-up (rows 0..5 plus 5 positions of the window row below the picture's top row).
    const Case cases[] = {
        {true, 4, 255 / 61}, {true, 6, 0}, {false, 6, 255 / 71}, {false, 0, 255 / 71}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.dotY);
        CFrameBuffer picture = CTestPictures::Dot(20, 20, c.topDown, 19, c.dotY, 255);
        CMosaicPainter().PaintArea(picture, T_RECT{0, 0, 1, 1}, 5, kBlur);
        EXPECT_EQ(ColourAt(picture, 0, 0), (Colour{c.expected, c.expected, c.expected}));
    }
}

TEST(EffectBlur, RadiusIsClampedToFiveAndFifty) {
    const CFrameBuffer original = CTestPictures::Random(120, 110, true, 5);
    const auto blurred = [&](int size) {
        CFrameBuffer picture = original;
        CMosaicPainter().PaintArea(picture, T_RECT{3, 4, 117, 105}, size, kBlur);
        return picture;
    };
    EXPECT_EQ(blurred(3), blurred(5));
    EXPECT_EQ(blurred(-7), blurred(5));
    EXPECT_NE(blurred(6), blurred(5));
    EXPECT_EQ(blurred(80), blurred(50));
    EXPECT_NE(blurred(49), blurred(50));
}

TEST(EffectLineDoubling, CopiesEvenMemoryRowsOverOddOnes) {
    for (const bool topDown : {true, false}) {
        const CFrameBuffer original = CTestPictures::Random(7, 5, topDown, 6);
        CFrameBuffer picture = original;
        CMosaicPainter::DoubleLines(picture);
        const std::size_t bytes = picture.PackedRowBytes();
        for (int row = 0; row < 5; ++row) {
            const int from = row == 4 ? 4 : row / 2 * 2;
            EXPECT_TRUE(std::equal(picture.MemoryRow(row), picture.MemoryRow(row) + bytes,
                                   original.MemoryRow(from)))
                << row;
        }
    }
    CFrameBuffer single = CTestPictures::Random(3, 1, true, 7);
    const CFrameBuffer before = single;
    CMosaicPainter::DoubleLines(single);
    EXPECT_EQ(single, before);
}

TEST(EffectPainter, PaintsFixedAreasAndTheTrackRectanglesOfTheFrame) {
    CMosaicParam mosaic(kInvert);
    mosaic.AddFixedArea(T_RECT{0, 0, 10, 10});
    mosaic.SetTrackRect(0, T_RECT{5, 5, 15, 15}, 3);
    mosaic.SetTrackRect(0, T_RECT{20, 20, 25, 25}, 4);
    mosaic.SetTrackRect(1, T_RECT{0, 20, 5, 25}, 4);
    const CFrameBuffer original = CTestPictures::Random(30, 30, true, 8);
    const auto changed = [&](const CFrameBuffer& picture, int x, int y) {
        return ColourAt(picture, x, y) != ColourAt(original, x, y);
    };
    CMosaicPainter painter;

    CFrameBuffer atThree = original;
    painter.PaintFixedAreas(atThree, mosaic, kInvert);
    painter.PaintTracks(atThree, mosaic, kInvert, 3);
    EXPECT_TRUE(changed(atThree, 2, 2));
    EXPECT_FALSE(changed(atThree, 7, 7)); // inverted twice
    EXPECT_TRUE(changed(atThree, 12, 12));
    EXPECT_FALSE(changed(atThree, 22, 22));

    CFrameBuffer atFour = original;
    painter.PaintTracks(atFour, mosaic, kInvert, 4);
    EXPECT_TRUE(changed(atFour, 22, 22));
    EXPECT_TRUE(changed(atFour, 2, 22));
    EXPECT_FALSE(changed(atFour, 12, 12));

    for (const int unknown : {-1, 10, 1000}) {
        CFrameBuffer untouched = original;
        painter.PaintFixedAreas(untouched, mosaic, unknown);
        painter.PaintTracks(untouched, mosaic, unknown, 3);
        EXPECT_EQ(untouched, original) << unknown;
    }
}
