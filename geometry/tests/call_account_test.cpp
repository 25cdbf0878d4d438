// One case for every rule of the result and every reason a pixel of the rectangle is not drawn,
// each with the sentence the account must give.

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "geometry/call_account.h"

namespace {

using geometry::RowOrder;

struct AccountCase {
    const char* name;
    RowOrder order;
    // XDest, YDest, Width, Height, XSrc, YSrc, Start, #Lines as typed in the bench.
    std::array<std::int64_t, 8> arguments;
    const char* sentence;
    // Source and destination sizes and buffer rows; 8 x 8 and the whole picture unless given.
    std::array<std::int64_t, 5> sizes = {8, 8, 8, 8, 8};
};

void PrintTo(const AccountCase& c, std::ostream* out) {
    *out << c.name;
}

constexpr RowOrder kUp = RowOrder::BottomUp;
constexpr RowOrder kDown = RowOrder::TopDown;

const AccountCase kCases[] = {
    // The result's rules.
    {"WholeBand",
     kUp,
     {0, 0, 8, 8, 0, 0, 2, 3},
     "Ret = 3: bottom-up source of 8 rows; the band holds scan lines 2 to 4, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 3 count; source rows 5 to 7 were drawn to "
     "destination rows 3 to 5; the rectangle's scan lines 0 to 1 and 5 to 7 lie outside the "
     "band."},
    {"StartBeyondImage",
     kUp,
     {0, 0, 8, 8, 0, 0, 9, 8},
     "Ret = 0: bottom-up source of 8 rows; Start 9 is at or beyond its 8 scan lines, so nothing "
     "is drawn and the result is 0."},
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
     "Ret = 4: top-down source of 8 rows, which returns #Lines whatever is drawn; the band holds "
     "scan lines 0 to 3; source rows 0 to 3 were drawn to destination rows 4 to 7; the "
     "rectangle's scan lines 4 to 7 lie outside the band."},
    {"BandCutAtImageTop",
     kUp,
     {0, 0, 8, 8, 0, 0, 4, 8},
     "Ret = 4: bottom-up source of 8 rows; the band of 8 lines from Start 4 is cut at the "
     "source's top to scan lines 4 to 7, all below the top of the source rectangle (YSrc + Height "
     "= 8), so all 4 count; source rows 4 to 7 were drawn to destination rows 0 to 3; the "
     "rectangle's scan lines 0 to 3 lie outside the band."},
    {"BandCutAtRectangleTop",
     kUp,
     {0, 0, 8, 3, 0, 0, 0, 8},
     "Ret = 3: bottom-up source of 8 rows; the band holds scan lines 0 to 7; only scan lines 0 to "
     "2 lie below the top of the source rectangle (YSrc + Height = 3), so 3 count; source rows 5 "
     "to 7 were drawn to destination rows 0 to 2."},
    {"BandAboveRectangle",
     kUp,
     {0, 0, 8, 4, 0, 0, 4, 4},
     "Ret = 0: bottom-up source of 8 rows; the band holds scan lines 4 to 7, all at or above the "
     "top of the source rectangle (YSrc + Height = 4), so none counts and nothing is drawn."},
    {"OneLineOfATwoRowSource",
     kUp,
     {0, 0, 3, 1, 0, 0, 0, 2},
     "Ret = 1: bottom-up source of 2 rows; the band holds scan lines 0 to 1; only scan line 0 "
     "lies below the top of the source rectangle (YSrc + Height = 1), so 1 counts; source row 1 "
     "was drawn to destination row 0.",
     {3, 2, 4, 4, 2}},
    // Why a call that counts lines draws nothing.
    {"TopDownStartBeyondImage",
     kDown,
     {0, 0, 8, 8, 0, 0, 8, 8},
     "Ret = 8: top-down source of 8 rows, which returns #Lines whatever is drawn; the band holds "
     "scan lines 8 to 15; nothing is drawn: Start 8 is at or beyond the source's 8 scan lines."},
    {"NegativeWidth",
     kUp,
     {0, 0, -1, 8, 0, 0, 0, 8},
     "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 8 count; nothing is drawn: Width "
     "4294967295 (-1) is a negative size, so the rectangle is empty."},
    {"ZeroWidth",
     kUp,
     {0, 0, 0, 8, 0, 0, 0, 8},
     "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 8 count; nothing is drawn: Width 0 leaves "
     "the rectangle empty."},
    {"ColumnsOutsideSource",
     kUp,
     {0, 0, 8, 8, 8, 0, 0, 8},
     "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 8 count; nothing is drawn: the rectangle's "
     "columns 8 to 15 lie outside the source's columns 0 to 7."},
    {"RectangleMissesBand",
     kUp,
     {0, 0, 8, 4, 0, 4, 0, 4},
     "Ret = 4: bottom-up source of 8 rows; the band holds scan lines 0 to 3, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 4 count; nothing is drawn: the rectangle's "
     "scan lines 4 to 7 miss the band's readable scan lines 0 to 3."},
    {"EmptyBuffer",
     kDown,
     {0, 0, 8, 8, 0, 0, 0, 8},
     "Ret = 8: top-down source of 8 rows, which returns #Lines whatever is drawn; the band holds "
     "scan lines 0 to 7; nothing is drawn: the buffer holds no rows.",
     {8, 8, 8, 8, 0}},
    {"LandsOffDestination",
     kUp,
     {0, 8, 8, 8, 0, 0, 0, 8},
     "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 8 count; nothing is drawn: it would land at "
     "destination rows 8 to 15, columns 0 to 7, off the 8 x 8 destination."},
    // What keeps part of the rectangle from being drawn.
    {"ColumnsBeyondSource",
     kUp,
     {0, 0, 8, 8, 5, 0, 0, 8},
     "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 8 count; source rows 0 to 7, columns 5 to "
     "7, were drawn to destination rows 0 to 7, columns 0 to 2; the rectangle's columns 8 to 12 "
     "lie outside the source's columns 0 to 7."},
    {"ColumnsLeftOfSourceAndOffDestination",
     kUp,
     {3, 2, 8, 8, -2, 0, 0, 8},
     "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 8 count; source rows 0 to 5, columns 0 to "
     "2, were drawn to destination rows 2 to 7, columns 5 to 7; the rectangle's columns -2 to -1 "
     "lie outside the source's columns 0 to 7; destination rows 8 to 9 and columns 8 to 10 fall "
     "off the 8 x 8 destination."},
    {"ScanLinesBelowTheBand",
     kUp,
     {0, 0, 8, 8, 0, -2, 0, 8},
     "Ret = 6: bottom-up source of 8 rows; the band holds scan lines 0 to 7; only scan lines 0 to "
     "5 lie below the top of the source rectangle (YSrc + Height = 6), so 6 count; source rows 2 "
     "to 7 were drawn to destination rows 0 to 5; the rectangle's scan lines -2 to -1 lie outside "
     "the band."},
    {"ScanLinesAboveTheSourceTop",
     kUp,
     {0, 0, 8, 8, 0, 2, 0, 12},
     "Ret = 8: bottom-up source of 8 rows; the band of 12 lines from Start 0 is cut at the "
     "source's top to scan lines 0 to 7, all below the top of the source rectangle (YSrc + Height "
     "= 10), so all 8 count; source rows 0 to 5 were drawn to destination rows 2 to 7; the "
     "rectangle's scan lines 8 to 9 lie above the source's top row, scan line 7."},
    {"TopDownBandLongerThanSource",
     kDown,
     {0, 0, 8, 8, 0, 0, 0, 12},
     "Ret = 12: top-down source of 8 rows, which returns #Lines whatever is drawn; the band holds "
     "scan lines 0 to 11; source rows 4 to 7 were drawn to destination rows 0 to 3; the "
     "rectangle's scan lines 0 to 3 would come from buffer rows 8 to 11, beyond the source's 8 "
     "rows."},
    {"ShortBuffer",
     kUp,
     {0, 0, 8, 8, 0, 0, 0, 8},
     "Ret = 8: bottom-up source of 8 rows; the band holds scan lines 0 to 7, all below the top of "
     "the source rectangle (YSrc + Height = 8), so all 8 count; source rows 3 to 7 were drawn to "
     "destination rows 3 to 7; the rectangle's scan lines 5 to 7 would come from buffer rows 5 to "
     "7, which the buffer does not hold.",
     {8, 8, 8, 8, 5}},
    {"RowsOffDestination",
     kDown,
     {0, -3, 8, 8, 0, 0, 0, 8},
     "Ret = 8: top-down source of 8 rows, which returns #Lines whatever is drawn; the band holds "
     "scan lines 0 to 7; source rows 3 to 7 were drawn to destination rows 0 to 4; destination "
     "rows -3 to -1 fall off the 8 x 8 destination."},
};

class AccountSentence : public ::testing::TestWithParam<AccountCase> {};

TEST_P(AccountSentence, StatesTheRuleInPlainWords) {
    const AccountCase& c = GetParam();
    geometry::Call call;
    const auto& a = c.arguments;
    call.arguments = {std::int32_t(a[0]),  std::int32_t(a[1]), std::uint32_t(a[2]),
                      std::uint32_t(a[3]), std::int32_t(a[4]), std::int32_t(a[5]),
                      std::uint32_t(a[6]), std::uint32_t(a[7])};
    call.source = {c.sizes[0], c.sizes[1], c.order, c.sizes[4]};
    call.destination = {c.sizes[2], c.sizes[3]};
    EXPECT_EQ(geometry::explainCall(call), c.sentence);
}

INSTANTIATE_TEST_SUITE_P(EveryRule, AccountSentence, ::testing::ValuesIn(kCases));

TEST(AccountSentence, RunLengthSourceIsNotDescribed) {
    geometry::Call call;
    call.arguments.cLines = 8;
    call.source = {8, 8, RowOrder::BottomUp, 8, geometry::SourceEncoding::RunLength};
    call.destination = {8, 8};
    EXPECT_FALSE(geometry::computeGeometry(call).has_value());
    EXPECT_EQ(geometry::explainCall(call),
              "A run-length encoded source follows its own rules, which this account does not "
              "describe.");
}

}  // namespace
