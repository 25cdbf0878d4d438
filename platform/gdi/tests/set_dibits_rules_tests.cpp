#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <memory>
#include <ostream>

namespace {

using gditest::hex;
using gditest::picturePixel;
using gditest::Rows;
using gditest::untouched;

struct Args {
    int xDest, yDest;
    DWORD width, height;
    int xSrc, ySrc;
    UINT startScan, cLines;
};

// Calls SetDIBitsToDevice with a complete picture of the given size in its own row order.
int drawPicture(const gditest::Surface& surface, int width, int height, Rows rows, Args a) {
    const BITMAPINFO header = gditest::dibHeader(width, height, rows);
    const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(width, height, rows);
    return SetDIBitsToDevice(surface.dc(), a.xDest, a.yDest, a.width, a.height, a.xSrc, a.ySrc,
                             a.startScan, a.cLines, std::as_bytes(std::span(pixels)), &header,
                             DIB_RGB_COLORS);
}

struct ResultCase {
    const char* name;
    int pictureHeight;
    Rows rows;
    Args args;
    int result;
};

void PrintTo(const ResultCase& resultCase, std::ostream* out) {
    *out << resultCase.name;
}

const ResultCase resultCases[] = {
    {"BottomUpBandCutAtImageTop", 8, Rows::BottomUp, {0, 0, 8, 8, 0, 0, 3, 8}, 5},
    {"BottomUpStartAtHeight", 8, Rows::BottomUp, {0, 0, 8, 8, 0, 0, 8, 1}, 0},
    {"BottomUpHugeStart", 8, Rows::BottomUp, {0, 0, 8, 8, 0, 0, 0xFFFFFFFF, 8}, 0},
    {"BottomUpHugeLinesClampToImage", 8, Rows::BottomUp, {0, 0, 8, 8, 0, 0, 2, 0xFFFFFFFF}, 6},
    {"BottomUpCutAtSourceTop", 8, Rows::BottomUp, {0, 0, 8, 3, 0, 1, 0, 8}, 4},
    {"BottomUpBandAboveSource", 8, Rows::BottomUp, {0, 0, 8, 2, 0, 0, 4, 4}, 0},
    {"BottomUpOffSurfaceStillCounts", 8, Rows::BottomUp, {-100, 0, 8, 8, 0, 0, 0, 5}, 5},
    {"BottomUpFarXDestStillCounts", 8, Rows::BottomUp, {INT_MAX, 0, 8, 8, 0, 0, 0, 5}, 5},
    {"BottomUpSourceRectBelowImage", 8, Rows::BottomUp, {0, 0, 8, 2, 0, -3, 0, 8}, 0},
    {"BottomUpNegativeHeightWraps", 8, Rows::BottomUp, {0, 0, 8, 0x80000001, 0, -1, 0, 8}, 0},
    {"BottomUpTallImageShortBuffer", 10000, Rows::BottomUp, {0, 1, 2, 3, 0, 1, 0, 7}, 4},
    {"TopDownStartBeyondImage", 4, Rows::TopDown, {0, 0, 2, 2, 0, 0, 100, 5}, 5},
    {"TopDownLinesBeyondImage", 4, Rows::TopDown, {0, 0, 2, 2, 0, 0, 0, 7}, 7},
    {"TopDownXSrcOutside", 4, Rows::TopDown, {0, 0, 2, 2, 100, 0, 0, 2}, 2},
    {"TopDownYSrcOutside", 4, Rows::TopDown, {0, 0, 2, 2, 0, 100, 0, 2}, 2},
    {"TopDownFarXDest", 4, Rows::TopDown, {INT_MAX, 0, 2, 2, 0, 0, 0, 2}, 2},
    {"TopDownNegativeXDest", 4, Rows::TopDown, {-100, 0, 2, 2, 0, 0, 0, 2}, 2},
};

class ScanLineResult : public testing::TestWithParam<ResultCase> {};

TEST_P(ScanLineResult, CountsTheBandNotTheVisiblePixels) {
    const ResultCase& c = GetParam();
    gditest::Surface surface(8, 8, Rows::BottomUp);
    const BITMAPINFO header = gditest::dibHeader(2, c.pictureHeight, c.rows);
    // Only 8 rows of pixels exist, however tall the header says the image is.
    const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(2, 8, c.rows);
    const Args& a = c.args;
    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), a.xDest, a.yDest, a.width, a.height, a.xSrc, a.ySrc,
                                a.startScan, a.cLines, std::as_bytes(std::span(pixels)), &header,
                                DIB_RGB_COLORS),
              c.result);
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, ScanLineResult, testing::ValuesIn(resultCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetDIBitsToDevice, TopDownSingleLineBandLandsOnTheLowerRow) {
    gditest::Surface surface(2, 2, Rows::TopDown);
    EXPECT_EQ(drawPicture(surface, 2, 2, Rows::TopDown, {0, 0, 2, 2, 0, 0, 0, 1}), 1);
    const std::string expected = hex(untouched) + ' ' + hex(untouched) + '\n' +
                                 hex(picturePixel(0, 0)) + ' ' + hex(picturePixel(0, 1)) + '\n';
    EXPECT_EQ(surface.screenText(), expected);
}

TEST(SetDIBitsToDevice, ClipsAtTheSurfaceOnEverySide) {
    gditest::Surface surface(3, 3, Rows::BottomUp);
    EXPECT_EQ(drawPicture(surface, 4, 4, Rows::BottomUp, {-1, 1, 4, 4, 0, 0, 0, 4}), 4);
    const std::string expected = hex(untouched) + ' ' + hex(untouched) + ' ' + hex(untouched) +
                                 '\n' + hex(picturePixel(0, 1)) + ' ' + hex(picturePixel(0, 2)) +
                                 ' ' + hex(picturePixel(0, 3)) + '\n' + hex(picturePixel(1, 1)) +
                                 ' ' + hex(picturePixel(1, 2)) + ' ' + hex(picturePixel(1, 3)) +
                                 '\n';
    EXPECT_EQ(surface.screenText(), expected);
}

TEST(SetDIBitsToDevice, CopiesOnlyTheSourcePixelsInsideTheImage) {
    gditest::Surface surface(3, 3, Rows::TopDown);
    EXPECT_EQ(drawPicture(surface, 2, 2, Rows::TopDown, {0, 0, 3, 3, -1, -1, 0, 2}), 2);
    // Scan line -1 and column -1 lie outside the image: the bottom row and left column stay.
    const std::string expected =
        hex(untouched) + ' ' + hex(picturePixel(0, 0)) + ' ' + hex(picturePixel(0, 1)) + '\n' +
        hex(untouched) + ' ' + hex(picturePixel(1, 0)) + ' ' + hex(picturePixel(1, 1)) + '\n' +
        hex(untouched) + ' ' + hex(untouched) + ' ' + hex(untouched) + '\n';
    EXPECT_EQ(surface.screenText(), expected);
}

TEST(SetDIBitsToDevice, ExtremeCoordinatesDrawNothing) {
    gditest::Surface surface(4, 4, Rows::BottomUp);
    const std::string before = surface.screenText();
    EXPECT_EQ(drawPicture(surface, 4, 4, Rows::BottomUp,
                          {INT_MIN, INT_MIN, 0x7FFFFFFF, 0x7FFFFFFF, 0, 0, 0, 4}),
              4);
    EXPECT_EQ(drawPicture(surface, 4, 4, Rows::BottomUp,
                          {INT_MAX, INT_MAX, 0x7FFFFFFF, 0x7FFFFFFF, INT_MAX, INT_MAX, 0, 4}),
              4);
    EXPECT_EQ(drawPicture(surface, 4, 4, Rows::TopDown,
                          {0, 0, 0x80000000, 0x80000000, INT_MIN, INT_MIN, 0, 4}),
              4);
    EXPECT_EQ(surface.screenText(), before);
}

TEST(SetDIBitsToDevice, OnTheStockBitmapCountsLinesAndDrawsNothing) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const BITMAPINFO header = gditest::dibHeader(8, 8, Rows::BottomUp);
    const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(8, 8, Rows::BottomUp);
    EXPECT_EQ(SetDIBitsToDevice(dc, 0, 0, 8, 8, 0, 0, 0, 8, std::as_bytes(std::span(pixels)),
                                &header, DIB_RGB_COLORS),
              8);
    DeleteDC(dc);
}

// The bits buffer below holds `rows` complete rows and a few stray bytes; it lives on the heap
// at its exact size, so a read past it is caught by AddressSanitizer as well.
struct ShortBuffer {
    const char* name;
    Rows rows;
    UINT startScan, cLines;
    std::size_t bufferRows;
    int result;
    const char* screenRows;
};

void PrintTo(const ShortBuffer& shortBuffer, std::ostream* out) {
    *out << shortBuffer.name;
}

const ShortBuffer shortBuffers[] = {
    {"BottomUpDrawsTheHeldRows", Rows::BottomUp, 0, 8, 3, 8, ".....FGH"},
    {"BottomUpBandPastTheBuffer", Rows::BottomUp, 4, 4, 2, 4, "..GH...."},
    {"TopDownDrawsTheHeldRows", Rows::TopDown, 0, 8, 3, 8, "ABC....."},
    {"TopDownLongBand", Rows::TopDown, 0, 12, 5, 12, "E......."},
    {"EmptyBuffer", Rows::BottomUp, 0, 8, 0, 8, "........"},
};

class ShortBits : public testing::TestWithParam<ShortBuffer> {};

TEST_P(ShortBits, DrawOnlyTheRowsTheBufferHolds) {
    const ShortBuffer& c = GetParam();
    gditest::Surface surface(8, 8, Rows::BottomUp);
    const BITMAPINFO header = gditest::dibHeader(8, 8, c.rows);
    const std::vector<std::uint32_t> picture = gditest::pictureBuffer(8, 8, c.rows);
    const std::size_t bytes = c.bufferRows * 32 + 5;
    const auto held = std::make_unique<std::byte[]>(bytes);
    std::memcpy(held.get(), picture.data(), bytes);

    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 8, 8, 0, 0, c.startScan, c.cLines,
                                {held.get(), bytes}, &header, DIB_RGB_COLORS),
              c.result);
    std::vector<std::uint32_t> expected;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const char row = c.screenRows[y];
            expected.push_back(row == '.' ? untouched : picturePixel(row - 'A', x));
        }
    }
    EXPECT_EQ(surface.screenText(), gditest::hexRows(expected, 8));
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, ShortBits, testing::ValuesIn(shortBuffers),
                         [](const auto& info) { return std::string(info.param.name); });

// A header whose rows do not fit 32 bits is refused before anything is read.
TEST(SetDIBitsToDevice, HugeHeaderOverATinyBufferDrawsNothing) {
    gditest::Surface surface(4, 4, Rows::BottomUp);
    const std::string before = surface.screenText();
    const auto tiny = std::make_unique<std::byte[]>(8);
    for (const LONG height : {INT32_MAX, INT32_MIN, -1}) {
        BITMAPINFO header = gditest::dibHeader(1, 1, Rows::BottomUp);
        header.bmiHeader.biWidth = INT32_MAX;
        header.bmiHeader.biHeight = height;
        EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 4, 4, 0, 0, 0, 4, {tiny.get(), 8}, &header,
                                    DIB_RGB_COLORS),
                  0)
            << height;
    }
    EXPECT_EQ(surface.screenText(), before);
}

}  // namespace
