#include "probe_comparison.h"

#include <gtest/gtest.h>

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

}  // namespace
