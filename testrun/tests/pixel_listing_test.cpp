#include "testrun/pixel_listing.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using testrun::AppendPixelListing;
using testrun::formatPixelListing;

TEST(PixelListing, TwoByTwoListsScanLinesInOrderWithCrLf) {
    const std::vector<std::int32_t> values{0x000000FF, 0x12ABCDEF, 0x00FF8000, 0x00000000};
    EXPECT_EQ(formatPixelListing("Src Pixels (RRGGBB) are", 2, 2, values),
              "Src Pixels (RRGGBB) are\r\n"
              "1: 0000FF, ABCDEF\r\n"
              "2: FF8000, 000000\r\n");
}

TEST(PixelListing, EightByEightWhiteIsNineLinesOfFFFFFF) {
    const std::vector<std::int32_t> values(64, 0x00FFFFFF);
    const std::string row = "FFFFFF, FFFFFF, FFFFFF, FFFFFF, FFFFFF, FFFFFF, FFFFFF, FFFFFF\r\n";
    std::string expected = "Dst Pixels (RRGGBB) are\r\n";
    for (int line = 1; line <= 8; ++line) expected += std::to_string(line) + ": " + row;
    EXPECT_EQ(formatPixelListing("Dst Pixels (RRGGBB) are", 8, 8, values), expected);
}

TEST(PixelListing, NegativeValuesKeepOnlyTheirLow24Bits) {
    const std::vector<std::int32_t> values{-1, static_cast<std::int32_t>(0x80000001u)};
    EXPECT_EQ(formatPixelListing("H", 2, 1, values), "H\r\n1: FFFFFF, 000001\r\n");
}

TEST(PixelListing, LineNumbersGrowPastNine) {
    const std::vector<std::int32_t> values(12, 0x00000A0B);
    const std::string text = formatPixelListing("H", 1, 12, values);
    EXPECT_NE(text.find("\r\n9: 000A0B\r\n10: 000A0B\r\n11: 000A0B\r\n12: 000A0B\r\n"),
              std::string::npos);
}

TEST(AppendPixelListing, FollowsTheTextOnTheSameLineAndKeepsIt) {
    ui::TextBox report("Text3");
    report.setText("note without line break");
    AppendPixelListing(report, "Src Pixels (RRGGBB) are", 1, 1, std::vector<std::int32_t>{7});
    AppendPixelListing(report, "Dst Pixels (RRGGBB) are", 1, 1, std::vector<std::int32_t>{8});
    EXPECT_EQ(report.Text(),
              "note without line breakSrc Pixels (RRGGBB) are\r\n1: 000007\r\n"
              "Dst Pixels (RRGGBB) are\r\n1: 000008\r\n");
}

TEST(AppendPixelListing, HandsTheFrontEndOnlyTheAppendedText) {
    ui::TextBox report("Text3");
    report.setText(std::string(100'000, 'x'));
    std::vector<std::string> appended;
    report.onAppended = [&](std::string_view text) { appended.emplace_back(text); };
    AppendPixelListing(report, "H", 1, 1, std::vector<std::int32_t>{0x00ABCDEF});
    ASSERT_EQ(appended.size(), 1u);
    EXPECT_EQ(appended[0], "H\r\n1: ABCDEF\r\n");
    EXPECT_EQ(report.Text().size(), 100'000u + appended[0].size());
}

}  // namespace
