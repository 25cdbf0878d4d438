#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "ui/picture.h"

namespace {

constexpr std::uint32_t kWhite = 0x00FFFFFF;

void fill(const ui::Picture& picture, RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(picture.hDC(), &area, brush);
    DeleteObject(brush);
}

std::uint32_t pixelAt(const ui::Picture& picture, int x, int y) {
    return ui::imagePixels(picture).at(static_cast<std::size_t>(y * picture.Width + x));
}

bool allPixelsAre(const ui::Picture& picture, std::uint32_t value) {
    for (const std::uint32_t pixel : ui::imagePixels(picture)) {
        if (pixel != value) return false;
    }
    return true;
}

TEST(Picture, StartsAsWhiteImageSelectedIntoItsDc) {
    ui::Picture picture("pic", 8, 8);
    EXPECT_EQ(GetCurrentObject(picture.hDC(), OBJ_BITMAP), picture.Image());
    ASSERT_EQ(ui::imagePixels(picture).size(), 64u);
    EXPECT_TRUE(allPixelsAre(picture, kWhite));
}

TEST(Picture, DrawingThroughHdcPersistsAcrossRefresh) {
    ui::Picture picture("pic", 8, 8);
    int refreshes = 0;
    picture.onRefresh = [&] { ++refreshes; };
    fill(picture, {2, 1, 4, 3}, 0x000000FF);
    picture.Refresh();
    EXPECT_EQ(refreshes, 1);
    EXPECT_EQ(pixelAt(picture, 2, 1), 0x00FF0000u);
    EXPECT_EQ(pixelAt(picture, 3, 2), 0x00FF0000u);
    EXPECT_EQ(pixelAt(picture, 4, 2), kWhite);
    EXPECT_EQ(pixelAt(picture, 2, 3), kWhite);
}

TEST(Picture, BackColourClearsToTheNewColourInPixelByteOrder) {
    ui::Picture picture("pic", 8, 8);
    fill(picture, {0, 0, 1, 1}, 0);
    picture.setBackColor(0x000080FF);
    EXPECT_EQ(picture.BackColor(), 0x000080FFu);
    EXPECT_TRUE(allPixelsAre(picture, 0x00FF8000));
}

TEST(Picture, ClsClearsToTheCurrentBackColour) {
    ui::Picture picture("pic", 8, 8);
    picture.setBackColor(0x00123456);
    fill(picture, {0, 0, 8, 4}, 0x00FFFFFF);
    picture.Cls();
    EXPECT_TRUE(allPixelsAre(picture, 0x00563412));
}

TEST(Picture, ResizeKeepsTheOverlapAndShowsBackColourElsewhere) {
    ui::Picture picture("pic", 9, 8);
    picture.setBackColor(0x00112233);
    fill(picture, {0, 0, 1, 1}, 0x00FF0000);
    picture.setWidth(8);
    picture.setHeight(10);
    EXPECT_EQ(picture.ScaleWidth(), 8.0);
    EXPECT_EQ(picture.ScaleHeight(), 10.0);
    EXPECT_EQ(pixelAt(picture, 0, 0), 0x000000FFu);
    EXPECT_EQ(pixelAt(picture, 7, 7), 0x00332211u);
    EXPECT_EQ(pixelAt(picture, 7, 9), 0x00332211u);
    picture.setBackColor(0x00FFFFFF);
    EXPECT_TRUE(allPixelsAre(picture, kWhite));
}

TEST(Picture, ImageFollowsTheNewSizeAsA32BitBitmap) {
    ui::Picture picture("pic", 9, 8);
    picture.setSize(64, 64);
    EXPECT_EQ(GetCurrentObject(picture.hDC(), OBJ_BITMAP), picture.Image());
    BITMAP info{};
    ASSERT_EQ(GetObjectA(picture.Image(), sizeof info, &info), static_cast<int>(sizeof info));
    EXPECT_EQ(info.bmWidth, 64);
    EXPECT_EQ(info.bmHeight, 64);
    EXPECT_EQ(info.bmBitsPixel, 32);
    EXPECT_EQ(ui::imagePixels(picture).size(), 64u * 64u);
}

}  // namespace
