// The inputs the fuzzers found the GDI layer failing on, each reduced to one call. Headers are
// heap blocks of exactly the bytes Windows reads from them, so this runs under the fuzz build's
// AddressSanitizer and UndefinedBehaviorSanitizer; results come from the rules and from Wine.

#include "dib_fuzz_input.h"
#include "gdi/dib_section_dc.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
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

struct DrawCase {
    const char* finding;
    HeaderPlan header;
    // The bytes of the BITMAPINFO: the header, then only the masks or table Windows reads.
    std::size_t infoBytes;
    std::vector<std::uint8_t> bits;
    Call call;
    int result;
    // Destination pixels (index into the 8 x 8 top-down surface) the call sets, to 0.
    std::vector<std::size_t> cleared;
};

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

// Runs of four pixels of index 1 on scan line 0 and of index 2 on scan line 1; the table's
// entries are zero, so both draw black.
const std::vector<std::uint8_t> twoRuns{4, 1, 0, 0, 4, 2, 0, 1};
const std::vector<std::size_t> twoRunsCleared{16, 17, 18, 19, 24, 25, 26, 27};

const DrawCase drawCases[] = {
    {"masks are not read from a header refused for its width",
     header(0, 1, 32, BI_BITFIELDS),
     40,
     {0, 0, 0, 0},
     {0, 0, 1, 1, 0, 0, 0, 1},
     0,
     {}},
    {"masks are not read from an 8-bpp BI_BITFIELDS header",
     header(1, 1, 8, BI_BITFIELDS),
     40,
     {0, 0, 0, 0},
     {0, 0, 1, 1, 0, 0, 0, 1},
     0,
     {}},
    {"an RLE header is not refused for a size no uncompressed DIB may have",
     rle8(4, 0x7FFFFFFF),
     56,
     twoRuns,
     {0, 0, 4, 4, 0, 0, 0, 8},
     0x7FFFFFFF,
     twoRunsCleared},
    {"an RLE header is not refused for a size no uncompressed DIB may have",
     rle8(0x7FFFFFFF, 8),
     56,
     twoRuns,
     {0, 0, 4, 4, 0, 0, 0, 8},
     8,
     twoRunsCleared},
};

class DrawRegression : public testing::TestWithParam<DrawCase> {};

TEST_P(DrawRegression, GivesTheRuleResultWithinTheBuffers) {
    const DrawCase& c = GetParam();
    const gdi::DibSectionDC target(gdi::DibFormat::rgb32(8, 8, gdi::RowOrder::TopDown));
    ASSERT_TRUE(target.created());
    std::ranges::fill(target.bits(), std::byte{0xAA});
    const std::vector<std::byte> info = headerBlock(c.header, c.infoBytes);
    std::vector<std::byte> bits(c.bits.size());
    std::ranges::transform(c.bits, bits.begin(), [](std::uint8_t b) { return std::byte(b); });

    const int result =
        SetDIBitsToDevice(target.dc(), c.call.xDest, c.call.yDest, c.call.width, c.call.height,
                          c.call.xSrc, c.call.ySrc, c.call.startScan, c.call.cLines, bits,
                          reinterpret_cast<const BITMAPINFO*>(info.data()), DIB_RGB_COLORS);

    EXPECT_EQ(result, c.result) << c.finding;
    std::vector<std::uint32_t> expected(64, 0xAAAAAAAA);
    for (const std::size_t pixel : c.cleared) {
        expected[pixel] = 0;
    }
    std::vector<std::uint32_t> pixels(64);
    std::memcpy(pixels.data(), target.bits().data(), pixels.size() * 4);
    EXPECT_EQ(pixels, expected) << c.finding;
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

const SectionCase sectionCases[] = {
    {"masks are not read from a header refused for its width", header(-3, -4, 32, BI_BITFIELDS), 40,
     DIB_PAL_COLORS},
    {"masks are not read from an 8-bpp BI_BITFIELDS header", header(1, 1, 8, BI_BITFIELDS), 40,
     DIB_RGB_COLORS},
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

}  // namespace
