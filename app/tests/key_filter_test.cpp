#include <gtest/gtest.h>

#include <cctype>
#include <cstdint>
#include <string>

#include "app/frm_bench.h"

namespace {

const char* const kArgumentFields[] = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)",
                                       "Text2(0)", "Text2(1)", "Text2(2)", "Text2(3)"};
const char* const kOtherFields[] = {"Text3", "Text4", "Text5",  "Text6", "Text7",
                                    "Text8", "Text9", "Text10", "Text11"};

// Codes the argument fields accept, and codes they refuse (Ctrl+V is 22, Ctrl+C is 3).
const std::int16_t kAccepted[] = {'0', '5', '9', '-', 8, 13};
const std::int16_t kRefused[] = {'.', '+', 'e', 'E', ' ', 'a', 'Z', '/', ':', 22, 3, 9, 0xE9};

class KeyFilter : public testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        form.load();
        ASSERT_TRUE(form.setFocus(*form.find(GetParam())));
    }
    app::frmBench form;
};

class ArgumentField : public KeyFilter {};
class OtherField : public KeyFilter {};

TEST_P(ArgumentField, PassesDigitsMinusBackspaceAndEnter) {
    for (const std::int16_t code : kAccepted) EXPECT_EQ(form.previewKeyPress(code), code) << code;
}

TEST_P(ArgumentField, DiscardsEverythingElse) {
    for (const std::int16_t code : kRefused) EXPECT_EQ(form.previewKeyPress(code), 0) << code;
}

TEST_P(ArgumentField, TypingKeepsOnlyWhatPassed) {
    auto& box = static_cast<ui::TextBox&>(*form.find(GetParam()));
    box.setText("");
    for (const char c : std::string("1.x-+ e2")) form.keyPress(c);
    EXPECT_EQ(box.Text(), "1-2");
    form.keyPress(ui::kBackspace);
    form.keyPress(ui::kEnter);
    EXPECT_EQ(box.Text(), "1-");
}

TEST_P(ArgumentField, PastedTextIsNotFiltered) {
    auto& box = static_cast<ui::TextBox&>(*form.find(GetParam()));
    box.setText("1.5e3 x");
    EXPECT_EQ(box.Text(), "1.5e3 x");
}

TEST_P(OtherField, PassesEveryCharacter) {
    for (const std::int16_t code : kAccepted) EXPECT_EQ(form.previewKeyPress(code), code) << code;
    for (const std::int16_t code : kRefused) EXPECT_EQ(form.previewKeyPress(code), code) << code;
}

std::string fieldName(const testing::TestParamInfo<const char*>& info) {
    std::string name;
    for (const char* c = info.param; *c != '\0'; ++c) {
        if (*c == '(') name += '_';
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Form, ArgumentField, testing::ValuesIn(kArgumentFields), fieldName);
INSTANTIATE_TEST_SUITE_P(Form, OtherField, testing::ValuesIn(kOtherFields), fieldName);

TEST(KeyFilterFocus, CheckBoxAndButtonKeysAreNotFiltered) {
    app::frmBench form;
    form.load();
    form.setFocus(form.Check5);
    EXPECT_EQ(form.previewKeyPress('a'), 'a');
    form.keyPress(ui::kSpace);
    EXPECT_EQ(form.Check5.Value(), 1);
}

}  // namespace
