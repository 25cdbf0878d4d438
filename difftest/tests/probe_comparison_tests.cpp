#include "probe_comparison.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using difftest::CaseAgreement;
using difftest::ProbeCase;

// An 8 x 8 source drawn onto a 2 x 2 destination filled with 11111111.
ProbeCase smallCase(std::uint32_t width, std::int32_t xSrc) {
    ProbeCase c;
    c.destWidth = 2;
    c.destHeight = 2;
    c.fill = 0x11111111;
    c.width = width;
    c.height = 8;
    c.xSrc = xSrc;
    c.cLines = 8;
    return c;
}

constexpr const char* untouched = " 11111111 11111111 11111111 11111111";
constexpr const char* drawn = " 00000000 00000001 00000100 00000101";

TEST(CompareProbeLines, AcceptsIdenticalLinesAndACarriageReturnFromWindows) {
    const auto comparison = difftest::compareProbeLines(smallCase(8, 0), std::string("8") + drawn,
                                                        std::string("8") + drawn + "\r");
    EXPECT_EQ(comparison.agreement, CaseAgreement::Identical);
}

TEST(CompareProbeLines, RejectsADifferentPixelAndSaysWhere) {
    const auto comparison =
        difftest::compareProbeLines(smallCase(8, 0), "8 00000000 00000001 00000100 00000101",
                                    "8 00000000 00000001 00000100 ff000101");
    EXPECT_FALSE(comparison.agreement);
    EXPECT_NE(comparison.difference.find("pixel x 1 y 1"), std::string::npos);
    EXPECT_NE(comparison.difference.find("ff000101"), std::string::npos);
}

TEST(CompareProbeLines, RejectsADifferentResultWhereWineAgreesWithWindows) {
    const auto comparison = difftest::compareProbeLines(smallCase(8, 0), std::string("8") + drawn,
                                                        std::string("7") + drawn);
    EXPECT_FALSE(comparison.agreement);
    EXPECT_NE(comparison.difference.find("result ours 8"), std::string::npos);
}

TEST(CompareProbeLines, CountsWinesDepartureWhenOursFollowsWindows) {
    // XSrc 8 misses the image: nothing is drawn; Windows returns 8, Wine 0.
    const auto comparison = difftest::compareProbeLines(
        smallCase(8, 8), std::string("8") + untouched, std::string("0") + untouched);
    EXPECT_EQ(comparison.agreement, CaseAgreement::WineDeparture);
}

TEST(CompareProbeLines, RejectsWinesResultFromOursInADepartureCase) {
    const auto comparison = difftest::compareProbeLines(
        smallCase(8, 8), std::string("0") + untouched, std::string("8") + untouched);
    EXPECT_FALSE(comparison.agreement);
}

TEST(CompareProbeLines, RejectsADepartureInACallThatDraws) {
    const auto comparison = difftest::compareProbeLines(smallCase(8, 8), std::string("8") + drawn,
                                                        std::string("0") + drawn);
    EXPECT_FALSE(comparison.agreement);
}

TEST(CompareProbeLines, RejectsAnErrorLine) {
    const auto comparison =
        difftest::compareProbeLines(smallCase(8, 0), "error: bad number", std::string("8") + drawn);
    EXPECT_FALSE(comparison.agreement);
    EXPECT_NE(comparison.difference.find("unreadable"), std::string::npos);
}

ProbeCase hugeTopDownBand() {
    ProbeCase c = smallCase(8, 0);
    c.sourceTopDown = true;
    c.ySrc = -2;
    c.cLines = 0xffffffff;
    return c;
}

TEST(CompareProbeLines, AcceptsAHugeTopDownBandThatOursRefusesAndWineDraws) {
    const auto comparison = difftest::compareProbeLines(
        hugeTopDownBand(), std::string("0") + untouched, std::string("-1") + drawn);
    EXPECT_EQ(comparison.agreement, CaseAgreement::WindowsRefusesBand);
}

TEST(CompareProbeLines, RejectsAHugeTopDownBandThatOursDraws) {
    const auto comparison = difftest::compareProbeLines(hugeTopDownBand(), std::string("0") + drawn,
                                                        std::string("-1") + drawn);
    EXPECT_FALSE(comparison.agreement);
    EXPECT_NE(comparison.difference.find("2^31"), std::string::npos);
}

ProbeCase wrappingCase(std::int32_t xDest, std::uint32_t width) {
    ProbeCase c = smallCase(width, -2);
    c.xDest = xDest;
    return c;
}

TEST(CompareProbeLines, AcceptsANegativeWidthThatOnlyWinesWrappedSumDraws) {
    // XSrc -2 + Width 0x80000000 is a positive right edge in Wine's arithmetic.
    const auto comparison = difftest::compareProbeLines(
        wrappingCase(0, 0x80000000), std::string("8") + untouched, std::string("8") + drawn);
    EXPECT_EQ(comparison.agreement, CaseAgreement::WrappedRectangle);
}

TEST(CompareProbeLines, AcceptsAWideCallThatWinesWrappedSumEmpties) {
    const auto comparison = difftest::compareProbeLines(
        wrappingCase(2, 0x7ffffffe), std::string("8") + drawn, std::string("8") + untouched);
    EXPECT_EQ(comparison.agreement, CaseAgreement::WrappedRectangle);
}

TEST(CompareProbeLines, RejectsANegativeWidthThatOursDraws) {
    const auto comparison = difftest::compareProbeLines(
        wrappingCase(0, 0x80000000), std::string("8") + drawn, std::string("8") + untouched);
    EXPECT_FALSE(comparison.agreement);
}

TEST(CompareProbeLines, RejectsDifferentPixelsWhenNoSumWraps) {
    const auto comparison = difftest::compareProbeLines(
        wrappingCase(1, 8), std::string("8") + drawn, std::string("8") + untouched);
    EXPECT_FALSE(comparison.agreement);
}

TEST(CompareProbeLines, RejectsAResultBothGiveAgainstWindowsRule) {
    // 8 x 8 bottom-up, Start 0, cLines 8, YSrc 0, Height 8: Windows' rule gives 8.
    const auto comparison = difftest::compareProbeLines(smallCase(8, 0), std::string("7") + drawn,
                                                        std::string("7") + drawn);
    EXPECT_FALSE(comparison.agreement);
    EXPECT_NE(comparison.difference.find("rule 8"), std::string::npos);
}

const difftest::TestFormat& formatNamed(std::string_view token) {
    const auto formats = difftest::sourceFormats();
    return *std::find_if(formats.begin(), formats.end(),
                         [token](const difftest::TestFormat& f) { return f.token == token; });
}

// A 2 x 2 5-6-5 destination filled with 1111, drawn from a 2 x 2 24-bpp source.
ProbeCase wideToHighColour() {
    ProbeCase c = smallCase(2, 0);
    c.source = &formatNamed("24");
    c.dest = &formatNamed("16:f800:7e0:1f");
    c.fill = 0x1111;
    c.sourceWidth = 2;
    c.sourceHeight = 2;
    c.height = 2;
    c.cLines = 2;
    return c;
}

TEST(CompareProbeLines, ReadsPixelsOfTheDestinationsWidth) {
    const auto comparison = difftest::compareProbeLines(wideToHighColour(), "2 0000 0001 0100 0101",
                                                        "2 0000 0001 0100 ff01");
    EXPECT_FALSE(comparison.agreement);
    EXPECT_NE(comparison.difference.find("pixel x 1 y 1 (top row 0): ours 0101, Windows ff01"),
              std::string::npos);
    const auto departure = difftest::compareProbeLines(
        [] {
            ProbeCase c = wideToHighColour();
            c.xSrc = 2;
            return c;
        }(),
        "2 1111 1111 1111 1111", "0 1111 1111 1111 1111");
    EXPECT_EQ(departure.agreement, CaseAgreement::WineDeparture);
}

// Three of the source's four rows (stride 8): destination rows 0 and 1 take buffer rows 1 and 0.
difftest::PlannedCase shortBuffer(std::size_t bytes) {
    ProbeCase c = wideToHighColour();
    c.bits = std::vector<std::uint8_t>(bytes, 0x80);
    return difftest::planCase(c);
}

TEST(ComparePlannedCase, HoldsAShortBufferToWineOnTheRowsItHas) {
    const auto comparison = difftest::comparePlannedCase(shortBuffer(8), "2 1111 1111 0101 0202",
                                                         "2 0303 0404 0101 0202");
    EXPECT_EQ(comparison.agreement, CaseAgreement::ShortBuffer);
}

TEST(ComparePlannedCase, RejectsAShortBufferThatDrawsAMissingRow) {
    const auto comparison = difftest::comparePlannedCase(shortBuffer(8), "2 0303 0404 0101 0202",
                                                         "2 0303 0404 0101 0202");
    EXPECT_FALSE(comparison.agreement);
    EXPECT_NE(comparison.difference.find("buffer row 1 is missing"), std::string::npos);
}

TEST(ComparePlannedCase, RejectsAShortBufferThatDiffersOnARowItHas) {
    const auto comparison = difftest::comparePlannedCase(shortBuffer(8), "2 1111 1111 0101 0203",
                                                         "2 0303 0404 0101 0202");
    EXPECT_FALSE(comparison.agreement);
}

TEST(ComparePlannedCase, RejectsAShortBufferWithWinesResultAgainstWindowsRule) {
    const auto comparison = difftest::comparePlannedCase(shortBuffer(8), "0 1111 1111 0101 0202",
                                                         "0 0303 0404 0101 0202");
    EXPECT_FALSE(comparison.agreement);
}

difftest::PlannedCase hugeRle(std::int32_t xSrc) {
    ProbeCase c = smallCase(0x7ffffff0, xSrc);
    c.source = &formatNamed("rle8");
    c.bits = std::vector<std::uint8_t>{4, 0x10, 0, 1};
    return difftest::planCase(c);
}

TEST(ComparePlannedCase, WantsNothingDrawnWhereTheStreamIsOutOfReach) {
    const auto planned = hugeRle(6);
    ASSERT_EQ(planned.run, difftest::WineRun::NotSent);
    EXPECT_EQ(difftest::comparePlannedCase(planned, std::string("8") + untouched, "").agreement,
              CaseAgreement::DecodeAreaNotSent);
    EXPECT_FALSE(difftest::comparePlannedCase(planned, std::string("8") + drawn, "").agreement);
    EXPECT_FALSE(difftest::comparePlannedCase(planned, std::string("0") + untouched, "").agreement);
}

TEST(ComparePlannedCase, CountsACutDecodeAreaApartAndAcceptsNoRleResultDeparture) {
    const auto planned = hugeRle(0);
    ASSERT_EQ(planned.run, difftest::WineRun::CutDecodeArea);
    EXPECT_EQ(
        difftest::comparePlannedCase(planned, std::string("8") + drawn, std::string("8") + drawn)
            .agreement,
        CaseAgreement::DecodeAreaCut);
    EXPECT_FALSE(difftest::comparePlannedCase(planned, std::string("8") + untouched,
                                              std::string("0") + untouched)
                     .agreement);
}

TEST(ProbeTally, CountsMatchesAndDeparturesApart) {
    difftest::ProbeTally tally;
    tally.add(CaseAgreement::Identical);
    tally.add(CaseAgreement::WineDeparture);
    tally.add(CaseAgreement::WindowsRefusesBand);
    tally.add(CaseAgreement::WrappedRectangle);
    tally.add(std::nullopt);
    EXPECT_EQ(tally.compared, 5u);
    EXPECT_EQ(tally.identical, 1u);
    EXPECT_EQ(tally.wineDepartures, 1u);
    EXPECT_EQ(tally.refusedBands, 1u);
    EXPECT_EQ(tally.wrappedRectangles, 1u);
    EXPECT_NE(tally.summary().find("5 cases compared, 4 matched"), std::string::npos);
}

TEST(ProbeTally, ListsTheFormatPairsAndTheDeparturesOfAFormatRun) {
    difftest::ProbeTally tally;
    tally.add(CaseAgreement::Identical, "8", "565");
    tally.add(CaseAgreement::ShortBuffer, "8", "565");
    tally.add(CaseAgreement::PaletteWrap, "rle4", "1");
    tally.add(CaseAgreement::LongRunSplit, "rle4", "1");
    tally.add(CaseAgreement::DecodeAreaNotSent, "rle4", "1");
    const std::string summary = tally.summary();
    EXPECT_NE(summary.find("5 cases compared, 5 matched"), std::string::npos);
    EXPECT_NE(summary.find("\n  1 RLE8 calls with an absolute run of 255"), std::string::npos);
    EXPECT_NE(summary.find("\n  1 RLE calls with such an area"), std::string::npos);
    EXPECT_NE(summary.find("\n  1 with a buffer short of the image"), std::string::npos);
    EXPECT_NE(summary.find("\n  1 DIB_PAL_COLORS calls"), std::string::npos);
    EXPECT_NE(summary.find("\n      8      -      -      -      -      -      2      -"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("\n   rle4      3      -"), std::string::npos) << summary;
}

}  // namespace
