// One case for every rule of the result and every reason a pixel of the rectangle is not drawn,
// in each singular and plural form, with the sentence the account must give. Rows are named as
// the window labels them: from 1 in memory order (1 at the bottom of a bottom-up picture, at the
// top of a top-down one); scan lines from 0 at the source's bottom row; device rows from 0 at
// the top.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "geometry/call_account.h"

namespace {

using geometry::RowOrder;
using geometry::SourceEncoding;

// The source's and the destination's row order and the source's encoding.
struct Setup {
    RowOrder source;
    RowOrder destination;
    SourceEncoding encoding;
};

constexpr RowOrder kBottomUp = RowOrder::BottomUp;
constexpr RowOrder kTopDown = RowOrder::TopDown;
constexpr Setup kUp{kBottomUp, kBottomUp, SourceEncoding::Uncompressed};
constexpr Setup kDown{kTopDown, kBottomUp, SourceEncoding::Uncompressed};
constexpr Setup kUpOntoDown{kBottomUp, kTopDown, SourceEncoding::Uncompressed};
constexpr Setup kDownOntoDown{kTopDown, kTopDown, SourceEncoding::Uncompressed};
constexpr Setup kRle{kBottomUp, kBottomUp, SourceEncoding::RunLength};
constexpr Setup kRleDown{kTopDown, kBottomUp, SourceEncoding::RunLength};

struct AccountCase {
    const char* name;
    Setup setup;
    // XDest, YDest, Width, Height, XSrc, YSrc, Start, #Lines as typed in the bench.
    std::array<std::int64_t, 8> arguments;
    const char* sentence;
    // Source and destination sizes and buffer rows; 8 x 8 and the whole picture unless given.
    std::array<std::int64_t, 5> sizes = {8, 8, 8, 8, 8};
};

void PrintTo(const AccountCase& c, std::ostream* out) {
    *out << c.name;
}

// How the account names scan lines and device rows, once a sentence.
#define SCAN " (from 0 at the bottom)"
#define DEVICE " (from 0 at the top)"
#define TOP(n) "the top of the source rectangle (YSrc + Height = " #n ")"
#define UP8 \
    "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7" SCAN ", all below "
#define ALL8 UP8 TOP(8) ", so all 8 count; "
#define DOWN "top-down source of 8 rows, which returns #Lines whatever is drawn; the band holds "
#define RLE "bottom-up run-length encoded source of 8 rows"
#define RLE8        \
    "Ret = 8: " RLE \
    ", which returns its height whatever Start and #Lines are; the stream is decoded over "
#define SKIPS "; pixels the stream skips leave the destination as it was"

const AccountCase kCases[] = {
    // The result's rules.
    {"WholeBand",
     kUp,
     {0, 0, 8, 8, 0, 0, 2, 3},
     "Ret = 3: bottom-up source of 8 rows; the band holds scan lines 2 to 4" SCAN
     ", all below " TOP(
         8) ", so all 3 count; source rows labelled 1 to 3 were drawn to destination rows "
            "labelled 3 to 5; the rectangle's scan lines 0 to 1 and 5 to 7 lie outside the band."},
    {"WholeBandOfTwoOntoTopDown",
     kUpOntoDown,
     {0, 0, 8, 8, 0, 0, 0, 2},
     "Ret = 2: bottom-up source of 8 rows; the band holds scan lines 0 to 1" SCAN
     ", all below " TOP(
         8) ", so both count; source rows labelled 1 to 2 were drawn to destination rows "
            "labelled 7 to 8; the rectangle's scan lines 2 to 7 lie outside the band."},
    {"WholeBandOfOne",
     kUp,
     {0, 0, 8, 1, 0, 3, 3, 1},
     "Ret = 1: bottom-up source of 8 rows; the band holds scan line 3" SCAN ", below " TOP(
         4) ", so it counts; source row labelled 1 was drawn to destination row labelled 8."},
    {"StartBeyondImage",
     kUp,
     {0, 0, 8, 8, 0, 0, 9, 8},
     "Ret = 0: bottom-up source of 8 rows; Start 9 is at or beyond its 8 scan lines" SCAN
     ", so nothing is drawn and the result is 0."},
    {"StartBeyondOneRow",
     kUp,
     {0, 0, 3, 1, 0, 0, 1, 1},
     "Ret = 0: bottom-up source of 1 row; Start 1 is at or beyond its 1 scan line" SCAN
     ", so nothing is drawn and the result is 0.",
     {3, 1, 8, 8, 1}},
    {"NoScanLines",
     kDown,
     {0, 0, 8, 8, 0, 0, 0, 0},
     "Ret = 0: #Lines is 0, so the call fails and draws nothing."},
    {"TopDownBandTooLong",
     kDown,
     {0, 0, 8, 8, 0, 0, 0, -1},
     "Ret = 0: top-down source of 8 rows; #Lines 4294967295 (-1) asks for 2^31 rows or more, "
     "which Windows cannot read, so the call fails and draws nothing."},
    {"TopDownBand",
     kDown,
     {0, 0, 8, 8, 0, 0, 0, 4},
     "Ret = 4: " DOWN "scan lines 0 to 3" SCAN "; source rows labelled 1 to 4 were drawn to "
     "destination rows labelled 1 to 4; the rectangle's scan lines 4 to 7 lie outside the band."},
    {"BandCutAtImageTop",
     kUp,
     {0, 0, 8, 8, 0, 0, 4, 8},
     "Ret = 4: bottom-up source of 8 rows; the band of 8 lines from Start 4 is cut at the "
     "source's top to scan lines 4 to 7" SCAN
     ", all below " TOP(8) ", so all 4 count; source "
                           "rows labelled 1 to 4 were drawn to destination rows labelled 5 to 8; "
                           "the rectangle's scan "
                           "lines 0 to 3 lie outside the band."},
    {"BandCutAtRectangleTop",
     kUp,
     {0, 0, 8, 3, 0, 0, 0, 8},
     "Ret = 3: bottom-up source of 8 rows; the band holds scan lines 0 to 7" SCAN "; only scan "
     "lines 0 to 2 lie below " TOP(3) ", so 3 count; source rows labelled 1 to 3 were drawn to "
                                      "destination rows labelled 6 to 8."},
    {"OneLineOfATwoRowSource",
     kUp,
     {0, 0, 3, 1, 0, 0, 0, 2},
     "Ret = 1: bottom-up source of 2 rows; the band holds scan lines 0 to 1" SCAN "; only scan "
     "line 0 lies below " TOP(1) ", so 1 counts; source row labelled 1 was drawn to destination "
                                 "row labelled 4.",
     {3, 2, 4, 4, 2}},
    {"BandAboveRectangle",
     kUp,
     {0, 0, 8, 4, 0, 0, 4, 4},
     "Ret = 0: bottom-up source of 8 rows; the band holds scan lines 4 to 7" SCAN ", all at or "
     "above " TOP(4) ", so none counts and nothing is drawn."},
    {"OneLineAboveRectangle",
     kUp,
     {0, 0, 8, 4, 0, 0, 7, 1},
     "Ret = 0: bottom-up source of 8 rows; the band holds scan line 7" SCAN
     ", at or above " TOP(4) ", so none counts and nothing is drawn."},
    // Why a call that counts lines draws nothing.
    {"TopDownStartBeyondImage",
     kDown,
     {0, 0, 8, 8, 0, 0, 8, 8},
     "Ret = 8: " DOWN "scan lines 8 to 15" SCAN "; nothing is drawn: Start 8 is at or beyond "
     "the source's 8 scan lines."},
    {"NegativeWidth",
     kUp,
     {0, 0, -1, 8, 0, 0, 0, 8},
     ALL8 "nothing is drawn: Width 4294967295 (-1) is a negative size, so the rectangle is "
          "empty."},
    {"ZeroWidth",
     kUp,
     {0, 0, 0, 8, 0, 0, 0, 8},
     ALL8 "nothing is drawn: Width 0 leaves the rectangle empty."},
    {"ColumnsOutsideSource",
     kUp,
     {0, 0, 8, 8, 8, 0, 0, 8},
     ALL8 "nothing is drawn: the rectangle's columns 8 to 15 lie outside the source's columns 0 "
          "to 7."},
    {"RectangleMissesBand",
     kUp,
     {0, 0, 8, 4, 0, 4, 0, 4},
     "Ret = 4: bottom-up source of 8 rows; the band holds scan lines 0 to 3" SCAN
     ", all below " TOP(
         8) ", so all 4 count; nothing is drawn: the rectangle's scan lines 4 to 7 lie outside "
            "the band."},
    {"EmptyBuffer",
     kDown,
     {0, 0, 8, 8, 0, 0, 0, 8},
     "Ret = 8: " DOWN "scan lines 0 to 7" SCAN "; nothing is drawn: the buffer holds no rows.",
     {8, 8, 8, 8, 0}},
    {"LandsOffDestination",
     kUp,
     {0, 8, 8, 8, 0, 0, 0, 8},
     ALL8 "nothing is drawn: the destination rectangle's device rows 8 to 15" DEVICE " fall off "
          "the 8 x 8 destination."},
    // What keeps part of the rectangle from being drawn.
    {"ColumnsBeyondSource",
     kUp,
     {0, 0, 8, 8, 5, 0, 0, 8},
     ALL8
     "source rows labelled 1 to 8, columns 5 to 7, were drawn to destination rows labelled "
     "1 to 8, columns 0 to 2; the rectangle's columns 8 to 12 lie outside the source's columns 0 "
     "to 7."},
    {"ColumnBeyondSource",
     kUp,
     {0, 0, 8, 8, 1, 0, 0, 8},
     ALL8
     "source rows labelled 1 to 8, columns 1 to 7, were drawn to destination rows labelled "
     "1 to 8, columns 0 to 6; the rectangle's column 8 lies outside the source's columns 0 to 7."},
    {"ColumnsLeftOfSourceAndOffDestination",
     kUp,
     {3, 2, 8, 8, -2, 0, 0, 8},
     ALL8
     "source rows labelled 3 to 8, columns 0 to 2, were drawn to destination rows labelled "
     "1 to 6, columns 5 to 7; the rectangle's columns -2 to -1 lie outside the source's columns "
     "0 to 7; the destination rectangle's device rows 8 to 9" DEVICE " and columns 8 to 10 fall "
     "off the 8 x 8 destination."},
    {"ColumnsCutOnBothSides",
     kUp,
     {-3, 0, 8, 8, -3, 0, 0, 8},
     ALL8
     "source rows labelled 1 to 8, columns 0 to 4, were drawn to destination rows labelled "
     "1 to 8, columns 0 to 4; the rectangle's columns -3 to -1 lie outside the source's columns "
     "0 to 7; the destination rectangle's columns -3 to -1 fall off the 8 x 8 destination."},
    {"ScanLinesBelowTheBand",
     kUp,
     {0, 0, 8, 8, 0, -2, 0, 8},
     "Ret = 6: bottom-up source of 8 rows; the band holds scan lines 0 to 7" SCAN "; only scan "
     "lines 0 to 5 lie below " TOP(
         6) ", so 6 count; source rows labelled 1 to 6 were drawn to "
            "destination rows labelled 3 to 8; the rectangle's scan lines -2 to -1 lie outside the "
            "band."},
    {"ScanLineOutsideTheBandColumnOffDestination",
     kUp,
     {1, 0, 8, 8, 0, 0, 0, 7},
     "Ret = 7: bottom-up source of 8 rows; the band holds scan lines 0 to 6" SCAN
     ", all below " TOP(
         8) ", so all 7 count; source rows labelled 1 to 7, columns 0 to 6, were drawn to "
            "destination rows labelled 1 to 7, columns 1 to 7; the rectangle's scan line 7 lies "
            "outside the band; the destination rectangle's column 8 falls off the 8 x 8 "
            "destination."},
    {"ScanLinesAboveTheSourceTop",
     kUp,
     {0, 0, 8, 8, 0, 2, 0, 12},
     "Ret = 8: bottom-up source of 8 rows; the band of 12 lines from Start 0 is cut at the "
     "source's top to scan lines 0 to 7" SCAN
     ", all below " TOP(10) ", so all 8 count; source "
                            "rows labelled 3 to 8 were drawn to destination rows labelled 1 to 6; "
                            "the rectangle's scan "
                            "lines 8 to 9 lie above the source's top row, scan line 7."},
    {"ScanLineAboveTheSourceTopRowOffDestination",
     kUp,
     {0, 1, 8, 8, 0, 1, 0, 12},
     "Ret = 8: bottom-up source of 8 rows; the band of 12 lines from Start 0 is cut at the "
     "source's top to scan lines 0 to 7" SCAN
     ", all below " TOP(9) ", so all 8 count; source "
                           "rows labelled 3 to 8 were drawn to destination rows labelled 1 to 6; "
                           "the rectangle's scan "
                           "line 8 lies above the source's top row, scan line 7; the destination "
                           "rectangle's device "
                           "row 8" DEVICE " falls off the 8 x 8 destination."},
    {"TopDownBandLongerThanSource",
     kDown,
     {0, 0, 8, 8, 0, 0, 0, 12},
     "Ret = 12: " DOWN "scan lines 0 to 11" SCAN "; source rows labelled 5 to 8 were drawn to "
     "destination rows labelled 5 to 8; the rectangle's scan lines 0 to 3 would come from buffer "
     "rows labelled 9 to 12, beyond the source's 8 rows."},
    {"TopDownBandOneLongerOntoTopDown",
     kDownOntoDown,
     {0, 0, 8, 8, 0, 0, 0, 9},
     "Ret = 9: " DOWN "scan lines 0 to 8" SCAN "; source rows labelled 2 to 8 were drawn to "
     "destination rows labelled 1 to 7; the rectangle's scan line 0 would come from buffer row "
     "labelled 9, beyond the source's 8 rows."},
    {"ShortBuffer",
     kUp,
     {0, 0, 8, 8, 0, 0, 0, 8},
     ALL8 "source rows labelled 1 to 5 were drawn to destination rows labelled 1 to 5; the "
          "rectangle's scan lines 5 to 7 would come from buffer rows labelled 6 to 8, which the "
          "buffer does not hold.",
     {8, 8, 8, 8, 5}},
    {"BufferOneRowShort",
     kUp,
     {0, 0, 8, 8, 0, 0, 0, 8},
     ALL8
     "source rows labelled 1 to 7 were drawn to destination rows labelled 1 to 7; the "
     "rectangle's scan line 7 would come from buffer row labelled 8, which the buffer does not "
     "hold.",
     {8, 8, 8, 8, 7}},
    {"RowsOffDestination",
     kDown,
     {0, -3, 8, 8, 0, 0, 0, 8},
     "Ret = 8: " DOWN "scan lines 0 to 7" SCAN "; source rows labelled 4 to 8 were drawn to "
     "destination rows labelled 4 to 8; the destination rectangle's device rows -3 to -1" DEVICE
     " fall off the 8 x 8 destination."},
    // A run-length encoded source, by its own rules.
    {"RleNoScanLines",
     kRle,
     {0, 0, 8, 8, 0, 0, 0, 0},
     "Ret = 0: #Lines is 0, so the call fails and draws nothing."},
    {"RleTopDownIsRefused",
     kRleDown,
     {0, 0, 8, 8, 0, 0, 0, 8},
     "Ret = 0: top-down run-length encoded source of 8 rows, which Windows refuses, so nothing "
     "is drawn."},
    {"RleZeroWidth",
     kRle,
     {0, 0, 0, 8, 0, 0, 0, 8},
     "Ret = 0: " RLE "; Width 0 leaves the decode area empty, so the call returns 0 and draws "
     "nothing, as Wine does."},
    {"RleNegativeHeight",
     kRle,
     {0, 0, 8, -1, 0, 0, 0, 8},
     "Ret = 0: " RLE "; Height 4294967295 (-1) is a negative size and leaves the decode area "
     "empty, so the call returns 0 and draws nothing, as Wine does."},
    {"RleNoColumns",
     kRle,
     {0, 0, 3, 8, -3, 0, 0, 8},
     "Ret = 0: " RLE "; XSrc + Width = 0 leaves the decode area no columns, so the call returns "
     "0 and draws nothing, as Wine does."},
    {"RleScanLineSumWraps",
     kRle,
     {0, 0, 8, 2147483647, 0, 5, 0, 8},
     "Ret = 0: " RLE "; YSrc + Height = 2147483652 (-2147483644 in 32 bits) leaves the decode "
     "area no scan lines, so the call returns 0 and draws nothing, as Wine does."},
    {"RleWholePictureWhateverTheBand",
     kRle,
     {0, 0, 8, 8, 0, 0, 3, 2},
     RLE8 "columns 0 to 7 and scan lines 0 to 7" SCAN "; source rows labelled 1 to 8 were drawn "
          "to destination rows labelled 1 to 8" SKIPS "."},
    {"RlePartOfThePicture",
     kRle,
     {1, 0, 8, 8, 2, -2, 0, 8},
     RLE8
     "columns 0 to 9 and scan lines 0 to 5" SCAN "; source rows labelled 1 to 6, columns 2 "
     "to 7, were drawn to destination rows labelled 3 to 8, columns 1 to 6" SKIPS "; the "
     "rectangle's columns 8 to 9 lie outside the source's columns 0 to 7; the rectangle's scan "
     "lines -2 to -1 lie below the source's bottom row, scan line 0; the destination rectangle's "
     "column 8 falls off the 8 x 8 destination."},
    {"RleAboveTheImage",
     kRle,
     {0, 0, 8, 8, 0, 4, 0, 8},
     RLE8 "columns 0 to 7 and scan lines 0 to 11" SCAN "; source rows labelled 5 to 8 were drawn "
          "to destination rows labelled 1 to 4" SKIPS
          "; the rectangle's scan lines 8 to 11 lie above "
          "the source's top row, scan line 7."},
    {"RleOffDestination",
     kRle,
     {8, 0, 8, 8, 0, 0, 0, 8},
     RLE8 "columns 0 to 7 and scan lines 0 to 7" SCAN "; nothing is drawn: the destination "
          "rectangle's columns 8 to 15 fall off the 8 x 8 destination."},
    {"RleNegativeWidth",
     kRle,
     {0, 0, -2147483648, 8, -8, 0, 0, 8},
     RLE8 "columns 0 to 2147483639 and scan lines 0 to 7" SCAN "; nothing is drawn: Width "
          "2147483648 (-2147483648) is a negative size, so the rectangle is empty."},
};

class AccountSentence : public ::testing::TestWithParam<AccountCase> {};

TEST_P(AccountSentence, StatesTheRuleInPlainWords) {
    const AccountCase& c = GetParam();
    geometry::Call call;
    const auto& a = c.arguments;
    call.arguments = {std::int32_t(a[0]),  std::int32_t(a[1]), std::uint32_t(a[2]),
                      std::uint32_t(a[3]), std::int32_t(a[4]), std::int32_t(a[5]),
                      std::uint32_t(a[6]), std::uint32_t(a[7])};
    call.source = {c.sizes[0], c.sizes[1], c.setup.source, c.sizes[4], c.setup.encoding};
    call.destination = {c.sizes[2], c.sizes[3], c.setup.destination};
    EXPECT_EQ(geometry::explainCall(call), c.sentence);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, AccountSentence, ::testing::ValuesIn(kCases));

TEST(AccountSentence, RunLengthSourceHasOnlyItsOwnGeometry) {
    geometry::Call call;
    call.arguments.cLines = 8;
    call.source = {8, 8, RowOrder::BottomUp, 8, SourceEncoding::RunLength};
    call.destination = {8, 8};
    EXPECT_FALSE(geometry::computeGeometry(call).has_value());
    EXPECT_TRUE(geometry::computeRleGeometry(call).has_value());
}

}  // namespace
