#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <ostream>
#include <tuple>

namespace {

using gditest::Rows;

// One bench-sized call on an 8x8 picture and an 8x8 destination. The row strings list, top to
// bottom, which picture row (A = top) each destination row receives; '.' means unchanged.
struct Example {
    const char* name;
    int xDest, yDest;
    DWORD width, height;
    int xSrc, ySrc;
    UINT startScan, cLines;
    const char* bottomUpRows;
    int bottomUpResult;
    const char* topDownRows;
    int topDownResult;
    int lastColumn = 7;
};

constexpr DWORD minusOne = 0xFFFFFFFF;

const Example examples[] = {
    {"Defaults", 0, 0, 8, 8, 0, 0, 0, 8, "ABCDEFGH", 8, "ABCDEFGH", 8},
    {"Lines4", 0, 0, 8, 8, 0, 0, 0, 4, "....EFGH", 4, "....ABCD", 4},
    {"Start4Lines4", 0, 0, 8, 8, 0, 0, 4, 4, "EFGH....", 4, "ABCD....", 4},
    {"Start2Lines3", 0, 0, 8, 8, 0, 0, 2, 3, "...FGH..", 3, "...ABC..", 3},
    {"YSrc2", 0, 0, 8, 8, 0, 2, 0, 8, "..ABCDEF", 8, "..ABCDEF", 8},
    {"YSrcMinus2", 0, 0, 8, 8, 0, -2, 0, 8, "CDEFGH..", 6, "CDEFGH..", 8},
    {"YDest3", 0, 3, 8, 8, 0, 0, 0, 8, "...ABCDE", 8, "...ABCDE", 8},
    {"YDestMinus3", 0, -3, 8, 8, 0, 0, 0, 8, "DEFGH...", 8, "DEFGH...", 8},
    {"Height3", 0, 0, 8, 3, 0, 0, 0, 8, "FGH.....", 3, "FGH.....", 8},
    {"Height3YSrc5", 0, 0, 8, 3, 0, 5, 0, 8, "ABC.....", 8, "ABC.....", 8},
    {"Lines12", 0, 0, 8, 8, 0, 0, 0, 12, "ABCDEFGH", 8, "EFGH....", 12},
    {"Start8", 0, 0, 8, 8, 0, 0, 8, 8, "........", 0, "........", 8},
    {"Lines4YSrc4Height4", 0, 0, 8, 4, 0, 4, 0, 4, "........", 4, "........", 4},
    {"XSrc5", 0, 0, 8, 8, 5, 0, 0, 8, "ABCDEFGH", 8, "ABCDEFGH", 8, 2},
    {"XSrc8", 0, 0, 8, 8, 8, 0, 0, 8, "........", 8, "........", 8},
    {"Height0", 0, 0, 8, 0, 0, 0, 0, 8, "........", 0, "........", 8},
    {"Width0", 0, 0, 0, 8, 0, 0, 0, 8, "........", 8, "........", 8},
    {"WidthMinus1", 0, 0, minusOne, 8, 0, 0, 0, 8, "........", 8, "........", 8},
    {"HeightMinus1", 0, 0, 8, minusOne, 0, 0, 0, 8, "........", 0, "........", 8},
    {"Lines0", 0, 0, 8, 8, 0, 0, 0, 0, "........", 0, "........", 0},
};

// Bands that reach past the image's top, where only the top-down rule may draw rows above it.
const Example bandsBeyondTheTop[] = {
    {"Start2Lines8YSrc4", 0, 0, 8, 8, 0, 4, 2, 8, "....CDEF", 6, "..ABCDEF", 8},
    {"Start2Lines8YSrc8", 0, 0, 8, 8, 0, 8, 2, 8, "........", 6, "......AB", 8},
    {"Start6Lines4YSrcMinus1", 0, 0, 8, 8, 0, -1, 6, 4, "H.......", 1, "D.......", 4},
};

void PrintTo(const Example& example, std::ostream* out) {
    *out << example.name;
}

std::string expectedScreen(const Example& example, const char* rows) {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            const bool drawn = rows[y] != '.' && x <= example.lastColumn;
            pixels.push_back(drawn ? gditest::picturePixel(rows[y] - 'A', x + example.xSrc)
                                   : gditest::untouched);
        }
    }
    return gditest::hexRows(pixels, 8);
}

class WorkedExample : public testing::TestWithParam<std::tuple<Example, Rows, Rows>> {};

TEST_P(WorkedExample, DrawsTheListedRowsAndReturnsTheWindowsResult) {
    const auto& [example, sourceRows, destRows] = GetParam();
    gditest::Surface surface(8, 8, destRows);
    const BITMAPINFO header = gditest::dibHeader(8, 8, sourceRows);
    const std::vector<std::uint32_t> bits = gditest::pictureBuffer(8, 8, sourceRows);

    const int result =
        SetDIBitsToDevice(surface.dc(), example.xDest, example.yDest, example.width, example.height,
                          example.xSrc, example.ySrc, example.startScan, example.cLines,
                          std::as_bytes(std::span(bits)), &header, DIB_RGB_COLORS);

    const bool topDown = sourceRows == Rows::TopDown;
    EXPECT_EQ(result, topDown ? example.topDownResult : example.bottomUpResult);
    EXPECT_EQ(surface.screenText(),
              expectedScreen(example, topDown ? example.topDownRows : example.bottomUpRows));
}

std::string exampleName(const testing::TestParamInfo<WorkedExample::ParamType>& info) {
    const auto& [example, sourceRows, destRows] = info.param;
    return std::string(example.name) +
           (sourceRows == Rows::TopDown ? "_TopDownSource" : "_BottomUpSource") +
           (destRows == Rows::TopDown ? "_TopDownDest" : "_BottomUpDest");
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, WorkedExample,
                         testing::Combine(testing::ValuesIn(examples),
                                          testing::Values(Rows::BottomUp, Rows::TopDown),
                                          testing::Values(Rows::BottomUp, Rows::TopDown)),
                         exampleName);

}  // namespace

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDeviceBandBeyondTop, WorkedExample,
                         testing::Combine(testing::ValuesIn(bandsBeyondTheTop),
                                          testing::Values(Rows::BottomUp, Rows::TopDown),
                                          testing::Values(Rows::BottomUp, Rows::TopDown)),
                         exampleName);
