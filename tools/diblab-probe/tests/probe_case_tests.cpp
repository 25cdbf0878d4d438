#include "probe_case.h"

#include <gtest/gtest.h>

#include <limits>

#include <cstring>
#include <iomanip>
#include <ostream>
#include <sstream>

namespace {

using gdi::RowOrder;
using probe::ParseError;
using probe::ProbeCase;

ProbeCase parsed(std::string_view line) {
    auto result = probe::parseCase(line);
    if (const auto* error = std::get_if<ParseError>(&result)) {
        ADD_FAILURE() << "unexpected error: " << error->reason;
        return {};
    }
    return std::get<ProbeCase>(result);
}

// The 32-bpp source picture, top row first, read back from the bits buffer in its row order.
std::vector<std::uint32_t> pictureOf(const ProbeCase& c) {
    const auto width = std::size_t(c.source.width);
    const auto height = std::size_t(c.source.height);
    std::vector<std::uint32_t> picture(width * height);
    for (std::size_t row = 0; row < height; ++row) {
        const std::size_t bufferRow = c.source.order == RowOrder::TopDown ? row : height - 1 - row;
        std::memcpy(&picture[row * width], &c.bits[bufferRow * width * 4], width * 4);
    }
    return picture;
}

TEST(ParseCase, ReadsEveryFieldAsTheCallSeesIt) {
    const ProbeCase c =
        parsed(" 3 2 1 DeadBeef\t2 2 0 00a00000 -1 -2 -1 4294967295 -3 2147483647 7 8 ");
    EXPECT_EQ(c.destination.width, 3);
    EXPECT_EQ(c.destination.height, 2);
    EXPECT_EQ(c.destination.order, RowOrder::TopDown);
    EXPECT_EQ(c.fill, 0xDEADBEEFu);
    EXPECT_EQ(c.source.width, 2);
    EXPECT_EQ(c.source.height, 2);
    EXPECT_EQ(c.source.order, RowOrder::BottomUp);
    EXPECT_EQ(c.arguments.xDest, -1);
    EXPECT_EQ(c.arguments.yDest, -2);
    EXPECT_EQ(c.arguments.width, 0xFFFFFFFFu);
    EXPECT_EQ(c.arguments.height, 0xFFFFFFFFu);
    EXPECT_EQ(c.arguments.xSrc, -3);
    EXPECT_EQ(c.arguments.ySrc, 2147483647);
    // Leading zeros do not count towards the ten digits a value may have.
    const ProbeCase zeros =
        parsed("1 1 0 0 1 1 0 0 -0000000000002147483648 0 1 1 0 0 0 000000000004294967295");
    EXPECT_EQ(zeros.arguments.xDest, std::numeric_limits<std::int32_t>::min());
    EXPECT_EQ(zeros.arguments.cLines, 0xFFFFFFFFu);
    EXPECT_EQ(c.arguments.startScan, 7u);
    EXPECT_EQ(c.arguments.cLines, 8u);
    EXPECT_EQ(pictureOf(c),
              (std::vector<std::uint32_t>{0x00a00000, 0x00a00001, 0x00a00100, 0x00a00101}));
}

TEST(ParseCase, BasePatternWrapsModulo2Pow32) {
    const ProbeCase c = parsed("1 1 0 0 2 2 1 ffffff01 0 0 1 1 0 0 0 1");
    EXPECT_EQ(c.source.order, RowOrder::TopDown);
    EXPECT_EQ(pictureOf(c),
              (std::vector<std::uint32_t>{0xffffff01, 0xffffff02, 0x00000001, 0x00000002}));
}

TEST(ParseCase, PxValuesReplaceThePattern) {
    const ProbeCase c = parsed("1 1 0 0 2 1 0 0 0 0 1 1 0 0 0 1 px ff000000 1");
    EXPECT_EQ(pictureOf(c), (std::vector<std::uint32_t>{0xff000000, 0x00000001}));
}

TEST(ParseCase, SixteenMebipixelsAreAllowed) {
    const ProbeCase c = parsed("4096 4096 0 0 1 16777216 0 0 0 0 1 1 0 0 0 1");
    EXPECT_EQ(c.destination.width, 4096);
    EXPECT_EQ(c.bits.size(), 4u * 16777216);
}

TEST(IsSkippedLine, SkipsEmptyBlankAndCommentLines) {
    EXPECT_TRUE(probe::isSkippedLine(""));
    EXPECT_TRUE(probe::isSkippedLine(" \t\r"));
    EXPECT_TRUE(probe::isSkippedLine("# 8 8 0 0"));
    EXPECT_TRUE(probe::isSkippedLine("  # indented"));
    EXPECT_FALSE(probe::isSkippedLine("8 8 0 ffffffff 8 8 0 0 0 0 8 8 0 0 0 8"));
}

struct BadLine {
    const char* line;
    const char* reason;
};

void PrintTo(const BadLine& bad, std::ostream* out) {
    *out << '"' << bad.line << '"';
}

const BadLine badLines[] = {
    {"8 8 0 0 8 8 0 0 0 0 8 8 0 0 0", "missing field cLines"},
    {"8", "missing field DH"},
    {"8 8 0 0 8 8 0 0 0 0 8 x8 0 0 0 8", "bad number 'x8' for Height"},
    {"8 8 0 0 8 8 0 0 0 0 8 8 0 0 0 4294967296", "bad number '4294967296' for cLines"},
    {"8 8 0 0 8 8 0 0 -2147483649 0 8 8 0 0 0 8", "bad number '-2147483649' for XDest"},
    {"8 8 0 0 8 8 0 0 0 0 8 8 0 0 0 8.5", "bad number '8.5' for cLines"},
    {"8 8 0 0 8 8 0 0 0 0 8 8 0 0 0 -", "bad number '-' for cLines"},
    {"8 8 0 0 8 8 0 0 1- 0 8 8 0 0 0 8", "bad number '1-' for XDest"},
    {"8 8 0 0 8 8 0 0 0 0 8 8 0 0 0 18446744073709551617",
     "bad number '18446744073709551617' for cLines"},
    {"8 8 0 0x10 8 8 0 0 0 0 8 8 0 0 0 8", "bad number '0x10' for FILL"},
    {"8 8 0 123456789 8 8 0 0 0 0 8 8 0 0 0 8", "bad number '123456789' for FILL"},
    {"8 8 0 0 8 8 0 -1 0 0 8 8 0 0 0 8", "bad number '-1' for BASE"},
    {"0 8 0 0 8 8 0 0 0 0 8 8 0 0 0 8", "DW must be a size of at least 1"},
    {"8 8 0 0 -8 8 0 0 0 0 8 8 0 0 0 8", "SW must be a size of at least 1"},
    {"8 2147483648 0 0 8 8 0 0 0 0 8 8 0 0 0 8", "DH '2147483648' is too large: at most 16777216"},
    {"8 8 2 0 8 8 0 0 0 0 8 8 0 0 0 8", "DTD must be 0 or 1"},
    {"8 8 0 0 8 8 -1 0 0 0 8 8 0 0 0 8", "STD must be 0 or 1"},
    {"4097 4096 0 0 8 8 0 0 0 0 8 8 0 0 0 8", "destination DW x DH exceeds 16777216 pixels"},
    {"8 8 0 0 65536 65536 0 0 0 0 8 8 0 0 0 8", "source SW x SH exceeds 16777216 pixels"},
    {"8 8 0 0 2 1 0 0 0 0 8 8 0 0 0 8 extra", "unexpected field 'extra'"},
    {"8 8 0 0 2 1 0 0 0 0 8 8 0 0 0 8 px 1", "px needs 2 values, got 1"},
    {"8 8 0 0 2 1 0 0 0 0 8 8 0 0 0 8 px 1 2 3", "px needs 2 values, got 3"},
    {"8 8 0 0 2 1 0 0 0 0 8 8 0 0 0 8 px 1 g", "bad number 'g' for px"},
    // Sizes beyond the pixel cap are too large, however large, and negative ones too small.
    {"2147483648 1 0 0 8 8 0 0 0 0 8 8 0 0 0 8", "DW '2147483648' is too large: at most 16777216"},
    {"8 8 0 0 16777217 1 0 0 0 0 8 8 0 0 0 8", "SW '16777217' is too large: at most 16777216"},
    {"8 8 0 0 8 99999999999999999999999 0 0 0 0 8 8 0 0 0 8",
     "SH '99999999999999999999999' is too large: at most 16777216"},
    {"8 8 0 0 8 -99999999999 0 0 0 0 8 8 0 0 0 8", "SH must be a size of at least 1"},
    // Options.
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 foo=1", "unknown option 'foo=1'"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=8 dst=8 src=8", "option src given twice"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=2",
     "src: bad format word '2': "
     "not one of 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB, 32:RRRRRRRR:GGGGGGGG:BBBBBBBB, rle8, "
     "rle4"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=",
     "src: bad format word '': "
     "not one of 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB, 32:RRRRRRRR:GGGGGGGG:BBBBBBBB, rle8, "
     "rle4"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=16:f800:7e0",
     "src: bad format word '16:f800:7e0': bit fields need three masks, red:green:blue, after 16:"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=16:1f800:7e0:1f",
     "src: bad format word '16:1f800:7e0:1f': the red mask '1f800' has more than 4 digits for 16 "
     "bits per pixel"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 dst=32:1:2:3:4",
     "dst: bad format word '32:1:2:3:4': bit fields need three masks, red:green:blue, after 32:"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 dst=32:ff0000:ff00:1ffffffff",
     "dst: bad format word '32:ff0000:ff00:1ffffffff': the blue mask '1ffffffff' has more than 8 "
     "digits for 32 bits per pixel"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 dst=rle8", "dst cannot be RLE8: RLE is a source format only"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 use=both", "bad value 'both' for use: rgb or pal"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 clrused=-1", "bad number '-1' for clrused"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 clrused=4294967296",
     "clrused '4294967296' is too large: at most 4294967295"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 hdr=41", "bad value '41' for hdr: 40, 108 or 124"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=8 srcpal=1000000",
     "bad colour '1000000' in srcpal: RRGGBB, 1 to 6 hexadecimal digits"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 dst=8 dstpal=1,,2",
     "bad colour '' in dstpal: RRGGBB, 1 to 6 hexadecimal digits"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 use=pal srcpal=65536",
     "bad palette index '65536' in srcpal: a decimal index from 0 to 65535"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 dst=1 dstpal=0,0,0",
     "dstpal is too large: at most 2 entries"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 dstpal=0", "dstpal needs a 1-, 4- or 8-bpp dst, not 32-bpp"},
    // Values that do not fit their format.
    {"2 1 0 2 2 1 0 0 0 0 2 1 0 0 0 1 dst=1", "FILL '2' does not fit the 1-bpp destination"},
    {"2 1 0 10000 2 1 0 0 0 0 2 1 0 0 0 1 dst=16:f800:7e0:1f",
     "FILL '10000' does not fit the 16-bpp bit-fields destination"},
    {"2 1 0 1000000 2 1 0 0 0 0 2 1 0 0 0 1 dst=24",
     "FILL '1000000' does not fit the 24-bpp destination"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=1 px 1 2", "px value '2' does not fit the 1-bpp source"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=8 px 0 100",
     "px value '100' does not fit the 8-bpp source"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=24 px 0 1000000",
     "px value '1000000' does not fit the 24-bpp source"},
    // RLE takes its stream from bits only; bits are whole bytes.
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=rle8", "the RLE8 source needs bits"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=rle4 px 1 2", "px cannot give the RLE4 source: use bits"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 bits", "bits needs at least one byte"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 bits 00 abc", "bad bytes 'abc' for bits: two digits a byte"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 bits 0g", "bad bytes '0g' for bits"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 px 1 2 src=8", "px needs 2 values, got 3"},
    // Quoting: at most 40 bytes, then "...", a backslash doubled, other bytes as \xHH.
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 0123456789012345678901234567890123456789",
     "unexpected field '0123456789012345678901234567890123456789'"},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 0123456789012345678901234567890123456789X",
     "unexpected field '0123456789012345678901234567890123456789'..."},
    {"2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 src=\\\x01\x7f\xc3\xa9'",
     "src: bad format word '\\\\\\x01\\x7f\\xc3\\xa9'': "
     "not one of 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB, 32:RRRRRRRR:GGGGGGGG:BBBBBBBB, rle8, "
     "rle4"},
    {"8 8 0 \x1b[31m 8 8 0 0 0 0 8 8 0 0 0 8", "bad number '\\x1b[31m' for FILL"},
};

class UnreadableLine : public testing::TestWithParam<BadLine> {};

TEST_P(UnreadableLine, NamesTheReason) {
    const auto result = probe::parseCase(GetParam().line);
    ASSERT_TRUE(std::holds_alternative<ParseError>(result));
    EXPECT_EQ(std::get<ParseError>(result).reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(ParseCase, UnreadableLine, testing::ValuesIn(badLines));

std::string reasonFor(const std::string& line) {
    const auto result = probe::parseCase(line);
    return std::holds_alternative<ParseError>(result) ? std::get<ParseError>(result).reason : "";
}

TEST(ParseCase, SourceColourTablesHoldAtMost256Entries) {
    std::string table = "srcpal=0";
    for (int entry = 1; entry < 256; ++entry) {
        table += ",0";
    }
    const std::string line = "2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 " + table;
    EXPECT_EQ(reasonFor(line), "");
    EXPECT_EQ(reasonFor(line + ",0"), "srcpal is too large: at most 256 entries");
}

TEST(ParseCase, BitsHoldAtMost64MebibytesInAnyNumberOfTokens) {
    std::string line = "2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 bits 00 ";
    line.append(2 * (64 * 1024 * 1024 - 1), '0');
    EXPECT_EQ(reasonFor(line), "");
    line += "00";
    EXPECT_EQ(reasonFor(line), "bits is too large: at most 67108864 bytes");
}

// The header fields a line gives one side of the call, as one text: bit count, compression (with
// the masks of bit fields), ColorUse, biSize, biClrUsed, biSizeImage, and the colour table's
// size with its first and last entries in hexadecimal.
std::string headerOf(const gdi::DibFormat& f) {
    constexpr const char* compressions[] = {"rgb", "rle8", "rle4", "bitfields"};
    std::ostringstream text;
    text << f.bitCount << ' ' << compressions[f.compression] << std::hex;
    if (f.compression == BI_BITFIELDS) {
        text << ' ' << f.masks.red << ':' << f.masks.green << ':' << f.masks.blue;
    }
    text << std::dec << " use=" << f.colorUse << " hdr=" << f.headerSize << " clrused=" << f.clrUsed
         << " sizeimage=" << f.sizeImage << " colours=" << f.colours.size() << std::hex;
    if (!f.colours.empty()) {
        text << ' ' << f.colours.front() << ".." << f.colours.back();
    }
    return text.str();
}

enum class Side { Source, Destination };

struct HeaderCase {
    const char* options;
    Side side;
    const char* header;
};

// Default tables: entry i is ((i + 1) * 0x9E3779B1 mod 2^32) >> 8, so entry 0 is 9e3779, entry 1
// is 3c6ef3 (2 * 0x9E3779B1 = 0x13C6EF362), entry 15 is e3779b and entry 255 is 3779b1
// (256 * 0x9E3779B1 = 0x9E3779B100); with use=pal, entry 255 is 255 mod 20 = f.
const HeaderCase headerCases[] = {
    {"", Side::Source, "32 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=0"},
    {"", Side::Destination, "32 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=0"},
    {"src=1", Side::Source, "1 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=2 9e3779..3c6ef3"},
    {"src=4", Side::Source, "4 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=16 9e3779..e3779b"},
    {"src=8", Side::Source, "8 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=256 9e3779..3779b1"},
    {"src=16", Side::Source, "16 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=0"},
    {"src=24", Side::Source, "24 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=0"},
    {"src=16:f800:7e0:1F", Side::Source,
     "16 bitfields f800:7e0:1f use=0 hdr=40 clrused=0 sizeimage=0 colours=0"},
    {"src=32:FF:ff00:ff0000", Side::Source,
     "32 bitfields ff:ff00:ff0000 use=0 hdr=40 clrused=0 sizeimage=0 colours=0"},
    {"src=rle8 bits 0001", Side::Source,
     "8 rle8 use=0 hdr=40 clrused=0 sizeimage=2 colours=256 9e3779..3779b1"},
    {"sizeimage=1 src=rle4 bits 000001", Side::Source,
     "4 rle4 use=0 hdr=40 clrused=0 sizeimage=1 colours=16 9e3779..e3779b"},
    {"src=8 use=pal", Side::Source, "8 rgb use=1 hdr=40 clrused=0 sizeimage=0 colours=256 0..f"},
    {"use=pal src=8 srcpal=7,19", Side::Source,
     "8 rgb use=1 hdr=40 clrused=2 sizeimage=0 colours=2 7..13"},
    {"src=8 srcpal=123456,ABCDEF clrused=0", Side::Source,
     "8 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=2 123456..abcdef"},
    {"srcpal=1 hdr=124 sizeimage=4294967295", Side::Source,
     "32 rgb use=0 hdr=124 clrused=1 sizeimage=4294967295 colours=1 1..1"},
    {"hdr=108 clrused=300 src=1", Side::Source,
     "1 rgb use=0 hdr=108 clrused=300 sizeimage=0 colours=2 9e3779..3c6ef3"},
    {"dst=1", Side::Destination,
     "1 rgb use=0 hdr=40 clrused=0 sizeimage=0 colours=2 9e3779..3c6ef3"},
    {"dst=8 dstpal=0c0000,000000", Side::Destination,
     "8 rgb use=0 hdr=40 clrused=2 sizeimage=0 colours=2 c0000..0"},
    {"dst=16:f800:07e0:001f use=pal", Side::Destination,
     "16 bitfields f800:7e0:1f use=0 hdr=40 clrused=0 sizeimage=0 colours=0"},
};

class OptionsGiveTheHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(OptionsGiveTheHeader, AsTheRulesSay) {
    const HeaderCase& c = GetParam();
    const ProbeCase read = parsed(std::string("2 1 0 0 2 1 0 0 0 0 2 1 0 0 0 1 ") + c.options);
    EXPECT_EQ(headerOf(c.side == Side::Source ? read.source : read.destination), c.header)
        << c.options;
}

INSTANTIATE_TEST_SUITE_P(ParseCase, OptionsGiveTheHeader, testing::ValuesIn(headerCases));

// The bits buffer a line gives: packed rows of the DWORD-aligned stride in STD's row order.
struct BitsCase {
    const char* sourceFields;  // SW SH STD BASE
    const char* data;
    const char* bytes;
};

// The BASE pattern below 32 bpp is the top bits of V * 0x9E3779B1: V = 1 gives 9E3779B1, V = 256
// gives 3779B100 and V = 257 gives D5B12AB1.
const BitsCase bitsCases[] = {
    {"3 2 0 0", "src=1 px 1 0 1 0 1 1", "60000000a0000000"},
    {"9 1 0 0", "src=1 px 1 0 0 0 0 0 0 1 1", "81800000"},
    {"3 1 0 0", "src=4 px a b c", "abc00000"},
    {"8 1 0 0", "src=4 px 0 1 2 3 4 5 6 7", "01234567"},
    {"5 1 0 0", "src=8 px 1 2 3 4 5", "0102030405000000"},
    {"1 2 1 0", "src=16 px 1234 abcd", "34120000cdab0000"},
    {"2 1 0 0", "src=24 px 112233 445566", "3322116655440000"},
    {"1 1 0 0", "src=32:ff:ff00:ff0000 px 11223344", "44332211"},
    {"2 2 1 0", "src=8", "009e000037d50000"},
    {"2 2 0 0", "src=8", "37d50000009e0000"},
    {"2 1 0 0", "src=1", "40000000"},
    {"1 1 0 1", "src=16", "379e0000"},
    {"1 1 0 1", "src=16:7c00:3e0:1f", "379e0000"},
    {"1 1 0 1", "src=24", "79379e00"},
    {"1 1 0 ffffffff", "src=32:ff:ff00:ff0000", "ffffffff"},
    {"1 1 0 0", "bits 0102 03", "010203"},
    {"4 4 0 0", "src=rle8 bits 00 01", "0001"},
};

std::string hexOf(const std::vector<std::byte>& bytes) {
    std::ostringstream text;
    text << std::hex << std::setfill('0');
    for (const std::byte byte : bytes) {
        text << std::setw(2) << unsigned(byte);
    }
    return text.str();
}

class LineGivesTheBits : public testing::TestWithParam<BitsCase> {};

TEST_P(LineGivesTheBits, PackedAsTheRulesSay) {
    const BitsCase& c = GetParam();
    const std::string line =
        std::string("1 1 0 0 ") + c.sourceFields + " 0 0 1 1 0 0 0 1 " + c.data;
    EXPECT_EQ(hexOf(parsed(line).bits), c.bytes) << line;
}

INSTANTIATE_TEST_SUITE_P(ParseCase, LineGivesTheBits, testing::ValuesIn(bitsCases));

}  // namespace
