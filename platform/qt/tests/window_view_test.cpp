#include <QCheckBox>
#include <QCoreApplication>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "qt/window_view.h"
#include "ui/controls.h"
#include "ui/picture.h"

namespace {

// A small window with one control of each kind, shown through the Qt front end.
class WindowViewTest : public ::testing::Test {
protected:
    void SetUp() override {
        place(field, 10, 10, 60, 24, 0);
        field.Tag = "0";
        place(report, 10, 40, 200, 80, 1);
        report.multiLine = true;
        report.scrollBars = true;
        place(picture, 220, 10, 8, 8, 2);
        place(caption, 220, 40, 80, 20, 3);
        place(check, 220, 70, 80, 20, 4);
        place(button, 220, 100, 80, 24, 5);
        view = std::make_unique<qt::WindowView>(window);
        view->show();
        view->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(view.get()));
    }

    void place(ui::Control& control, int left, int top, int width, int height, int tabIndex) {
        control.Left = left;
        control.Top = top;
        control.Width = width;
        control.Height = height;
        control.TabIndex = tabIndex;
        window.add(control);
    }

    template <typename Widget>
    Widget* shown(const ui::Control& control) const {
        return static_cast<Widget*>(view->widgetFor(control));
    }

    ui::Window window{"window", 320, 140};
    ui::TextBox field{"field"};
    ui::TextBox report{"report"};
    ui::Picture picture{"picture", 8, 8};
    ui::Label caption{"caption"};
    ui::CheckBox check{"check"};
    ui::CommandButton button{"button"};
    std::unique_ptr<qt::WindowView> view;
};

TEST_F(WindowViewTest, KeyPreviewThatReplacesACharacterDeliversTheReplacement) {
    window.KeyPress = [](std::int16_t& code) {
        if (code >= 'a' && code <= 'z') code = static_cast<std::int16_t>(code - 'a' + 'A');
        if (code == 'x' - 'a' + 'A') code = 0;
    };
    auto* edit = shown<QLineEdit>(field);
    edit->setFocus();
    QTest::keyClicks(edit, "abx1");
    EXPECT_EQ(edit->text().toStdString(), "AB1");
    EXPECT_EQ(field.Text(), "AB1");
}

TEST_F(WindowViewTest, TextCommittedByAnInputMethodPassesTheKeyPreview) {
    window.KeyPress = [](std::int16_t& code) {
        if (code < '0' || code > '9') code = 0;
    };
    auto* edit = shown<QLineEdit>(field);
    edit->setFocus();
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("a1.2"));
    QCoreApplication::sendEvent(edit, &commit);
    EXPECT_EQ(edit->text().toStdString(), "12");
    EXPECT_EQ(field.Text(), "12");
}

TEST_F(WindowViewTest, KeyPreviewSeesTheFocusedControlAsActive) {
    std::string activeWhenTyped;
    window.KeyPress = [&](std::int16_t&) { activeWhenTyped = window.ActiveControl()->name(); };
    auto* edit = shown<QPlainTextEdit>(report);
    edit->setFocus();
    QTest::keyClick(edit, 'q');
    EXPECT_EQ(activeWhenTyped, "report");
}

TEST_F(WindowViewTest, ReportJoinsALineBreakSplitAcrossAppends) {
    report.appendText("a\r");
    report.appendText("\nb\n");
    report.appendText("c\rd");
    EXPECT_EQ(shown<QPlainTextEdit>(report)->toPlainText().toStdString(), "a\nb\nc\nd");
    EXPECT_EQ(report.Text(), "a\r\nb\nc\rd");
}

TEST_F(WindowViewTest, ReportShowsANewTextAndReturnsUserEditsWithWindowsLineBreaks) {
    report.setText("x\r\ny");
    auto* edit = shown<QPlainTextEdit>(report);
    EXPECT_EQ(edit->toPlainText().toStdString(), "x\ny");
    edit->setFocus();
    edit->moveCursor(QTextCursor::End);
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClick(edit, 'z');
    EXPECT_EQ(report.Text(), "x\r\ny\r\nz");
    report.appendText("!");
    EXPECT_EQ(edit->toPlainText().toStdString(), "x\ny\nz!");
}

TEST_F(WindowViewTest, ProgramTextReachesTheFieldAndTypingReachesTheControl) {
    field.setText("12");
    auto* edit = shown<QLineEdit>(field);
    EXPECT_EQ(edit->text().toStdString(), "12");
    edit->setFocus();
    edit->end(false);
    QTest::keyClick(edit, '3');
    EXPECT_EQ(field.Text(), "123");
}

TEST_F(WindowViewTest, PictureShowsItsImageOpaqueAndLeavesTheImageAlone) {
    picture.setBackColor(0x0000FF00);  // green as a colour reference
    picture.setSize(16, 4);
    picture.Refresh();
    const QImage image = view->widgetFor(picture)->grab().toImage();
    ASSERT_EQ(image.size(), QSize(16, 4));
    EXPECT_EQ(image.pixel(15, 3), 0xFF00FF00u);
    for (const std::uint32_t pixel : ui::imagePixels(picture)) EXPECT_EQ(pixel, 0x0000FF00u);
}

TEST_F(WindowViewTest, PictureShowsDrawingOnlyOnRefresh) {
    const RECT whole{0, 0, 8, 8};
    HBRUSH blue = CreateSolidBrush(0x00FF0000);
    FillRect(picture.hDC(), &whole, blue);
    DeleteObject(blue);
    EXPECT_EQ(view->widgetFor(picture)->grab().toImage().pixel(0, 0), 0xFFFFFFFFu);
    picture.Refresh();
    EXPECT_EQ(view->widgetFor(picture)->grab().toImage().pixel(0, 0), 0xFF0000FFu);
}

TEST_F(WindowViewTest, ClicksReachTheirControls) {
    int checkClicks = 0;
    int buttonClicks = 0;
    check.Click = [&] { ++checkClicks; };
    button.Click = [&] { ++buttonClicks; };
    QTest::mouseClick(shown<QCheckBox>(check), Qt::LeftButton, Qt::NoModifier, QPoint(8, 10));
    QTest::mouseClick(shown<QPushButton>(button), Qt::LeftButton);
    EXPECT_EQ(check.Value(), 1);
    EXPECT_EQ(checkClicks, 1);
    EXPECT_EQ(buttonClicks, 1);
    caption.setCaption("Ret = 8");
    EXPECT_EQ(shown<QLabel>(caption)->text().toStdString(), "Ret = 8");
}

TEST_F(WindowViewTest, ControlsOutliveTheirViewSafely) {
    view.reset();
    caption.setCaption("after");
    report.appendText("after");
    picture.Refresh();
    window.setCaption("after");
    EXPECT_EQ(report.Text(), "after");
}

}  // namespace
