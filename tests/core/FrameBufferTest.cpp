#include "platform/CFrameBuffer.h"

#include <gtest/gtest.h>

TEST(FrameBuffer, RowsArePaddedToFourBytesAndFollowTheRowOrder) {
    CFrameBuffer odd(170, 3, false);
    EXPECT_EQ(odd.Stride(), 512u);
    EXPECT_EQ(odd.PackedRowBytes(), 510u);
    EXPECT_EQ(odd.ByteSize(), 512u * 3);
    EXPECT_EQ(odd.PictureRow(0), odd.MemoryRow(2));
    EXPECT_EQ(odd.Pixel(1, 2), odd.MemoryRow(0) + 3);

    CFrameBuffer aligned(640, 2, true);
    EXPECT_EQ(aligned.Stride(), 1920u);
    EXPECT_EQ(aligned.PictureRow(1), aligned.MemoryRow(1));
}
