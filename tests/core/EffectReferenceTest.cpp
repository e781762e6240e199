#include "CTestPictures.h"

#include "mosaic/CMosaicPainter.h"
#include "tests/oracle/CReferenceEffects.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>
#include <vector>

namespace {

// Paints the areas in order with both the painter and the plain reference; true when equal.
::testing::AssertionResult SameAsReference(const CFrameBuffer& original,
                                           const std::vector<T_RECT>& areas, int size, int sizeId) {
    CFrameBuffer fast = original;
    CFrameBuffer slow = original;
    CMosaicPainter painter;
    CReferenceEffects reference;
    for (const T_RECT& area : areas) {
        painter.PaintArea(fast, area, size, sizeId);
        reference.PaintArea(slow, area, size, sizeId);
    }
    if (fast == slow) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure()
           << original.Width() << "x" << original.Height()
           << (original.TopDown() ? " top-down" : " bottom-up") << " size " << size << " type "
           << sizeId << " first area " << areas[0].left << "," << areas[0].top << ","
           << areas[0].right << "," << areas[0].bottom;
}

T_RECT RandomArea(std::mt19937& generator, int width, int height) {
    std::uniform_int_distribution<int> across(-12, width + 12);
    std::uniform_int_distribution<int> down(-12, height + 12);
    return T_RECT{across(generator), down(generator), across(generator), down(generator)};
}

} // namespace

// Random pictures (odd widths carry row padding), both row orders, overlapping areas that may
// reach past any edge, every type id and sizes around and beyond the clamps.
TEST(EffectAgainstReference, RandomAreasSizesAndRowOrders) {
    std::mt19937 generator(20240611);
    std::uniform_int_distribution<int> width(1, 130);
    std::uniform_int_distribution<int> height(1, 90);
    std::uniform_int_distribution<int> type(-1, 10);
    std::uniform_int_distribution<int> size(-3, 64);
    std::uniform_int_distribution<int> count(1, 3);
    for (int trial = 0; trial < 160; ++trial) {
        const int w = width(generator);
        const int h = height(generator);
        const CFrameBuffer original =
            CTestPictures::Random(w, h, generator() % 2 == 0, static_cast<std::uint32_t>(trial));
        std::vector<T_RECT> areas(static_cast<std::size_t>(count(generator)));
        for (T_RECT& area : areas) {
            area = RandomArea(generator, w, h);
        }
        ASSERT_TRUE(SameAsReference(original, areas, size(generator), type(generator)));
    }
}

TEST(EffectAgainstReference, ExtremeRectanglesAndSizesStayInsideThePicture) {
    const std::pair<int, int> pictures[] = {{1, 1}, {1, 9}, {9, 1}, {6, 5}, {33, 3}};
    const int sizes[] = {INT_MIN, -1, 0, 1, 2, 1000, INT_MAX};
    for (const auto& [w, h] : pictures) {
        const std::vector<T_RECT> areas = {T_RECT{INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                                           T_RECT{INT_MAX - 1, 0, INT_MAX, 1},
                                           T_RECT{-5, -5, 0, 0},
                                           T_RECT{w - 1, h - 1, w + 1000, h + 1000},
                                           T_RECT{INT_MIN, 0, 1, INT_MAX},
                                           T_RECT{0, INT_MIN, INT_MAX, 1},
                                           T_RECT{INT_MAX, INT_MAX, INT_MIN, INT_MIN}};
        for (const bool topDown : {true, false}) {
            const CFrameBuffer original = CTestPictures::Random(w, h, topDown, 11);
            for (int sizeId = 0; sizeId <= 9; ++sizeId) {
                for (const int size : sizes) {
                    ASSERT_TRUE(SameAsReference(original, areas, size, sizeId));
                }
            }
        }
    }
}

TEST(EffectAgainstReference, FullFrameBlurAtEveryRadiusStep) {
    const CFrameBuffer original = CTestPictures::Random(97, 61, false, 12);
    for (const int size : {5, 17, 31, 50}) {
        ASSERT_TRUE(SameAsReference(original, {T_RECT{0, 0, 97, 61}}, size, 8));
    }
}
