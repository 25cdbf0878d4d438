#include "probe_case.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <utility>

namespace {

using probe::ProbeCase;

// The sixteen fields of a 2 x 1 case; the options and data follow.
constexpr std::string_view fields = "2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 ";

ProbeCase parsed(const std::string& line) {
    auto result = probe::parseCase(line);
    if (const auto* error = std::get_if<probe::ParseError>(&result)) {
        ADD_FAILURE() << "unexpected error: " << error->reason;
        return {};
    }
    return std::get<ProbeCase>(std::move(result));
}

enum class Side { Source, Destination };

// The header a line's options give one side of the call. The expected colour table is checked
// by its size and a few entries, each (index, 0x00RRGGBB or palette index).
struct HeaderCase {
    const char* tail;
    Side side;
    WORD bitCount;
    DWORD compression;
    gdi::ChannelMasks masks;
    UINT colorUse;
    DWORD headerSize;
    DWORD clrUsed;
    DWORD sizeImage;
    std::size_t colorCount;
    std::vector<std::pair<std::size_t, DWORD>> entries;
};

void PrintTo(const HeaderCase& c, std::ostream* out) {
    *out << '"' << c.tail << '"';
}

constexpr gdi::ChannelMasks noMasks{};
constexpr gdi::ChannelMasks masks565{0xF800, 0x07E0, 0x001F};

// Default tables: entry i is ((i + 1) * 0x9E3779B1 mod 2^32) >> 8, so entry 0 is 9E3779,
// entry 1 is 3C6EF3 (2 * 0x9E3779B1 = 0x13C6EF362), entry 15 is E3779B and entry 255 is 3779B1
// (256 * 0x9E3779B1 = 0x9E3779B100).
const HeaderCase headerCases[] = {
    {"", Side::Source, 32, BI_RGB, noMasks, DIB_RGB_COLORS, 40, 0, 0, 0, {}},
    {"", Side::Destination, 32, BI_RGB, noMasks, DIB_RGB_COLORS, 40, 0, 0, 0, {}},
    {"src=1", Side::Source, 1, BI_RGB, noMasks, 0, 40, 0, 0, 2, {{0, 0x9E3779}, {1, 0x3C6EF3}}},
    {"src=4", Side::Source, 4, BI_RGB, noMasks, 0, 40, 0, 0, 16, {{15, 0xE3779B}}},
    {"src=8", Side::Source, 8, BI_RGB, noMasks, 0, 40, 0, 0, 256, {{255, 0x3779B1}}},
    {"src=16", Side::Source, 16, BI_RGB, noMasks, 0, 40, 0, 0, 0, {}},
    {"src=24", Side::Source, 24, BI_RGB, noMasks, 0, 40, 0, 0, 0, {}},
    {"src=16:f800:7e0:1F", Side::Source, 16, BI_BITFIELDS, masks565, 0, 40, 0, 0, 0, {}},
    {"src=32:FF:ff00:ff0000",
     Side::Source,
     32,
     BI_BITFIELDS,
     {0xFF, 0xFF00, 0xFF0000},
     0,
     40,
     0,
     0,
     0,
     {}},
    {"src=rle8 bits 0001", Side::Source, 8, BI_RLE8, noMasks, 0, 40, 0, 2, 256, {{1, 0x3C6EF3}}},
    {"sizeimage=1 src=rle4 bits 000001", Side::Source, 4, BI_RLE4, noMasks, 0, 40, 0, 1, 16, {}},
    {"src=8 use=pal",
     Side::Source,
     8,
     BI_RGB,
     noMasks,
     DIB_PAL_COLORS,
     40,
     0,
     0,
     256,
     {{0, 0}, {19, 19}, {25, 5}, {255, 15}}},
    {"use=pal src=8 srcpal=7,19",
     Side::Source,
     8,
     BI_RGB,
     noMasks,
     DIB_PAL_COLORS,
     40,
     2,
     0,
     2,
     {{0, 7}, {1, 19}}},
    {"src=8 srcpal=123456,ABCDEF clrused=0",
     Side::Source,
     8,
     BI_RGB,
     noMasks,
     0,
     40,
     0,
     0,
     2,
     {{1, 0xABCDEF}}},
    {"srcpal=1 hdr=124 sizeimage=4294967295",
     Side::Source,
     32,
     BI_RGB,
     noMasks,
     0,
     124,
     1,
     0xFFFFFFFF,
     1,
     {{0, 1}}},
    {"hdr=108 clrused=300 src=1", Side::Source, 1, BI_RGB, noMasks, 0, 108, 300, 0, 2, {}},
    {"use=rgb hdr=40", Side::Source, 32, BI_RGB, noMasks, DIB_RGB_COLORS, 40, 0, 0, 0, {}},
    {"dst=1", Side::Destination, 1, BI_RGB, noMasks, 0, 40, 0, 0, 2, {{1, 0x3C6EF3}}},
    {"dst=4", Side::Destination, 4, BI_RGB, noMasks, 0, 40, 0, 0, 16, {{15, 0xE3779B}}},
    {"dst=8 dstpal=0c0000,000000",
     Side::Destination,
     8,
     BI_RGB,
     noMasks,
     0,
     40,
     2,
     0,
     2,
     {{0, 0x0C0000}, {1, 0}}},
    {"dst=16", Side::Destination, 16, BI_RGB, noMasks, 0, 40, 0, 0, 0, {}},
    {"dst=16:f800:07e0:001f", Side::Destination, 16, BI_BITFIELDS, masks565, 0, 40, 0, 0, 0, {}},
    {"dst=24 use=pal", Side::Destination, 24, BI_RGB, noMasks, DIB_RGB_COLORS, 40, 0, 0, 0, {}},
};

class OptionsGiveTheHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(OptionsGiveTheHeader, AsTheRulesSay) {
    const HeaderCase& expected = GetParam();
    const ProbeCase c = parsed(std::string(fields) + expected.tail);
    const gdi::DibFormat& format = expected.side == Side::Source ? c.source : c.destination;
    EXPECT_EQ(format.bitCount, expected.bitCount);
    EXPECT_EQ(format.compression, expected.compression);
    EXPECT_EQ(format.masks, expected.masks);
    EXPECT_EQ(format.colorUse, expected.colorUse);
    EXPECT_EQ(format.headerSize, expected.headerSize);
    EXPECT_EQ(format.clrUsed, expected.clrUsed);
    EXPECT_EQ(format.sizeImage, expected.sizeImage);
    ASSERT_EQ(format.colors.size(), expected.colorCount);
    for (const auto& [index, value] : expected.entries) {
        EXPECT_EQ(format.colors[index], value) << "entry " << index;
    }
}

INSTANTIATE_TEST_SUITE_P(ParseCase, OptionsGiveTheHeader, testing::ValuesIn(headerCases));

// The bits buffer a line gives: packed rows of the DWORD-aligned stride in STD's row order.
struct BitsCase {
    const char* sourceFields;  // SW SH STD
    const char* base;
    const char* tail;
    const char* bytes;
};

void PrintTo(const BitsCase& c, std::ostream* out) {
    *out << '"' << c.sourceFields << ' ' << c.base << ' ' << c.tail << '"';
}

// The BASE pattern below 32 bpp is the top bits of V * 0x9E3779B1: V = 1 gives 9E3779B1, V = 256
// gives 3779B100 and V = 257 gives D5B12AB1.
const BitsCase bitsCases[] = {
    {"3 2 0", "0", "src=1 px 1 0 1 0 1 1", "60000000a0000000"},
    {"9 1 0", "0", "src=1 px 1 0 0 0 0 0 0 1 1", "81800000"},
    {"3 1 0", "0", "src=4 px a b c", "abc00000"},
    {"8 1 0", "0", "src=4 px 0 1 2 3 4 5 6 7", "01234567"},
    {"5 1 0", "0", "src=8 px 1 2 3 4 5", "0102030405000000"},
    {"1 2 1", "0", "src=16 px 1234 abcd", "34120000cdab0000"},
    {"2 1 0", "0", "src=24 px 112233 445566", "3322116655440000"},
    {"1 1 0", "0", "src=32:ff:ff00:ff0000 px 11223344", "44332211"},
    {"2 2 1", "0", "src=8", "009e000037d50000"},
    {"2 2 0", "0", "src=8", "37d50000009e0000"},
    {"2 1 0", "0", "src=1", "40000000"},
    {"1 1 0", "1", "src=16", "379e0000"},
    {"1 1 0", "1", "src=16:7c00:3e0:1f", "379e0000"},
    {"1 1 0", "1", "src=24", "79379e00"},
    {"1 1 0", "ffffffff", "src=32:ff:ff00:ff0000", "ffffffff"},
    {"1 1 0", "0", "bits 0102 03", "010203"},
    {"4 4 0", "0", "src=rle8 bits 00 01", "0001"},
};

std::string hexOf(const std::vector<std::byte>& bytes) {
    constexpr char digits[] = "0123456789abcdef";
    std::string text;
    for (const std::byte byte : bytes) {
        text += digits[unsigned(byte) >> 4];
        text += digits[unsigned(byte) & 0xF];
    }
    return text;
}

class LineGivesTheBits : public testing::TestWithParam<BitsCase> {};

TEST_P(LineGivesTheBits, PackedAsTheRulesSay) {
    const BitsCase& c = GetParam();
    const std::string line =
        std::string("1 1 0 0 ") + c.sourceFields + ' ' + c.base + " 0 0 1 1 0 0 0 1 " + c.tail;
    EXPECT_EQ(hexOf(parsed(line).bits), c.bytes) << line;
}

INSTANTIATE_TEST_SUITE_P(ParseCase, LineGivesTheBits, testing::ValuesIn(bitsCases));

}  // namespace
