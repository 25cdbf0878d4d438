#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <algorithm>

#include "ui/controls.h"
#include "window_fixture.h"

namespace {

const char* const kArgumentFields[] = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)",
                                       "Text2(0)", "Text2(1)", "Text2(2)", "Text2(3)"};
const char* const kFreeFields[] = {"Text4", "Text5", "Text6",  "Text7",
                                   "Text8", "Text9", "Text10", "Text11"};

std::string safeName(std::string name) {
    std::erase(name, ')');
    std::replace(name.begin(), name.end(), '(', '_');
    return name;
}

class KeyTest : public WindowTest {
protected:
    QLineEdit* edit(const std::string& name) const { return static_cast<QLineEdit*>(widget(name)); }
    std::string modelText(const std::string& name) const {
        return static_cast<ui::TextBox&>(control(name)).Text();
    }
    // Focuses the field with the caret at the end of its text.
    QLineEdit* startTyping(const std::string& name) const {
        focus(name);
        QLineEdit* field = edit(name);
        field->end(false);
        return field;
    }
};

class ArgumentField : public KeyTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(ArgumentField, TakesDigitsMinusBackspaceAndEnter) {
    QLineEdit* field = startTyping(GetParam());
    const QString before = field->text();
    QTest::keyClicks(field, "1-2");
    EXPECT_EQ(field->text(), before + "1-2");
    QTest::keyClick(field, Qt::Key_Backspace);
    EXPECT_EQ(field->text(), before + "1-");
    QSignalSpy enter(field, &QLineEdit::returnPressed);
    QTest::keyClick(field, Qt::Key_Return);
    EXPECT_EQ(enter.count(), 1);
    EXPECT_EQ(field->text(), before + "1-");
    EXPECT_EQ(modelText(GetParam()), (before + "1-").toStdString());
}

TEST_P(ArgumentField, RefusesEveryOtherCharacter) {
    QLineEdit* field = startTyping(GetParam());
    const QString before = field->text();
    QTest::keyClicks(field, ".+e aZ*/");
    EXPECT_EQ(field->text(), before);
    EXPECT_EQ(modelText(GetParam()), before.toStdString());
}

TEST_P(ArgumentField, RefusesCtrlVAndCtrlC) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("77"));
    QLineEdit* field = startTyping(GetParam());
    const QString before = field->text();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), before);
    field->selectAll();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), QStringLiteral("77"));
}

TEST_P(ArgumentField, AcceptsAPasteFromTheContextMenu) {
    QApplication::clipboard()->setText(QStringLiteral("1.5e3"));
    QLineEdit* field = startTyping(GetParam());
    field->selectAll();
    // The context menu's Paste action ends in the same slot; it is no typed character.
    field->paste();
    EXPECT_EQ(field->text().toStdString(), "1.5e3");
    EXPECT_EQ(modelText(GetParam()), "1.5e3");
}

TEST_P(ArgumentField, NavigationKeysStillWork) {
    QLineEdit* field = startTyping(GetParam());
    field->setText(QStringLiteral("123"));
    QTest::keyClick(field, Qt::Key_Home);
    QTest::keyClick(field, Qt::Key_Right);
    QTest::keyClick(field, Qt::Key_Delete);
    EXPECT_EQ(field->text().toStdString(), "13");
    QTest::keyClick(field, Qt::Key_End);
    QTest::keyClick(field, Qt::Key_Left);
    QTest::keyClick(field, '9');
    EXPECT_EQ(field->text().toStdString(), "193");
    QTest::keyClick(field, Qt::Key_Tab);
    EXPECT_NE(focusedControl(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(EightArguments, ArgumentField, ::testing::ValuesIn(kArgumentFields),
                         [](const auto& info) { return safeName(info.param); });

class FreeField : public KeyTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(FreeField, TakesEveryCharacter) {
    QLineEdit* field = startTyping(GetParam());
    const QString before = field->text();
    QTest::keyClicks(field, "a.+e Z-7");
    EXPECT_EQ(field->text(), before + "a.+e Z-7");
    EXPECT_EQ(modelText(GetParam()), (before + "a.+e Z-7").toStdString());
}

TEST_P(FreeField, TakesCtrlVAndCtrlC) {
    QClipboard* clipboard = QApplication::clipboard();
    clipboard->setText(QStringLiteral("x"));
    QLineEdit* field = startTyping(GetParam());
    const QString before = field->text();
    QTest::keyClick(field, Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(field->text(), before + "x");
    field->selectAll();
    QTest::keyClick(field, Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(clipboard->text(), before + "x");
}

INSTANTIATE_TEST_SUITE_P(ColourAndPositionFields, FreeField, ::testing::ValuesIn(kFreeFields));

TEST_F(KeyTest, ReportBoxTakesEveryCharacterAndKeepsWindowsLineBreaks) {
    focus("Text3");
    auto* report = static_cast<QPlainTextEdit*>(widget("Text3"));
    QTest::keyClicks(report, "a.+e Z");
    QTest::keyClick(report, Qt::Key_Return);
    QTest::keyClicks(report, "9");
    EXPECT_EQ(report->toPlainText().toStdString(), "a.+e Z\n9");
    EXPECT_EQ(modelText("Text3"), "a.+e Z\r\n9");
}

TEST_F(KeyTest, TabLeavesTheReportBox) {
    focus("Text3");
    QTest::keyClick(widget("Text3"), Qt::Key_Tab);
    EXPECT_EQ(focusedControl(), "Text4");
    EXPECT_TRUE(modelText("Text3").empty());
}

}  // namespace
