#include "wine_plan.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

namespace {

using difftest::ProbeCase;
using difftest::WineRun;

const difftest::TestFormat& formatNamed(std::string_view token) {
    const auto formats = difftest::sourceFormats();
    return *std::find_if(formats.begin(), formats.end(),
                         [token](const difftest::TestFormat& f) { return f.token == token; });
}

ProbeCase drawing(std::string_view source) {
    ProbeCase c;
    c.source = &formatNamed(source);
    c.width = 8;
    c.height = 8;
    c.cLines = 8;
    return c;
}

ProbeCase rle(std::uint32_t width, std::int32_t xSrc) {
    ProbeCase c = drawing("rle8");
    c.width = width;
    c.xSrc = xSrc;
    c.bits = std::vector<std::uint8_t>{4, 0x10, 0, 0, 3, 0x20, 0, 1};
    return c;
}

TEST(PlanCase, SendsAnOrdinaryCaseAsItIs) {
    const auto planned = difftest::planCase(drawing("8"));
    EXPECT_EQ(planned.run, WineRun::SameCase);
    EXPECT_EQ(difftest::toCaseLine(planned.wine), difftest::toCaseLine(planned.ours));
}

TEST(PlanCase, GivesWineTheColoursOfIndicesItWrapsOtherwise) {
    ProbeCase c = drawing("1");
    c.paletteIndices = true;
    c.sourceColours = {0, 19};
    const auto planned = difftest::planCase(c);
    EXPECT_EQ(planned.run, WineRun::RgbTable);
    EXPECT_FALSE(planned.wine.paletteIndices);
    EXPECT_EQ(planned.wine.sourceColours, (std::vector<std::uint32_t>{0x000000, 0xffffff}));
    EXPECT_TRUE(planned.ours.paletteIndices);
}

TEST(PlanCase, GivesWineTheWholeBufferOfAShortOne) {
    ProbeCase c = drawing("4");
    c.bits = std::vector<std::uint8_t>(9, 0x12);
    const auto planned = difftest::planCase(c);
    EXPECT_EQ(planned.run, WineRun::WholeBuffer);
    EXPECT_EQ(planned.wine.bits->size(), 32u);
    EXPECT_EQ(planned.ours.bits->size(), 9u);
}

TEST(PlanCase, StopsWinesStreamAtTheBuffersEnd) {
    ProbeCase c = rle(8, 0);
    c.sizeImage = 20;
    const auto planned = difftest::planCase(c);
    EXPECT_EQ(planned.run, WineRun::StreamWithinBuffer);
    EXPECT_EQ(planned.wine.sizeImage, 8u);
}

TEST(PlanCase, SplitsAnRle8RunThatWineMisreads) {
    ProbeCase c = rle(8, 0);
    c.bits = std::vector<std::uint8_t>{0, 255};
    c.bits->resize(258, 5);
    const auto planned = difftest::planCase(c);
    EXPECT_EQ(planned.run, WineRun::SplitLongRuns);
    EXPECT_EQ((*planned.wine.bits)[1], 254);
    EXPECT_EQ((*planned.ours.bits)[1], 255);
}

TEST(PlanCase, CutsADecodeAreaTooLargeForWine) {
    const auto planned = difftest::planCase(rle(0x7ffffff0, 0));
    EXPECT_EQ(planned.run, WineRun::CutDecodeArea);
    EXPECT_EQ(planned.wine.width, 4u);
}

TEST(PlanCase, KeepsFromWineADecodeAreaWithNothingInReach) {
    EXPECT_EQ(difftest::planCase(rle(0x7ffffff0, 5)).run, WineRun::NotSent);
}

TEST(PlanCase, CarriesEveryChangeAndNamesTheFirst) {
    ProbeCase c = rle(0x7ffffff0, 0);
    c.sizeImage = 30;
    c.paletteIndices = true;
    c.sourceColours = {3, 25};
    const auto planned = difftest::planCase(c);
    EXPECT_EQ(planned.run, WineRun::CutDecodeArea);
    EXPECT_FALSE(planned.wine.paletteIndices);
    EXPECT_EQ(planned.wine.sizeImage, 8u);
    EXPECT_EQ(planned.wine.width, 4u);
}

}  // namespace
