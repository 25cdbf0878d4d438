// The inputs the fuzzers found the GDI layer failing on, each reduced to one call. Headers are
// heap blocks of exactly the bytes Windows reads from them, so this runs under the fuzz build's
// AddressSanitizer and UndefinedBehaviorSanitizer; results and pixels come from the rules and,
// where they leave a case open, from Wine's gdi32 (checked under Wine 8).

#include "dib_fuzz_input.h"
#include "gdi/dib_section_dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

namespace {

using fuzzinput::headerBlock;
using fuzzinput::HeaderPlan;

struct Call {
    int xDest, yDest;
    DWORD width, height;
    int xSrc, ySrc;
    UINT startScan, cLines;
};

using ChangedBytes = std::vector<std::pair<std::size_t, std::uint8_t>>;

struct DrawCase {
    const char* finding;
    HeaderPlan header;
    // The bytes of the BITMAPINFO: the header, then only the masks or table Windows reads,
    // all zero (black) after the header.
    std::size_t infoBytes;
    UINT colorUse;
    std::vector<std::uint8_t> bits;
    Call call;
    int result;
    // An 8 x 8 top-down DIB section of this bit count, its colour table all black.
    WORD destinationBits;
    std::uint8_t fill;
    // The bytes of the destination the call changes; all others keep `fill`.
    ChangedBytes changed;
};

// 32-bpp destination pixels the call makes black.
ChangedBytes blackPixels(std::initializer_list<std::size_t> pixels) {
    ChangedBytes bytes;
    for (const std::size_t pixel : pixels) {
        for (std::size_t b = 0; b < 4; ++b) {
            bytes.emplace_back(pixel * 4 + b, 0);
        }
    }
    return bytes;
}

HeaderPlan header(LONG width, LONG height, WORD bitCount, DWORD compression) {
    HeaderPlan plan;
    plan.width = width;
    plan.height = height;
    plan.bitCount = bitCount;
    plan.compression = compression;
    return plan;
}

HeaderPlan rle8(LONG width, LONG height) {
    HeaderPlan plan = header(width, height, 8, BI_RLE8);
    plan.clrUsed = 4;
    plan.sizeImage = 8;
    return plan;
}

HeaderPlan oneColour(WORD bitCount) {
    HeaderPlan plan = header(1, -1, bitCount, BI_RGB);
    plan.clrUsed = 1;
    return plan;
}

// Runs of four pixels of index 1 on scan line 0 and of index 2 on scan line 1; the table's
// entries are zero, so both draw black.
const std::vector<std::uint8_t> twoRuns{4, 1, 0, 0, 4, 2, 0, 1};
const ChangedBytes twoRunsDrawn = blackPixels({16, 17, 18, 19, 24, 25, 26, 27});
const Call oneByOne{0, 0, 1, 1, 0, 0, 0, 1};

const DrawCase drawCases[] = {
    {"masks are not read from a header refused for its width",
     header(0, 1, 32, BI_BITFIELDS),
     40,
     DIB_RGB_COLORS,
     {0, 0, 0, 0},
     oneByOne,
     0,
     32,
     0xAA,
     {}},
    {"masks are not read from an 8-bpp BI_BITFIELDS header",
     header(1, 1, 8, BI_BITFIELDS),
     40,
     DIB_RGB_COLORS,
     {0, 0, 0, 0},
     oneByOne,
     0,
     32,
     0xAA,
     {}},
    {"masks are not read for a ColorUse SetDIBitsToDevice refuses",
     header(1, 1, 16, BI_BITFIELDS),
     40,
     3,
     {0, 0, 0, 0},
     oneByOne,
     0,
     32,
     0xAA,
     {}},
    {"an RLE header is not refused for a size no uncompressed DIB may have",
     rle8(4, 0x7FFFFFFF),
     56,
     DIB_RGB_COLORS,
     twoRuns,
     {0, 0, 4, 4, 0, 0, 0, 8},
     0x7FFFFFFF,
     32,
     0xAA,
     twoRunsDrawn},
    {"an RLE header is not refused for a size no uncompressed DIB may have",
     rle8(0x7FFFFFFF, 8),
     56,
     DIB_RGB_COLORS,
     twoRuns,
     {0, 0, 4, 4, 0, 0, 0, 8},
     8,
     32,
     0xAA,
     twoRunsDrawn},
    {"identical tables copy indices: a table with biClrUsed 1 reads as one black entry and black",
     oneColour(1),
     44,
     DIB_RGB_COLORS,
     {0x80, 0, 0, 0},
     oneByOne,
     1,
     1,
     0,
     {{0, 0x80}}},
    {"identical tables copy indices: a table with biClrUsed 1 reads as one black entry and black",
     oneColour(4),
     44,
     DIB_RGB_COLORS,
     {0x10, 0, 0, 0},
     oneByOne,
     1,
     4,
     0,
     {{0, 0x10}}},
    {"identical tables copy indices: a table with biClrUsed 1 reads as one black entry and black",
     oneColour(8),
     44,
     DIB_RGB_COLORS,
     {0x01, 0, 0, 0},
     oneByOne,
     1,
     8,
     0,
     {{0, 0x01}}},
};

class DrawRegression : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawRegression, GivesTheRuleResultWithinTheBuffers) {
    const DrawCase& c = GetParam();
    gdi::DibFormat destination = gdi::DibFormat::rgb32(8, 8, gdi::RowOrder::TopDown);
    destination.bitCount = c.destinationBits;
    destination.clrUsed = c.destinationBits <= 8 ? 1 : 0;
    destination.colours.assign(destination.clrUsed, 0);
    const gdi::DibSectionDC target(destination);
    ASSERT_TRUE(target.created());
    std::ranges::fill(target.bits(), std::byte{c.fill});
    const std::vector<std::byte> info = headerBlock(c.header, c.infoBytes);
    std::vector<std::byte> bits(c.bits.size());
    std::ranges::transform(c.bits, bits.begin(), [](std::uint8_t b) { return std::byte(b); });

    const int result =
        SetDIBitsToDevice(target.dc(), c.call.xDest, c.call.yDest, c.call.width, c.call.height,
                          c.call.xSrc, c.call.ySrc, c.call.startScan, c.call.cLines, bits,
                          reinterpret_cast<const BITMAPINFO*>(info.data()), c.colorUse);

    EXPECT_EQ(result, c.result) << c.finding;
    std::vector<std::uint8_t> expected(target.bits().size(), c.fill);
    for (const auto& [offset, value] : c.changed) {
        expected[offset] = value;
    }
    std::vector<std::uint8_t> actual(target.bits().size());
    std::ranges::transform(target.bits(), actual.begin(),
                           [](std::byte b) { return std::uint8_t(b); });
    EXPECT_EQ(actual, expected) << c.finding;
}

INSTANTIATE_TEST_SUITE_P(Findings, DrawRegression, testing::ValuesIn(drawCases));

struct SectionCase {
    const char* finding;
    HeaderPlan header;
    std::size_t infoBytes;
    UINT usage;
};

HeaderPlan planes(WORD count, WORD bitCount) {
    HeaderPlan plan = header(1, 1, bitCount, BI_RGB);
    plan.planes = count;
    return plan;
}

HeaderPlan bitfieldsPlanes(WORD count) {
    HeaderPlan plan = header(1, 1, 32, BI_BITFIELDS);
    plan.planes = count;
    return plan;
}

const SectionCase sectionCases[] = {
    {"masks are not read from a header refused for its width", header(-3, -4, 32, BI_BITFIELDS), 40,
     DIB_PAL_COLORS},
    {"masks are not read from an 8-bpp BI_BITFIELDS header", header(1, 1, 8, BI_BITFIELDS), 40,
     DIB_RGB_COLORS},
    {"masks are not read from a header refused for its size",
     header(0x7FFFFFFF, -12, 16, BI_BITFIELDS), 40, DIB_RGB_COLORS},
    {"masks are not read from a header refused for its planes", bitfieldsPlanes(0), 40,
     DIB_RGB_COLORS},
    {"masks are not read for a usage CreateDIBSection refuses", bitfieldsPlanes(1), 40, 3},
    {"planes x bit count does not overflow", planes(0xFFFF, 0xFFFF), 40, DIB_RGB_COLORS},
    {"planes x bit count does not overflow", planes(65533, 65533), 40, DIB_RGB_COLORS},
};

class SectionRegression : public testing::TestWithParam<SectionCase> {};

TEST_P(SectionRegression, IsRefusedWithinTheHeader) {
    const SectionCase& c = GetParam();
    const std::vector<std::byte> info = headerBlock(c.header, c.infoBytes);
    const HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;

    const HBITMAP section = CreateDIBSection(dc, reinterpret_cast<const BITMAPINFO*>(info.data()),
                                             c.usage, &bits, nullptr, 0);

    EXPECT_EQ(section, nullptr) << c.finding;
    EXPECT_EQ(bits, nullptr) << c.finding;
    DeleteObject(section);
    DeleteDC(dc);
}

INSTANTIATE_TEST_SUITE_P(Findings, SectionRegression, testing::ValuesIn(sectionCases));

struct ReadCase {
    const char* finding;
    HeaderPlan request;
    UINT startScan, cLines;
    int result;
};

HeaderPlan noPlanes() {
    HeaderPlan plan = header(16, 9, 32, BI_RGB);
    plan.planes = 0;
    return plan;
}

const ReadCase readCases[] = {
    {"a request with biPlanes 0 is refused, also past the last scan line", noPlanes(), 9, 9, 0},
    {"a request with biPlanes 0 is refused, also past the last scan line", noPlanes(), 0x7FFFFFFF,
     0x7FFFFFFF, 0},
};

class ReadRegression : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadRegression, GivesTheRuleResult) {
    const ReadCase& c = GetParam();
    gdi::DibFormat format = gdi::DibFormat::rgb32(6, 8, gdi::RowOrder::BottomUp);
    format.bitCount = 16;
    const gdi::DibSectionDC bitmap(format);
    ASSERT_TRUE(bitmap.created());
    std::vector<std::byte> info = headerBlock(c.request, sizeof(BITMAPINFOHEADER));
    std::vector<std::byte> bits(16 * 4 * 9);

    const int result = GetDIBits(bitmap.dc(), bitmap.bitmap(), c.startScan, c.cLines, bits,
                                 reinterpret_cast<BITMAPINFO*>(info.data()), DIB_RGB_COLORS);

    EXPECT_EQ(result, c.result) << c.finding;
}

INSTANTIATE_TEST_SUITE_P(Findings, ReadRegression, testing::ValuesIn(readCases));

}  // namespace
