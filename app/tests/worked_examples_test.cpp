#include <gtest/gtest.h>

#include <array>
#include <string>

#include "form_fixture.h"
#include "listing_text.h"
#include "picture_pixels.h"

namespace {

// One row of the table of bench-sized worked examples: the eight arguments, and for each source
// orientation which picture row (A = top ... H = bottom) each destination row receives, top row
// first, "." for unchanged, and the result.
struct WorkedExample {
    const char* name;
    std::array<const char*, 8> arguments;
    const char* bottomUpRows;
    int bottomUpResult;
    const char* topDownRows;
    int topDownResult;
};

void PrintTo(const WorkedExample& example, std::ostream* out) {
    *out << example.name;
}

const WorkedExample kExamples[] = {
    {"Defaults", {"0", "0", "8", "8", "0", "0", "0", "8"}, "ABCDEFGH", 8, "ABCDEFGH", 8},
    {"Lines4", {"0", "0", "8", "8", "0", "0", "0", "4"}, "....EFGH", 4, "....ABCD", 4},
    {"Start4Lines4", {"0", "0", "8", "8", "0", "0", "4", "4"}, "EFGH....", 4, "ABCD....", 4},
    {"Start2Lines3", {"0", "0", "8", "8", "0", "0", "2", "3"}, "...FGH..", 3, "...ABC..", 3},
    {"YSrc2", {"0", "0", "8", "8", "0", "2", "0", "8"}, "..ABCDEF", 8, "..ABCDEF", 8},
    {"YSrcMinus2", {"0", "0", "8", "8", "0", "-2", "0", "8"}, "CDEFGH..", 6, "CDEFGH..", 8},
    {"YDest3", {"0", "3", "8", "8", "0", "0", "0", "8"}, "...ABCDE", 8, "...ABCDE", 8},
    {"YDestMinus3", {"0", "-3", "8", "8", "0", "0", "0", "8"}, "DEFGH...", 8, "DEFGH...", 8},
    {"Height3", {"0", "0", "8", "3", "0", "0", "0", "8"}, "FGH.....", 3, "FGH.....", 8},
    {"Height3YSrc5", {"0", "0", "8", "3", "0", "5", "0", "8"}, "ABC.....", 8, "ABC.....", 8},
    {"Lines12", {"0", "0", "8", "8", "0", "0", "0", "12"}, "ABCDEFGH", 8, "EFGH....", 12},
    {"Start8", {"0", "0", "8", "8", "0", "0", "8", "8"}, "........", 0, "........", 8},
    {"Lines4YSrc4Height4", {"0", "0", "8", "4", "0", "4", "0", "4"}, "........", 4, "........", 4},
    {"XSrc5", {"0", "0", "8", "8", "5", "0", "0", "8"}, "ABCDEFGH", 8, "ABCDEFGH", 8},
    {"XSrc8", {"0", "0", "8", "8", "8", "0", "0", "8"}, "........", 8, "........", 8},
    {"Height0", {"0", "0", "8", "0", "0", "0", "0", "8"}, "........", 0, "........", 8},
    {"Width0", {"0", "0", "0", "8", "0", "0", "0", "8"}, "........", 8, "........", 8},
    {"WidthMinus1", {"0", "0", "-1", "8", "0", "0", "0", "8"}, "........", 8, "........", 8},
    {"HeightMinus1", {"0", "0", "8", "-1", "0", "0", "0", "8"}, "........", 0, "........", 8},
    {"Lines0", {"0", "0", "8", "8", "0", "0", "0", "0"}, "........", 0, "........", 0},
};

enum class Orientation { BottomUp, TopDown };

// The destination after the run, bottom-up, from the table's rows: destination column c receives
// source column c + XSrc where that column exists (XDest is 0 in every example).
std::vector<std::uint32_t> expectedDestination(const char* rows, int xSrc,
                                               const std::vector<std::int32_t>& source,
                                               std::uint32_t background) {
    std::vector<std::uint32_t> destination(64, background);
    for (int destRowFromTop = 0; destRowFromTop < 8; ++destRowFromTop) {
        const char letter = rows[destRowFromTop];
        if (letter == '.') continue;
        const int sourceScanLine = 7 - (letter - 'A');
        const int destScanLine = 7 - destRowFromTop;
        for (int column = 0; column < 8; ++column) {
            const int sourceColumn = column + xSrc;
            if (sourceColumn < 0 || sourceColumn >= 8) continue;
            destination[destScanLine * 8 + column] =
                static_cast<std::uint32_t>(source[sourceScanLine * 8 + sourceColumn]);
        }
    }
    return destination;
}

class WorkedExamples
    : public FormTest,
      public ::testing::WithParamInterface<std::tuple<WorkedExample, Orientation>> {
protected:
    void setArguments(const std::array<const char*, 8>& arguments) {
        for (int i = 0; i < 4; ++i) form.Text1[i].setText(arguments[i]);
        for (int i = 0; i < 4; ++i) form.Text2[i].setText(arguments[i + 4]);
    }
};

TEST_P(WorkedExamples, DestinationListingAndResultMatchWindows) {
    const auto& [example, orientation] = GetParam();
    const bool topDown = orientation == Orientation::TopDown;
    const auto source = distinctPixels();
    drawBottomUp(form.srcPic, source);
    for (ui::TextBox* field : {&form.Text4, &form.Text5, &form.Text6}) field->setText("0");
    form.cmdSetDestBkg.click();
    setArguments(example.arguments);
    if (topDown) form.Check1.click();
    form.Check4.click();

    form.cmdTest.click();

    const auto expected = expectedDestination(topDown ? example.topDownRows : example.bottomUpRows,
                                              std::stoi(example.arguments[4]), source, 0);
    EXPECT_EQ(form.Text3.Text(), expectedListing("Dst Pixels (RRGGBB) are", expected));
    EXPECT_EQ(bottomUpPixels(form.destPic), expected);
    const int result = topDown ? example.topDownResult : example.bottomUpResult;
    EXPECT_EQ(form.dstRet.Caption(), "Ret = " + std::to_string(result));
    EXPECT_EQ(form.srcHeight.Caption(), topDown ? "Source biHeight = -8" : "Source biHeight = 8");
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, WorkedExamples,
                         ::testing::Combine(::testing::ValuesIn(kExamples),
                                            ::testing::Values(Orientation::BottomUp,
                                                              Orientation::TopDown)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Orientation::TopDown ? "TopDown"
                                                                                     : "BottomUp");
                         });

}  // namespace
