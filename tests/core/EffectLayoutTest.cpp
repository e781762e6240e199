#include "CTestPictures.h"

#include "media/CNearestStretch.h"
#include "mosaic/CFrameLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace {

long long Area(const T_RECT& r) {
    return r.IsEmpty() ? 0 : static_cast<long long>(r.right - r.left) * (r.bottom - r.top);
}

bool Within(const T_RECT& inner, const T_RECT& outer) {
    return inner.IsEmpty() || (inner.left >= outer.left && inner.top >= outer.top &&
                               inner.right <= outer.right && inner.bottom <= outer.bottom);
}

} // namespace

TEST(EffectLayout, WideWindowGetsBarsLeftAndRight) {
    const CFrameLayout layout(T_RECT{0, 0, 1002, 502}, 640, 480);
    EXPECT_EQ(layout.Inner(), (T_RECT{1, 1, 1001, 501}));
    EXPECT_EQ(layout.Picture(), (T_RECT{168, 1, 834, 501}));
    EXPECT_EQ(layout.FirstBar(), (T_RECT{1, 1, 168, 501}));
    EXPECT_EQ(layout.SecondBar(), (T_RECT{834, 1, 1001, 501}));
}

TEST(EffectLayout, TallOrMatchingWindowGetsBarsAboveAndBelow) {
    const CFrameLayout tall(T_RECT{10, 20, 212, 622}, 640, 480);
    EXPECT_EQ(tall.Picture(), (T_RECT{11, 246, 211, 396}));
    EXPECT_EQ(tall.FirstBar(), (T_RECT{11, 21, 211, 246}));
    EXPECT_EQ(tall.SecondBar(), (T_RECT{11, 396, 211, 621}));

    const CFrameLayout exact(T_RECT{0, 0, 642, 482}, 640, 480);
    EXPECT_EQ(exact.Picture(), (T_RECT{1, 1, 641, 481}));
    EXPECT_TRUE(exact.FirstBar().IsEmpty());
    EXPECT_TRUE(exact.SecondBar().IsEmpty());
}

TEST(EffectLayout, NothingToShowLeavesTheTargetBlack) {
    const CFrameLayout noRoom(T_RECT{5, 5, 7, 100}, 640, 480);
    EXPECT_TRUE(noRoom.Picture().IsEmpty());
    const CFrameLayout noPicture(T_RECT{0, 0, 100, 50}, 0, 480);
    EXPECT_EQ(noPicture.Picture(), T_RECT{});
    EXPECT_EQ(noPicture.FirstBar(), (T_RECT{1, 1, 99, 49}));
}

TEST(EffectLayout, PictureAndBarsTileTheInnerTarget) {
    std::mt19937 generator(7);
    std::uniform_int_distribution<int> extent(3, 3000);
    std::uniform_int_distribution<int> origin(-500, 500);
    for (int trial = 0; trial < 500; ++trial) {
        const int left = origin(generator);
        const int top = origin(generator);
        const T_RECT target{left, top, left + extent(generator), top + extent(generator)};
        const CFrameLayout layout(target, extent(generator), extent(generator));
        ASSERT_TRUE(Within(layout.Picture(), layout.Inner()));
        ASSERT_TRUE(Within(layout.FirstBar(), layout.Inner()));
        ASSERT_TRUE(Within(layout.SecondBar(), layout.Inner()));
        ASSERT_EQ(Area(layout.Picture()) + Area(layout.FirstBar()) + Area(layout.SecondBar()),
                  Area(layout.Inner()));
    }
}

TEST(EffectStretch, RepeatsOrDropsPixelsIntoATopDownPicture) {
    const CFrameBuffer source = CTestPictures::Random(3, 2, false, 1);
    CNearestStretch stretch;
    CFrameBuffer out;
    stretch.Stretch(source, 6, 4, out);
    ASSERT_EQ(out.Width(), 6);
    ASSERT_EQ(out.Height(), 4);
    EXPECT_TRUE(out.TopDown());
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 6; ++x) {
            ASSERT_TRUE(
                std::equal(out.Pixel(x, y), out.Pixel(x, y) + 3, source.Pixel(x / 2, y / 2)));
        }
    }

    const CFrameBuffer large = CTestPictures::Random(7, 5, true, 2);
    stretch.Stretch(large, 3, 2, out);
    const int columns[] = {0, 2, 4};
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 3; ++x) {
            ASSERT_TRUE(std::equal(out.Pixel(x, y), out.Pixel(x, y) + 3,
                                   large.Pixel(columns[x], y * 5 / 2)));
        }
    }

    stretch.Stretch(large, 0, 10, out);
    EXPECT_TRUE(out.Empty());
}
