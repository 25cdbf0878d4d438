#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "ui/controls.h"

namespace {

struct TypingCase {
    const char* name;
    bool multiLine;
    std::string start;
    std::vector<std::int16_t> codes;
    std::string expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const TypingCase& c, std::ostream* out) {
    *out << c.name;
}

class TextBoxTyping : public testing::TestWithParam<TypingCase> {};

TEST_P(TextBoxTyping, EndsWithTheExpectedText) {
    const TypingCase& c = GetParam();
    ui::TextBox box("box");
    box.multiLine = c.multiLine;
    box.setText(c.start);
    for (const std::int16_t code : c.codes) box.typeCharacter(code);
    EXPECT_EQ(box.Text(), c.expected);
}

constexpr std::int16_t kBs = ui::kBackspace;
constexpr std::int16_t kCr = ui::kEnter;

INSTANTIATE_TEST_SUITE_P(
    Cases, TextBoxTyping,
    testing::Values(
        TypingCase{"AppendsAtTheEnd", false, "0", {'1', '-', '2'}, "01-2"},
        TypingCase{"BackspaceDeletesTheLastCharacter", false, "255", {kBs, '4'}, "254"},
        TypingCase{"BackspaceOnEmptyTextDoesNothing", false, "", {kBs, kBs, 'a'}, "a"},
        TypingCase{"EnterAddsNothingToASingleLineBox", false, "8", {kCr}, "8"},
        TypingCase{"EnterBreaksTheLineOfAMultiLineBox", true, "a", {kCr, 'b'}, "a\r\nb"},
        TypingCase{"BackspaceRemovesAWholeLineBreak", true, "a", {kCr, kBs}, "a"},
        TypingCase{"CodeZeroIsADiscardedCharacter", false, "7", {0}, "7"},
        TypingCase{"LatinCharacterArrivesAsUtf8", false, "", {0xE9}, "\xC3\xA9"},
        TypingCase{
            "BackspaceRemovesAWholeUtf8Character", false, "x", {0xE9, 0x20AC, kBs, kBs}, "x"}),
    [](const testing::TestParamInfo<TypingCase>& info) { return std::string(info.param.name); });

TEST(TextBox, SetTextIsNotFiltered) {
    ui::TextBox box("box");
    box.setText("a.b\x16");
    EXPECT_EQ(box.Text(), "a.b\x16");
}

TEST(TextBox, DblClickRunsTheHandler) {
    ui::TextBox box("box");
    int calls = 0;
    box.DblClick = [&] { ++calls; };
    box.dblClick();
    EXPECT_EQ(calls, 1);
}

}  // namespace
