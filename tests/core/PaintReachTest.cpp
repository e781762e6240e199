#include "CTestPictures.h"

#include "export/CPaintedRegions.h"
#include "mosaic/CBoxBlurEffect.h"
#include "mosaic/CMosaicPainter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <random>

namespace {

constexpr int kWidth = 100;
constexpr int kHeight = 70;

bool Inside(const T_RECT& rect, int x, int y) {
    return rect.Contains(x, y);
}

// Paints area on two pictures that agree only inside the reach: both must come out the same
// there, and neither may change outside it.
void ExpectReachHolds(const T_RECT& area, int size, int sizeId, bool topDown) {
    const T_RECT reach = CMosaicPainter::Reach(area, size, sizeId, kWidth, kHeight);
    const CFrameBuffer original = CTestPictures::Random(kWidth, kHeight, topDown, 7);
    const CFrameBuffer noise = CTestPictures::Random(kWidth, kHeight, topDown, 8);
    CFrameBuffer other = original;
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (!Inside(reach, x, y)) {
                std::memcpy(other.Pixel(x, y), noise.Pixel(x, y), 3);
            }
        }
    }
    const CFrameBuffer otherBefore = other;
    CFrameBuffer painted = original;
    CMosaicPainter().PaintArea(painted, area, size, sizeId);
    CMosaicPainter().PaintArea(other, area, size, sizeId);
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            if (Inside(reach, x, y)) {
                ASSERT_EQ(std::memcmp(painted.Pixel(x, y), other.Pixel(x, y), 3), 0)
                    << "read outside the reach, at " << x << "," << y;
            } else {
                ASSERT_EQ(std::memcmp(painted.Pixel(x, y), original.Pixel(x, y), 3), 0)
                    << "wrote outside the reach, at " << x << "," << y;
                ASSERT_EQ(std::memcmp(other.Pixel(x, y), otherBefore.Pixel(x, y), 3), 0);
            }
        }
    }
}

void ExpectOnGrid(const T_RECT& region, int columnStep, int rowStep) {
    EXPECT_EQ(region.left % columnStep, 0);
    EXPECT_EQ(region.top % rowStep, 0);
    EXPECT_TRUE(region.right % columnStep == 0 || region.right == kWidth) << region.right;
    EXPECT_TRUE(region.bottom % rowStep == 0 || region.bottom == kHeight) << region.bottom;
    EXPECT_GE(region.left, 0);
    EXPECT_GE(region.top, 0);
    EXPECT_LE(region.right, kWidth);
    EXPECT_LE(region.bottom, kHeight);
}

bool Covers(const T_RECT& outer, const T_RECT& inner) {
    return outer.left <= inner.left && outer.top <= inner.top && inner.right <= outer.right &&
           inner.bottom <= outer.bottom;
}

bool Overlap(const T_RECT& a, const T_RECT& b) {
    return a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
}

} // namespace

// Every effect in the middle, on each side (where a blur runs on into the next row) and
// sticking out of the picture, small and large, in both row orders.
TEST(PaintReach, PaintingNeitherReadsNorWritesOutsideTheReach) {
    const T_RECT areas[] = {{30, 20, 70, 50}, {0, 10, 20, 40},   {80, 30, 100, 60},
                            {-5, -5, 12, 9},  {90, 60, 130, 90}, {41, 33, 44, 36}};
    for (int sizeId = 0; sizeId <= 10; ++sizeId) {
        for (const int size : {1, 5, 10, 30}) {
            for (const T_RECT& area : areas) {
                for (const bool topDown : {true, false}) {
                    SCOPED_TRACE(::testing::Message()
                                 << "type " << sizeId << " size " << size << " area " << area.left
                                 << "," << area.top << " top-down " << topDown);
                    ExpectReachHolds(area, size, sizeId, topDown);
                }
            }
        }
    }
}

TEST(PaintReach, TheReachIsTheAreaWithTheEffectsMargin) {
    const T_RECT middle{30, 20, 70, 50};
    // Fill and inversion stay inside; nothing is painted by an unknown type.
    EXPECT_EQ(CMosaicPainter::Reach(middle, 10, 6, kWidth, kHeight), middle);
    EXPECT_EQ(CMosaicPainter::Reach(middle, 10, 5, kWidth, kHeight), middle);
    EXPECT_TRUE(CMosaicPainter::Reach(middle, 10, 10, kWidth, kHeight).IsEmpty());
    EXPECT_TRUE(CMosaicPainter::Reach(T_RECT{200, 0, 300, 10}, 10, 6, kWidth, kHeight).IsEmpty());
    const int blur = CBoxBlurEffect::Radius(10) + 1;
    EXPECT_EQ(CMosaicPainter::Reach(middle, 10, 8, kWidth, kHeight),
              (T_RECT{30 - blur, 20 - blur, 70 + blur, 50 + blur}));
    // A blur on a side takes whole rows; a huge block size stays inside the picture.
    EXPECT_EQ(CMosaicPainter::Reach(T_RECT{0, 30, 10, 40}, 10, 8, kWidth, kHeight),
              (T_RECT{0, 30 - blur, kWidth, 40 + blur}));
    EXPECT_EQ(CMosaicPainter::Reach(middle, 2147483647, 0, kWidth, kHeight),
              (T_RECT{0, 0, kWidth, kHeight}));
}

TEST(PaintedRegions, CoverEveryReachOnTheGridWithoutOverlapping) {
    std::mt19937 generator(3);
    std::uniform_int_distribution<int> coordinate(-20, 120);
    for (int round = 0; round < 200; ++round) {
        std::vector<T_RECT> reaches;
        const int count = round % 6;
        for (int i = 0; i < count; ++i) {
            const int x = coordinate(generator);
            const int y = coordinate(generator);
            reaches.push_back(
                T_RECT{x, y, x + coordinate(generator) / 3 + 1, y + coordinate(generator) / 4 + 1});
        }
        const std::vector<T_RECT> regions = CPaintedRegions::Of(reaches, kWidth, kHeight, 16, 2);
        for (std::size_t i = 0; i < regions.size(); ++i) {
            ASSERT_FALSE(regions[i].IsEmpty());
            ExpectOnGrid(regions[i], 16, 2);
            for (std::size_t j = i + 1; j < regions.size(); ++j) {
                ASSERT_FALSE(Overlap(regions[i], regions[j]));
            }
        }
        for (const T_RECT& reach : reaches) {
            const T_RECT inside = CMosaicPainter::ClipToPicture(reach, kWidth, kHeight);
            if (!inside.IsEmpty()) {
                EXPECT_TRUE(std::any_of(regions.begin(), regions.end(),
                                        [&inside](const T_RECT& r) { return Covers(r, inside); }));
            }
        }
    }
}

TEST(PaintedRegions, RegionsThatOnlyTouchStayApartAndOverlapsJoinThroughARegionBetween) {
    const std::vector<T_RECT> row{{1, 1, 10, 9}, {20, 0, 30, 10}, {40, 0, 50, 10}};
    EXPECT_EQ(CPaintedRegions::Of(row, kWidth, kHeight, 16, 2),
              (std::vector<T_RECT>{{0, 0, 16, 10}, {16, 0, 32, 10}, {32, 0, 64, 10}}));
    std::vector<T_RECT> bridged = row;
    bridged.push_back(T_RECT{12, 2, 36, 4});
    EXPECT_EQ(CPaintedRegions::Of(bridged, kWidth, kHeight, 16, 2),
              (std::vector<T_RECT>{{0, 0, 64, 10}}));
    EXPECT_TRUE(CPaintedRegions::Of({{}, {200, 0, 300, 10}}, kWidth, kHeight, 16, 2).empty());
}
