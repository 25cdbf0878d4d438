#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"
#include "listing_text.h"
#include "picture_pixels.h"
#include "workbench/enlarge.h"

namespace {

std::vector<std::uint32_t> asPixels(const std::vector<std::int32_t>& values) {
    return {values.begin(), values.end()};
}

class TestRunTest : public FormTest {
protected:
    TestRunTest() { drawBottomUp(form.srcPic, distinctPixels()); }

    void showBothListings() {
        form.Check5.click();
        form.Check4.click();
    }

    std::string sourceListing() const {
        return expectedListing("Src Pixels (RRGGBB) are", asPixels(distinctPixels()));
    }
};

TEST_F(TestRunTest, StartUpArgumentsCopyTheSourceUnchanged) {
    showBothListings();
    form.cmdTest.click();
    EXPECT_EQ(form.Text3.Text(), sourceListing() + expectedListing("Dst Pixels (RRGGBB) are",
                                                                   asPixels(distinctPixels())));
    EXPECT_EQ(form.dstRet.Caption(), "Ret = 8");
    EXPECT_EQ(form.srcHeight.Caption(), "Source biHeight = 8");
}

TEST_F(TestRunTest, DestinationTopDownReversesTheDestinationListing) {
    showBothListings();
    form.Check2.click();
    form.cmdTest.click();
    EXPECT_EQ(form.Text3.Text(),
              sourceListing() + expectedListing("Dst Pixels (RRGGBB) are",
                                                reversedRows(asPixels(distinctPixels()))));
}

TEST_F(TestRunTest, SourceTopDownKeepsTheSourceListingBottomUpAndShowsNegativeHeight) {
    form.Check5.click();
    form.Check1.click();
    form.cmdTest.click();
    EXPECT_EQ(form.Text3.Text(), sourceListing());
    EXPECT_EQ(form.srcHeight.Caption(), "Source biHeight = -8");
    EXPECT_EQ(bottomUpPixels(form.destPic), asPixels(distinctPixels()));
}

TEST_F(TestRunTest, BothMagnifiedViewsShowTheirPicturesAfterTheRun) {
    form.Text1[0].setText("3");
    form.cmdTest.click();
    const auto source = distinctPixels();
    std::vector<std::int32_t> destination;
    for (const std::uint32_t pixel : bottomUpPixels(form.destPic)) {
        destination.push_back(static_cast<std::int32_t>(pixel));
    }
    EXPECT_EQ(bottomUpPixels(form.srcBigPic),
              asPixels(workbench::enlargePixels(source, {8, 8}, {64, 64})));
    EXPECT_EQ(bottomUpPixels(form.destBigPic),
              asPixels(workbench::enlargePixels(destination, {8, 8}, {64, 64})));
    EXPECT_EQ(bottomUpPixels(form.destPic)[0], 0x00FFFFFFu);
    EXPECT_EQ(bottomUpPixels(form.destPic)[3], static_cast<std::uint32_t>(source[0]));
}

struct ArgumentText {
    std::string text;
    int xDest;  // the destination column that receives source column 0
};

void PrintTo(const ArgumentText& argument, std::ostream* out) {
    *out << '"' << argument.text << '"';
}

class ArgumentReading : public TestRunTest, public ::testing::WithParamInterface<ArgumentText> {};

TEST_P(ArgumentReading, XDestIsTheRoundedLeadingNumber) {
    form.Text1[0].setText(GetParam().text);
    form.cmdTest.click();
    const auto destination = bottomUpPixels(form.destPic);
    EXPECT_EQ(destination[GetParam().xDest], static_cast<std::uint32_t>(distinctPixels()[0]));
    if (GetParam().xDest > 0) {
        EXPECT_EQ(destination[GetParam().xDest - 1], 0x00FFFFFFu);
    }
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ArgumentReading,
                         ::testing::Values(ArgumentText{"2.5", 2}, ArgumentText{"3.5", 4},
                                           ArgumentText{"", 0}, ArgumentText{"5abc", 5},
                                           ArgumentText{"1.5", 2}, ArgumentText{"&H3", 3},
                                           ArgumentText{"0.5", 0}));

TEST_F(TestRunTest, TypedMinusThreeShiftsTheCopyUp) {
    form.setFocus(form.Text1[1]);
    form.Text1[1].setText("");
    for (const char c : std::string("-3")) {
        form.Text1[1].typeCharacter(form.previewKeyPress(c));
    }
    ASSERT_EQ(form.Text1[1].Text(), "-3");
    form.cmdTest.click();
    // YDest -3: picture rows D to H land in destination rows 0 to 4 (scan lines 7 to 3).
    EXPECT_EQ(bottomUpPixels(form.destPic)[3 * 8], static_cast<std::uint32_t>(distinctPixels()[0]));
    EXPECT_EQ(bottomUpPixels(form.destPic)[2 * 8], 0x00FFFFFFu);
}

TEST_F(TestRunTest, NoListingBoxLeavesTheReportAlone) {
    form.Text3.setText("kept");
    form.cmdTest.click();
    EXPECT_EQ(form.Text3.Text(), "kept");
    EXPECT_EQ(form.dstRet.Caption(), "Ret = 8");
}

TEST_F(TestRunTest, TwoRunsLeaveTwoListingsOneAfterTheOther) {
    form.Text3.setText("typed");
    form.Check4.click();
    form.cmdTest.click();
    form.cmdTest.click();
    const std::string listing =
        expectedListing("Dst Pixels (RRGGBB) are", asPixels(distinctPixels()));
    EXPECT_EQ(form.Text3.Text(), "typed" + listing + listing);
}

TEST_F(TestRunTest, SecondRunWithShiftedXDestDrawsOverTheFirst) {
    form.Text1[2].setText("2");  // Width 2: columns 0 and 1
    form.cmdTest.click();
    form.Text1[0].setText("1");
    form.Text2[0].setText("4");  // XSrc 4: columns 4 and 5 go to destination columns 1 and 2
    form.cmdTest.click();
    const auto source = distinctPixels();
    const auto destination = bottomUpPixels(form.destPic);
    for (int line = 0; line < 8; ++line) {
        EXPECT_EQ(destination[line * 8 + 0], static_cast<std::uint32_t>(source[line * 8 + 0]));
        EXPECT_EQ(destination[line * 8 + 1], static_cast<std::uint32_t>(source[line * 8 + 4]));
        EXPECT_EQ(destination[line * 8 + 2], static_cast<std::uint32_t>(source[line * 8 + 5]));
        EXPECT_EQ(destination[line * 8 + 3], 0x00FFFFFFu);
    }
    EXPECT_EQ(bottomUpPixels(form.destBigPic)[0],
              0xFF000000u | static_cast<std::uint32_t>(source[0]));
}

TEST_F(TestRunTest, ZeroResultIsShownAsItComes) {
    form.Text1[3].setText("0");
    form.cmdTest.click();
    EXPECT_EQ(form.dstRet.Caption(), "Ret = 0");
    EXPECT_TRUE(uniform(form.destPic, 0x00FFFFFF));
}

TEST_F(TestRunTest, TopByteOfASourcePixelIsListedByItsLowBitsOnly) {
    std::vector<std::int32_t> source(64, 0x00000000);
    source[0] = 0x12ABCDEF;
    drawBottomUp(form.srcPic, source);
    form.Check5.click();
    form.cmdTest.click();
    EXPECT_EQ(form.Text3.Text().substr(0, 35), "Src Pixels (RRGGBB) are\r\n1: ABCDEF,");
}

TEST_F(TestRunTest, DestinationFillRemovesTheRunButKeepsTheReport) {
    form.Check4.click();
    form.cmdTest.click();
    const std::string report = form.Text3.Text();
    form.cmdSetDestBkg.click();
    EXPECT_TRUE(uniform(form.destPic, 0x00FFFFFF));
    EXPECT_TRUE(uniform(form.destBigPic, 0x00FFFFFF));
    EXPECT_EQ(form.Text3.Text(), report);
}

TEST_F(TestRunTest, SourceDrawnPointByPointRunsThroughTheWholeBench) {
    // 64 Set Point clicks give every source pixel its own colour.
    for (int y = 0; y < 8; ++y) {
        for (int x = 0; x < 8; ++x) {
            form.Text7.setText(std::to_string(x * 32));
            form.Text8.setText(std::to_string(y * 32));
            form.Text9.setText(std::to_string(x + y * 8));
            form.Text10.setText(std::to_string(x));
            form.Text11.setText(std::to_string(y));
            form.cmdSetSrcPoint.click();
        }
    }
    form.Check1.click();
    form.Check4.click();
    form.Text2[3].setText("4");  // #Lines 4 with a top-down source: rows A to D land in rows 4 to 7
    form.cmdTest.click();
    std::vector<std::uint32_t> expected(64, 0x00FFFFFF);
    for (int line = 0; line < 4; ++line) {
        for (int x = 0; x < 8; ++x) {
            const int sourceLine = line + 4;
            expected[line * 8 + x] = static_cast<std::uint32_t>(
                (x * 32) << 16 | (sourceLine * 32) << 8 | (x + sourceLine * 8));
        }
    }
    EXPECT_EQ(form.Text3.Text(), expectedListing("Dst Pixels (RRGGBB) are", expected));
    EXPECT_EQ(form.dstRet.Caption(), "Ret = 4");
}

}  // namespace
