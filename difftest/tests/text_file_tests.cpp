#include "text_file.h"

#include <gtest/gtest.h>

namespace {

TEST(UnixLineEnds, TurnCarriageReturnLineFeedIntoLineFeed) {
    EXPECT_EQ(difftest::withUnixLineEnds("a\r\nb\r\n"), "a\nb\n");
}

TEST(UnixLineEnds, KeepALoneCarriageReturn) {
    EXPECT_EQ(difftest::withUnixLineEnds("a\rb\r"), "a\rb\r");
    EXPECT_EQ(difftest::withUnixLineEnds("a\r\r\n"), "a\r\n");
}

TEST(SplitLines, CountsAFinalLineWithoutLineFeed) {
    EXPECT_EQ(difftest::splitLines("a\n\nb"), (std::vector<std::string_view>{"a", "", "b"}));
    EXPECT_EQ(difftest::splitLines("a\n").size(), 1u);
    EXPECT_TRUE(difftest::splitLines("").empty());
}

}  // namespace
