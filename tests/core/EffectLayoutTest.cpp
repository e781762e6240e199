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

// Target, picture size, then the expected picture rectangle and bars.
TEST(EffectLayout, PictureIsCentredBetweenTwoBlackBars) {
    struct Case {
        T_RECT target;
        int width;
        int height;
        T_RECT picture;
        T_RECT firstBar;
        T_RECT secondBar;
    };
    const Case cases[] = {
        // Wider than the picture: inner 1000 x 500, w = trunc(500 * 4 / 3) = 666, ox = 167.
        {{0, 0, 1002, 502}, 640, 480, {168, 1, 834, 501}, {1, 1, 168, 501}, {834, 1, 1001, 501}},
        {{10, 20, 212, 622},
         640,
         480,
         {11, 246, 211, 396},
         {11, 21, 211, 246},
         {11, 396, 211, 621}},
        {{0, 0, 642, 482}, 640, 480, {1, 1, 641, 481}, {1, 1, 641, 1}, {1, 481, 641, 481}},
        // Nothing to show: no picture rectangle, the inner target stays black.
        {{0, 0, 100, 50}, 0, 480, {}, {1, 1, 99, 49}, {}},
        {{5, 5, 7, 100}, 640, 480, {}, {}, {}},
    };
    for (const Case& c : cases) {
        const CFrameLayout layout(c.target, c.width, c.height);
        EXPECT_EQ(layout.Picture(), c.picture) << c.target.right;
        EXPECT_EQ(layout.FirstBar(), c.firstBar) << c.target.right;
        EXPECT_EQ(layout.SecondBar(), c.secondBar) << c.target.right;
    }
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
