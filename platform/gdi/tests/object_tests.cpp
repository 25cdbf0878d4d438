#include "gdi/gdi.h"

#include <gtest/gtest.h>

TEST(CreateCompatibleDC, StartsWithTheMonochromeStockBitmap)
{
    const HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    BITMAP record{};
    ASSERT_EQ(GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof record, &record), 24);
    EXPECT_EQ(record.bmWidth, 1);
    EXPECT_EQ(record.bmBitsPixel, 1);
    EXPECT_EQ(DeleteDC(dc), TRUE);
}
