#include "probe_case.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

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
    EXPECT_EQ(c.xDest, -1);
    EXPECT_EQ(c.yDest, -2);
    EXPECT_EQ(c.width, 0xFFFFFFFFu);
    EXPECT_EQ(c.height, 0xFFFFFFFFu);
    EXPECT_EQ(c.xSrc, -3);
    EXPECT_EQ(c.ySrc, 2147483647);
    EXPECT_EQ(c.startScan, 7u);
    EXPECT_EQ(c.cLines, 8u);
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
};

class UnreadableLine : public testing::TestWithParam<BadLine> {};

TEST_P(UnreadableLine, NamesTheReason) {
    const auto result = probe::parseCase(GetParam().line);
    ASSERT_TRUE(std::holds_alternative<ParseError>(result));
    EXPECT_EQ(std::get<ParseError>(result).reason, GetParam().reason);
}

INSTANTIATE_TEST_SUITE_P(ParseCase, UnreadableLine, testing::ValuesIn(badLines));

}  // namespace
