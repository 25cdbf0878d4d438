#include <QKeyEvent>
#include <gtest/gtest.h>

#include "key_codes.h"

namespace {

struct KeyCase {
    const char* name;
    int key;
    Qt::KeyboardModifiers modifiers;
    const char16_t* text;      // what the platform puts into the event
    const char16_t* expected;  // the codes the key preview sees
};

// The X11 platform puts control characters into the event's text; test events leave the text of
// Ctrl combinations empty. Both must give the same codes.
const KeyCase kKeys[] = {
    {"Letter", Qt::Key_A, Qt::NoModifier, u"a", u"a"},
    {"ShiftedLetter", Qt::Key_E, Qt::ShiftModifier, u"E", u"E"},
    {"Minus", Qt::Key_Minus, Qt::NoModifier, u"-", u"-"},
    {"Digit", Qt::Key_7, Qt::NoModifier, u"7", u"7"},
    {"Blank", Qt::Key_Space, Qt::NoModifier, u" ", u" "},
    {"NonAscii", Qt::Key_Adiaeresis, Qt::NoModifier, u"\u00e4", u"\u00e4"},
    {"CtrlVWithoutText", Qt::Key_V, Qt::ControlModifier, u"", u"\u0016"},
    {"CtrlVAsX11Types", Qt::Key_V, Qt::ControlModifier, u"\u0016", u"\u0016"},
    {"CtrlC", Qt::Key_C, Qt::ControlModifier, u"", u"\u0003"},
    {"CtrlShiftA", Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier, u"", u"\u0001"},
    {"Return", Qt::Key_Return, Qt::NoModifier, u"\r", u"\r"},
    {"KeypadEnter", Qt::Key_Enter, Qt::KeypadModifier, u"\r", u"\r"},
    {"Backspace", Qt::Key_Backspace, Qt::NoModifier, u"\b", u"\b"},
    {"Tab", Qt::Key_Tab, Qt::NoModifier, u"\t", u""},
    {"ShiftTab", Qt::Key_Backtab, Qt::ShiftModifier, u"", u""},
    {"Delete", Qt::Key_Delete, Qt::NoModifier, u"\u007f", u""},
    {"Left", Qt::Key_Left, Qt::NoModifier, u"", u""},
    {"Home", Qt::Key_Home, Qt::NoModifier, u"", u""},
    {"End", Qt::Key_End, Qt::NoModifier, u"", u""},
    {"ShiftAlone", Qt::Key_Shift, Qt::ShiftModifier, u"", u""},
    {"AltLetter", Qt::Key_F, Qt::AltModifier, u"f", u""},
};

class TypedCharacters : public ::testing::TestWithParam<KeyCase> {};

TEST_P(TypedCharacters, AreWhatAKeyboardTypes) {
    const KeyCase& key = GetParam();
    const QKeyEvent event(QEvent::KeyPress, key.key, key.modifiers, QString::fromUtf16(key.text));
    EXPECT_EQ(qt::typedCharacters(event), std::u16string(key.expected));
}

INSTANTIATE_TEST_SUITE_P(Keys, TypedCharacters, ::testing::ValuesIn(kKeys),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
