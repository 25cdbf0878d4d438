#include "workbench/enlarge.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "picture_pixels.h"

namespace {

using workbench::enlargePixels;
using workbench::PixelSize;

std::int32_t opaque(std::int32_t pixel) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(pixel) | 0xFF000000u);
}

TEST(EnlargePixels, EverySmallPixelFillsItsUprightBlockWithTopByteSet) {
    const auto small = distinctPixels();
    const auto big = enlargePixels(small, {8, 8}, {64, 64});
    ASSERT_EQ(big.size(), 4096u);
    for (int bigY = 0; bigY < 64; ++bigY) {
        for (int bigX = 0; bigX < 64; ++bigX) {
            ASSERT_EQ(big[bigY * 64 + bigX], opaque(small[(bigY / 8) * 8 + bigX / 8]))
                << "big column " << bigX << ", scan line " << bigY;
        }
    }
}

TEST(EnlargePixels, ThirdPixelOfTheBottomRowCoversColumns16To23OfTheBottomEightRows) {
    std::vector<std::int32_t> small(64, 0);
    small[2] = 0x00123456;
    const auto big = enlargePixels(small, {8, 8}, {64, 64});
    std::vector<int> covered;
    for (int i = 0; i < 4096; ++i) {
        if (big[i] == opaque(0x00123456)) covered.push_back(i);
    }
    ASSERT_EQ(covered.size(), 64u);
    EXPECT_EQ(covered.front(), 16);
    EXPECT_EQ(covered[8], 80);
    EXPECT_EQ(covered.back(), 471);
}

TEST(EnlargePixels, TopRightPixelCoversTheLastBlock) {
    std::vector<std::int32_t> small(64, 0);
    small[63] = 0x0000FF00;
    const auto big = enlargePixels(small, {8, 8}, {64, 64});
    EXPECT_EQ(big[3640], opaque(0x0000FF00));
    EXPECT_EQ(big[4095], opaque(0x0000FF00));
    EXPECT_EQ(big[3639], opaque(0));
    EXPECT_EQ(big[3640 - 64], opaque(0));
}

TEST(EnlargePixels, TopByteOfTheSmallPixelIsReplaced) {
    const std::vector<std::int32_t> small(1, 0x12ABCDEF);
    const auto big = enlargePixels(small, {1, 1}, {8, 8});
    for (const std::int32_t value : big) EXPECT_EQ(static_cast<std::uint32_t>(value), 0xFFABCDEFu);
}

TEST(EnlargePixels, BigPixelsOutsideTheBlocksStayBlackWithoutTopByte) {
    const std::vector<std::int32_t> small(4, 0x00FFFFFF);
    const auto big = enlargePixels(small, {2, 2}, {20, 18});
    ASSERT_EQ(big.size(), 360u);
    EXPECT_EQ(big[15 * 20 + 15], opaque(0x00FFFFFF));
    EXPECT_EQ(big[15 * 20 + 16], 0);
    EXPECT_EQ(big[16 * 20 + 0], 0);
    EXPECT_EQ(big[17 * 20 + 19], 0);
}

TEST(EnlargePixels, BlocksAreCutAtTheEdgeInsteadOfWrappingIntoTheNextRow) {
    std::vector<std::int32_t> small(4, 0);
    small[1] = 0x000000FF;  // bottom right of a 2 x 2 picture
    const auto big = enlargePixels(small, {2, 2}, {12, 12});
    ASSERT_EQ(big.size(), 144u);
    for (int y = 0; y < 12; ++y) {
        for (int x = 0; x < 12; ++x) {
            const bool inBlock = x >= 8 && y < 8;
            EXPECT_EQ(big[y * 12 + x] == opaque(0x000000FF), inBlock) << x << "," << y;
        }
    }
}

TEST(EnlargePixels, ShortSmallArrayEnlargesOnlyWhatItHolds) {
    const std::vector<std::int32_t> small(3, 0x00010203);
    const auto big = enlargePixels(small, {2, 2}, {16, 16});
    EXPECT_EQ(big[8 * 16 + 0], opaque(0x00010203));
    EXPECT_EQ(big[8 * 16 + 8], 0);
}

}  // namespace
