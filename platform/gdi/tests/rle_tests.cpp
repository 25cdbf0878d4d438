#include "format_test_support.h"
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <memory>
#include <ostream>

namespace {

using gditest::dib;

// Index i of every RLE source here has the colour 0xC00000 + i.
std::vector<DWORD> indexColours() {
    std::vector<DWORD> colours;
    for (DWORD i = 0; i < 16; ++i) {
        colours.push_back(0xC00000 + i);
    }
    return colours;
}

std::vector<std::byte> bytesOf(const char* hex) {
    std::vector<std::byte> bytes;
    for (const char* digit = hex; *digit; ++digit) {
        if (*digit != ' ') {
            bytes.push_back(std::byte(std::stoi(std::string(digit, 2), nullptr, 16)));
            ++digit;
        }
    }
    return bytes;
}

struct RleArgs {
    int xDest = 0, yDest = 0;
    DWORD width = 8, height = 1;
    int xSrc = 0, ySrc = 0;
    UINT startScan = 0, cLines = 1;
};

// A stream drawn onto an 8-wide 32-bpp section as tall as the request. `screen` lists the rows
// top first, '|' between them: a hexadecimal digit is the index drawn, '.' a pixel left alone.
struct StreamCase {
    const char* name;
    WORD bitCount;
    LONG biWidth;
    const char* stream;
    RleArgs args;
    const char* screen;
    // biSizeImage when not the stream's length.
    DWORD sizeImage = 0;
};

void PrintTo(const StreamCase& c, std::ostream* out) {
    *out << c.name;
}

constexpr RleArgs twoLines{0, 0, 8, 2, 0, 0, 0, 2};
constexpr RleArgs fourLines{0, 0, 8, 4, 0, 0, 0, 4};

const StreamCase streams[] = {
    {"Rle8RunsAndEndOfLine", 8, 8, "0301 0000 0202 0001", twoLines, "22......|111....."},
    {"Rle4RunStartsHighAtAnOddColumn", 4, 8, "0002 0300 0768 0001", {}, "...68686"},
    {"Rle8AbsoluteRunPaddedToEvenBytes", 8, 8, "0003 040506 00 0201 0001", {}, "45611..."},
    {"Rle4AbsoluteRunHighNibbleFirst", 4, 8, "0002 0300 0005 79FDB0 00 0001", {}, "...79FDB"},
    {"Rle4AbsoluteRunOfThreeNeedsNoPadding", 4, 8, "0003 1230 0101 0001", {}, "1230...."},
    {"DeltaMovesRightAndUp", 8, 8, "0301 0000 0301 0002 0102 0201 0001", fourLines,
     "....11..|........|111.....|111....."},
    {"RunsStopAtTheRightEdge", 8, 8, "0002 0400 0501 0000 0001", twoLines, "........|....1111"},
    {"LiteralsPastTheEdgeAreSkipped", 8, 8, "0002 0600 0004 01020304 0105 0000 0106 0001", twoLines,
     "6.......|......12"},
    {"DeltaPastTheEdgeDropsTheLine", 8, 8, "0002 0900 0101 0000 0102 0001", twoLines,
     "2.......|........"},
    {"EndOfLineAboveTheTopStops", 8, 8, "0101 0000 0102 0000 0103 0001", twoLines,
     "2.......|1......."},
    {"DeltaAboveTheTopStops", 8, 8, "0101 0002 0005 0103 0001", twoLines, "........|1......."},
    {"EndOfBitmapLeavesTheRest", 8, 8, "0101 0001 0102 0000", twoLines, "........|1......."},
    {"LastLineWithoutAnEscapeIsNotDrawn", 8, 8, "0301 0000 0202", twoLines, "........|111....."},
    {"TruncatedLiteralsStop", 8, 8, "0101 0000 0004 0102", twoLines, "........|1......."},
    {"TruncatedDeltaStillEndsTheLine", 8, 8, "0201 0002 01", {}, "11......"},
    {"DecodesBeyondBiWidth", 8, 2, "0601 0001", {}, "111111.."},
    {"DecodeAreaIsTheRequest", 8, 8, "0601 0001", {0, 0, 4, 1, 0, 0, 0, 1}, "1111...."},
    {"PlacedLikeUncompressedSources",
     8,
     8,
     "0401 0000 0402 0001",
     {1, 0, 8, 1, 2, 1, 0, 1},
     ".22....."},
    {"SizeImageEndsTheStream", 8, 8, "0101 0000 0102 0001", twoLines, "........|1.......", 4},
    {"SizeImageOneDrawsNothing", 8, 8, "0101 0001", {}, "........", 1},
};

class RleStream : public testing::TestWithParam<StreamCase> {};

TEST_P(RleStream, DrawsOnlyThePixelsItSets) {
    const StreamCase& c = GetParam();
    const std::vector<std::byte> stream = bytesOf(c.stream);
    gdi::DibFormat format = dib(c.bitCount, c.biWidth, LONG(c.args.height), indexColours());
    format.compression = c.bitCount == 8 ? BI_RLE8 : BI_RLE4;
    format.sizeImage = c.sizeImage ? c.sizeImage : DWORD(stream.size());
    const gdi::DibInfo info(format);
    gditest::Section destination(dib(32, 8, LONG(c.args.height)), gditest::untouched);
    // An exact-size heap block, so that a read past the stream is caught by AddressSanitizer.
    const auto held = std::make_unique<std::byte[]>(stream.size());
    std::copy(stream.begin(), stream.end(), held.get());

    const RleArgs& a = c.args;
    EXPECT_EQ(SetDIBitsToDevice(destination.dc(), a.xDest, a.yDest, a.width, a.height, a.xSrc,
                                a.ySrc, a.startScan, a.cLines, {held.get(), stream.size()},
                                info.get(), DIB_RGB_COLORS),
              LONG(c.args.height));
    std::vector<std::uint32_t> expected;
    for (const char* cell = c.screen; *cell; ++cell) {
        if (*cell != '|') {
            expected.push_back(*cell == '.' ? gditest::untouched
                                            : 0xC00000u + std::uint32_t(std::stoi(
                                                              std::string(1, *cell), nullptr, 16)));
        }
    }
    EXPECT_EQ(gditest::hexList(destination.values()), gditest::hexList(expected));
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, RleStream, testing::ValuesIn(streams),
                         [](const auto& info) { return std::string(info.param.name); });

// The result of an RLE source: its header height, whatever the band, or 0 where the source
// rectangle is empty in 32-bit arithmetic.
struct ResultCase {
    const char* name;
    RleArgs args;
    int result;
};

void PrintTo(const ResultCase& c, std::ostream* out) {
    *out << c.name;
}

const ResultCase results[] = {
    {"WholeImage", {0, 0, 4, 9, 0, 0, 0, 9}, 9},
    {"BandIgnored", {0, 0, 4, 9, 0, 0, 1, 1}, 9},
    {"LinesBeyondTheImage", {0, 0, 4, 9, 0, 0, 0, 20}, 9},
    {"OffTheSurface", {-100, 500, 4, 9, 0, 0, 0, 9}, 9},
    {"LinesZero", {0, 0, 4, 9, 0, 0, 0, 0}, 0},
    {"WidthZero", {0, 0, 0, 9, 0, 0, 0, 9}, 0},
    {"HeightZero", {0, 0, 4, 0, 0, 0, 0, 9}, 0},
    {"AreaLeftOfColumnZero", {0, 0, 4, 9, -4, 0, 0, 9}, 0},
    {"AreaBelowScanLineZero", {0, 0, 4, 9, 0, -9, 0, 9}, 0},
    {"NegativeWidth", {0, 0, 0xFFFFFFFF, 9, 5, 0, 0, 9}, 0},
    {"NegativeHeight", {0, 0, 4, 0xFFFFFFFF, 0, 10, 0, 9}, 0},
    {"WidthWrapsPast32Bits", {0, 0, 0xFFFFFFFF, 9, 0x7FFFFFFF, 0, 0, 9}, 0},
};

class RleResult : public testing::TestWithParam<ResultCase> {};

TEST_P(RleResult, IsTheHeaderHeightOrZero) {
    const ResultCase& c = GetParam();
    const std::vector<std::byte> stream = bytesOf("0401 0000 0402 0001");
    gdi::DibFormat format = dib(8, 4, 9, indexColours());
    format.compression = BI_RLE8;
    format.sizeImage = DWORD(stream.size());
    const gdi::DibInfo info(format);
    gditest::Section destination(dib(32, 4, 9), gditest::untouched);
    const RleArgs& a = c.args;
    EXPECT_EQ(SetDIBitsToDevice(destination.dc(), a.xDest, a.yDest, a.width, a.height, a.xSrc,
                                a.ySrc, a.startScan, a.cLines, stream, info.get(), DIB_RGB_COLORS),
              c.result);
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, RleResult, testing::ValuesIn(results),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
