#include "format_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

using difftest::ProbeCase;

const difftest::TestFormat& formatNamed(std::string_view token) {
    const auto formats = difftest::sourceFormats();
    return *std::find_if(formats.begin(), formats.end(),
                         [token](const difftest::TestFormat& f) { return f.token == token; });
}

TEST(DefaultPalette, HoldsTheStockColours) {
    const std::vector<std::pair<std::uint32_t, std::uint32_t>> entries{
        {0, 0x000000}, {1, 0x800000},  {7, 0xc0c0c0},  {8, 0xc0dcc0},
        {9, 0xa6caf0}, {10, 0xfffbf0}, {11, 0xa0a0a4}, {19, 0xffffff}};
    for (const auto& [index, colour] : entries) {
        EXPECT_EQ(difftest::defaultPaletteColour(index), colour) << index;
    }
}

// A DIB_PAL_COLORS source: the format, its indices, biClrUsed when written, then how many entries
// the call reads and whether ours (modulo 20) and Wine (modulo the number read) differ.
struct PaletteCase {
    const char* format;
    std::vector<std::uint32_t> indices;
    std::optional<std::uint32_t> clrUsed;
    std::uint32_t read;
    bool apart;
};

class PaletteIndices : public testing::TestWithParam<PaletteCase> {};

TEST_P(PaletteIndices, ReadAndWrapAsTheRulesSay) {
    ProbeCase c;
    c.source = &formatNamed(GetParam().format);
    c.paletteIndices = true;
    c.sourceColours = GetParam().indices;
    c.clrUsed = GetParam().clrUsed;
    EXPECT_EQ(difftest::colourEntriesRead(c), GetParam().read);
    EXPECT_EQ(difftest::palettesWrapApart(c), GetParam().apart);
}

INSTANTIATE_TEST_SUITE_P(
    FormatRules, PaletteIndices,
    testing::Values(
        // The notes' example: index 19 is entry 19 (ffffff) modulo 20, entry 1 modulo 2.
        PaletteCase{"1", {0, 19}, std::nullopt, 2, true},
        // The probe's default table (index i mod 20) never reaches the difference.
        PaletteCase{"1", {}, std::nullopt, 2, false}, PaletteCase{"4", {}, std::nullopt, 16, false},
        PaletteCase{"8", {}, std::nullopt, 256, false},
        PaletteCase{"rle4", {}, std::nullopt, 16, false},
        // 0 means 2^bpp; more than 2^bpp reads 2^bpp.
        PaletteCase{"4", {0, 17}, 0, 16, true}, PaletteCase{"1", {1, 0}, 5, 2, false},
        // Index 20 is 0 modulo 20 but 4 modulo 16.
        PaletteCase{"4", {20}, 16, 16, true},
        // 20 or more entries read: both wrap modulo 20.
        PaletteCase{"8", {0, 39, 255}, 221, 221, false},
        // Entries past those given are index 0.
        PaletteCase{"8", {3}, 10, 10, false}, PaletteCase{"rle8", {0, 7}, 5, 5, true}));

TEST(PaletteIndices, DoNotApplyToRgbTablesOrDirectColour) {
    ProbeCase rgb;
    rgb.source = &formatNamed("1");
    rgb.sourceColours = {0, 19};
    EXPECT_FALSE(difftest::palettesWrapApart(rgb));
    ProbeCase direct;
    direct.source = &formatNamed("24");
    direct.paletteIndices = true;
    EXPECT_FALSE(difftest::palettesWrapApart(direct));
}

TEST(PaletteIndices, BecomeTheDefaultPalettesColoursModulo20) {
    ProbeCase c;
    c.source = &formatNamed("4");
    c.paletteIndices = true;
    c.sourceColours = {0, 19, 33, 7};
    c.clrUsed = 3;
    const ProbeCase rgb = difftest::withRgbTable(c);
    EXPECT_FALSE(rgb.paletteIndices);
    EXPECT_EQ(rgb.sourceColours, (std::vector<std::uint32_t>{0x000000, 0xffffff, 0xff0000}));
    EXPECT_EQ(rgb.clrUsed, 3u);
}

// An RLE8 source: header height, the arguments that matter, and the result.
struct RleResult {
    const char* name;
    std::uint32_t height;
    std::uint32_t width, lines;
    std::int32_t xSrc, ySrc;
    std::uint32_t startScan, cLines;
    std::int64_t result;
};

class RleResults : public testing::TestWithParam<RleResult> {};

TEST_P(RleResults, AreTheHeaderHeightOrZero) {
    const RleResult& r = GetParam();
    ProbeCase c;
    c.source = &formatNamed("rle8");
    c.sourceWidth = r.height;
    c.sourceHeight = r.height;
    c.width = r.width;
    c.height = r.lines;
    c.xSrc = r.xSrc;
    c.ySrc = r.ySrc;
    c.startScan = r.startScan;
    c.cLines = r.cLines;
    c.bits = std::vector<std::uint8_t>{0, 1};
    EXPECT_EQ(difftest::windowsResult(c), r.result) << r.name;
}

INSTANTIATE_TEST_SUITE_P(
    FormatRules, RleResults,
    testing::Values(RleResult{"start 1, 8 lines", 8, 8, 8, 0, 0, 1, 8, 8},
                    RleResult{"start 1, 1 line", 8, 8, 8, 0, 0, 1, 1, 8},
                    RleResult{"start 1, 9 lines", 8, 8, 8, 0, 0, 1, 9, 8},
                    RleResult{"37 x 37, mostly off the destination", 37, 10, 5, 2, -1, 12, 24, 37},
                    RleResult{"height 2", 2, 8, 8, 0, 0, 0, 8, 2},
                    RleResult{"cLines 0", 8, 8, 8, 0, 0, 0, 0, 0},
                    RleResult{"Width 0", 8, 0, 8, 0, 0, 0, 8, 0},
                    RleResult{"Height 0", 8, 8, 0, 0, 0, 0, 8, 0},
                    RleResult{"XSrc + Width 0", 8, 8, 8, -8, 0, 0, 8, 0},
                    RleResult{"XSrc + Width 1", 8, 8, 8, -7, 0, 0, 8, 8},
                    RleResult{"YSrc + Height -4", 8, 8, 8, 0, -12, 0, 8, 0},
                    RleResult{"Width -1 wraps XSrc + Width", 8, 0xffffffff, 8, 0, 0, 0, 8, 0},
                    // A "negative" size empties the rectangle even where the sum is positive.
                    RleResult{"Width -2, XSrc 4", 8, 0xfffffffe, 8, 4, 0, 0, 8, 0},
                    RleResult{"Height -2, YSrc 10", 8, 8, 0xfffffffe, 0, 10, 0, 8, 0},
                    RleResult{"Width 2^31 - 1", 8, 0x7fffffff, 8, -0x7ffffffe, 0, 0, 8, 8},
                    RleResult{"XSrc past the image", 8, 8, 8, 100, 0, 0, 8, 8}));

TEST(RleResults, AreZeroForHeadersTheRulesRefuse) {
    ProbeCase c;
    c.source = &formatNamed("rle4");
    c.width = 8;
    c.height = 8;
    c.cLines = 8;
    c.bits = std::vector<std::uint8_t>{0, 1};
    EXPECT_EQ(difftest::windowsResult(c), 8);
    c.sizeImage = 0;
    EXPECT_EQ(difftest::windowsResult(c), 0);
    c.sizeImage.reset();
    c.sourceTopDown = true;
    EXPECT_EQ(difftest::windowsResult(c), 0);
}

TEST(UncompressedResults, DoNotDependOnTheFormat) {
    ProbeCase c;
    c.source = &formatNamed("8");
    c.sourceTopDown = true;
    c.width = 8;
    c.height = 8;
    c.cLines = 8;
    c.startScan = 1;
    EXPECT_EQ(difftest::windowsResult(c), 8);
    c.sourceTopDown = false;
    EXPECT_EQ(difftest::windowsResult(c), 7);
}

// The 8 x 8 worked examples: the picture row (A = top) each destination row shows, "." where it
// stays unchanged, for a bottom-up and a top-down source.
struct RowExample {
    const char* name;
    std::int32_t xDest, yDest;
    std::uint32_t width, height;
    std::int32_t xSrc, ySrc;
    std::uint32_t startScan, cLines;
    const char* bottomUp;
    const char* topDown;
};

class SourceRows : public testing::TestWithParam<RowExample> {};

TEST_P(SourceRows, FollowTheWorkedExamples) {
    const RowExample& e = GetParam();
    for (const bool topDown : {false, true}) {
        ProbeCase c;
        c.source = &formatNamed("24");
        c.sourceTopDown = topDown;
        c.xDest = e.xDest;
        c.yDest = e.yDest;
        c.width = e.width;
        c.height = e.height;
        c.xSrc = e.xSrc;
        c.ySrc = e.ySrc;
        c.startScan = e.startScan;
        c.cLines = e.cLines;
        std::string rows;
        for (std::uint32_t y = 0; y < 8; ++y) {
            const auto row = difftest::bufferRowFor(c, 0, y);
            // Picture row r sits in buffer row r top-down and 7 - r bottom-up.
            rows += row ? char('A' + (topDown ? *row : 7 - *row)) : '.';
        }
        EXPECT_EQ(rows, topDown ? e.topDown : e.bottomUp) << e.name;
    }
}

INSTANTIATE_TEST_SUITE_P(
    FormatRules, SourceRows,
    testing::Values(RowExample{"defaults", 0, 0, 8, 8, 0, 0, 0, 8, "ABCDEFGH", "ABCDEFGH"},
                    RowExample{"#Lines 4", 0, 0, 8, 8, 0, 0, 0, 4, "....EFGH", "....ABCD"},
                    RowExample{"Start 4, #Lines 4", 0, 0, 8, 8, 0, 0, 4, 4, "EFGH....", "ABCD...."},
                    RowExample{"Start 2, #Lines 3", 0, 0, 8, 8, 0, 0, 2, 3, "...FGH..", "...ABC.."},
                    RowExample{"YSrc 2", 0, 0, 8, 8, 0, 2, 0, 8, "..ABCDEF", "..ABCDEF"},
                    RowExample{"YSrc -2", 0, 0, 8, 8, 0, -2, 0, 8, "CDEFGH..", "CDEFGH.."},
                    RowExample{"YDest -3", 0, -3, 8, 8, 0, 0, 0, 8, "DEFGH...", "DEFGH..."},
                    RowExample{"Height 3", 0, 0, 8, 3, 0, 0, 0, 8, "FGH.....", "FGH....."},
                    RowExample{"#Lines 12", 0, 0, 8, 8, 0, 0, 0, 12, "ABCDEFGH", "EFGH...."},
                    RowExample{"Start 8", 0, 0, 8, 8, 0, 0, 8, 8, "........", "........"},
                    RowExample{"XSrc 8", 0, 0, 8, 8, 8, 0, 0, 8, "........", "........"},
                    RowExample{"Width -1", 0, 0, 0xffffffff, 8, 0, 0, 0, 8, "........", "........"},
                    RowExample{"#Lines 0", 0, 0, 8, 8, 0, 0, 0, 0, "........", "........"}));

TEST(ShortBuffers, AreUncompressedBitsShortOfTheImage) {
    ProbeCase c;
    c.source = &formatNamed("24");
    c.sourceWidth = 3;
    c.sourceHeight = 2;
    c.bits = std::vector<std::uint8_t>(23, 7);
    EXPECT_TRUE(difftest::shortBuffer(c));
    const ProbeCase whole = difftest::withWholeBuffer(c);
    ASSERT_EQ(whole.bits->size(), 24u);
    EXPECT_EQ((*whole.bits)[22], 7);
    EXPECT_EQ((*whole.bits)[23], 0);
    c.bits->resize(24);
    EXPECT_FALSE(difftest::shortBuffer(c));
}

TEST(ShortStreams, AreRleHeadersThatSizeMoreThanTheBytes) {
    ProbeCase c;
    c.source = &formatNamed("rle8");
    c.bits = std::vector<std::uint8_t>{4, 16, 0, 1};
    EXPECT_FALSE(difftest::streamPastBuffer(c));
    c.sizeImage = 5;
    EXPECT_TRUE(difftest::streamPastBuffer(c));
}

// A stream, its bits per pixel, and the columns and scan lines it reaches.
struct ReachCase {
    const char* name;
    std::vector<std::uint8_t> stream;
    std::uint32_t bitCount;
    std::uint32_t columns, lines;
};

class StreamReaches : public testing::TestWithParam<ReachCase> {};

TEST_P(StreamReaches, BoundEveryPixelSet) {
    const auto reach = difftest::streamReach(GetParam().stream, GetParam().bitCount);
    EXPECT_EQ(reach.columns, GetParam().columns) << GetParam().name;
    EXPECT_EQ(reach.lines, GetParam().lines) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    FormatRules, StreamReaches,
    testing::Values(ReachCase{"two lines", {4, 0x10, 0, 0, 3, 0x20, 0, 1}, 8, 4, 2},
                    // The notes' delta: from (3, 0) right 1 and up 2.
                    ReachCase{"delta", {3, 1, 0, 2, 1, 2, 2, 5, 0, 1}, 8, 6, 3},
                    // Three literal bytes and a pad byte, then a run of 1.
                    ReachCase{"absolute run", {0, 3, 4, 5, 6, 0, 1, 7}, 8, 4, 1},
                    // RLE4: five pixels in three bytes and a pad, then a run of 2.
                    ReachCase{"absolute run, rle4", {0, 5, 0x79, 0xfd, 0xb0, 0, 2, 0x11}, 4, 7, 1},
                    ReachCase{"absolute run cut short", {1, 1, 0, 5, 0x79}, 4, 1, 1},
                    ReachCase{"delta cut short", {1, 2, 0, 2, 5}, 8, 1, 1},
                    ReachCase{"end of bitmap first", {0, 1, 5, 1}, 8, 0, 0},
                    ReachCase{"an odd byte left", {2, 1, 0}, 8, 2, 1},
                    ReachCase{"no clipping", {255, 1, 255, 1, 0, 2, 255, 255, 1, 1}, 8, 766, 256}));

std::vector<std::uint8_t> bytes(std::initializer_list<std::vector<std::uint8_t>> parts) {
    std::vector<std::uint8_t> all;
    for (const auto& part : parts) {
        all.insert(all.end(), part.begin(), part.end());
    }
    return all;
}

std::optional<std::vector<std::uint8_t>> split(const char* format,
                                               std::vector<std::uint8_t> stream) {
    ProbeCase c;
    c.source = &formatNamed(format);
    c.bits = std::move(stream);
    return difftest::withLongRunsSplit(c);
}

TEST(LongRuns, BecomeRunsOf254And1InAsManyBytes) {
    const std::vector<std::uint8_t> literals(254, 7);
    const auto stream = bytes({{1, 2, 0, 255}, literals, {9, 0}, {0, 1}});
    EXPECT_EQ(split("rle8", stream), bytes({{1, 2, 0, 254}, literals, {1, 9}, {0, 1}}));
    // Without its pad at the buffer's end, the line has no escape left and is not drawn.
    EXPECT_EQ(split("rle8", bytes({{0, 255}, literals, {9}})), bytes({{0, 254}, literals, {1}}));
}

TEST(LongRuns, AreLeftAloneWhereWineReadsThemRight) {
    const std::vector<std::uint8_t> literals(254, 7);
    // Cut short: Wine stops where the decoder stops.
    EXPECT_FALSE(split("rle8", bytes({{0, 255}, literals})));
    // RLE4 runs of 255 pixels take 128 bytes, which a byte holds.
    EXPECT_FALSE(split("rle4", bytes({{0, 255}, literals, {0, 0}})));
    // Literal bytes 00 ff inside a shorter run are not a run.
    EXPECT_FALSE(split("rle8", bytes({{0, 4, 0, 255, 7, 7}, literals, {0, 1}})));
    EXPECT_FALSE(split("rle8", bytes({{0, 1, 0, 255}, literals, {9, 0}})));
}

ProbeCase wideRle(std::uint32_t width, std::int32_t xSrc) {
    ProbeCase c;
    c.source = &formatNamed("rle8");
    c.destWidth = 8;
    c.destHeight = 8;
    c.width = width;
    c.height = 8;
    c.xSrc = xSrc;
    c.cLines = 8;
    c.bits = std::vector<std::uint8_t>{4, 0x10, 0, 0, 3, 0x20, 0, 1};
    return c;
}

TEST(DecodeAreas, PastTheLimitAreCutToTheStreamsReach) {
    const ProbeCase wide = wideRle(0x7ffffff0, 0);
    EXPECT_EQ(difftest::decodeAreaBytes(wide), std::uint64_t(0x7ffffff0) * 8);
    EXPECT_TRUE(difftest::decodeAreaBeyondWine(wide));
    const auto cut = difftest::withDecodeAreaCut(wide);
    ASSERT_TRUE(cut);
    // Four columns and two scan lines; scan line 0 stays at destination row 7.
    EXPECT_EQ(cut->width, 4u);
    EXPECT_EQ(cut->height, 2u);
    EXPECT_EQ(cut->yDest, 6);
    EXPECT_FALSE(difftest::decodeAreaBeyondWine(*cut));
}

TEST(DecodeAreas, OutOfTheStreamsReachOrDrawingNothingHaveNoCut) {
    EXPECT_FALSE(difftest::withDecodeAreaCut(wideRle(0x7ffffff0, 4)));
    EXPECT_TRUE(difftest::withDecodeAreaCut(wideRle(0x7ffffff0, 3)));
    ProbeCase noLines = wideRle(0x7ffffff0, 0);
    noLines.height = 0;
    EXPECT_FALSE(difftest::withDecodeAreaCut(noLines));
    EXPECT_FALSE(difftest::decodeAreaBeyondWine(wideRle(8, 0)));
}

}  // namespace
