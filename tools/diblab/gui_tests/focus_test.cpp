#include <QApplication>
#include <QTest>
#include <vector>

#include "window_fixture.h"

namespace {

// The controls that can take the focus, in tab-index order; labels and lines never take it.
const std::vector<std::string> kTabOrder = {
    "srcPic",   "srcBigPic", "Check2",     "Check1",        "Text2(3)",      "Text2(2)",
    "Text2(1)", "Text2(0)",  "Text1(1)",   "Text1(3)",      "Text1(2)",      "Text1(0)",
    "cmdTest",  "destPic",   "destBigPic", "Check4",        "Check5",        "Text3",
    "Text4",    "Text5",     "Text6",      "cmdSetDestBkg", "cmdSetSrcBkg",  "Text9",
    "Text8",    "Text7",     "Text10",     "Text11",        "cmdSetSrcPoint"};

TEST_F(WindowTest, FocusStartsOnTheFirstControlInTabOrder) {
    EXPECT_EQ(focusedControl(), "srcPic");
    ASSERT_NE(m_form->ActiveControl(), nullptr);
    EXPECT_EQ(m_form->ActiveControl()->qualifiedName(), "srcPic");
}

TEST_F(WindowTest, TabWalksTheControlsInTabIndexOrderAndWrapsAround) {
    focus(kTabOrder.front());
    for (std::size_t step = 1; step <= kTabOrder.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        const std::string& expected = kTabOrder[step % kTabOrder.size()];
        ASSERT_EQ(focusedControl(), expected) << "after " << step << " Tab presses";
        ASSERT_EQ(m_form->ActiveControl()->qualifiedName(), expected);
    }
}

TEST_F(WindowTest, ShiftTabWalksBackwards) {
    focus(kTabOrder.front());
    for (std::size_t step = 1; step <= kTabOrder.size(); ++step) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        const std::string& expected = kTabOrder[kTabOrder.size() - step];
        ASSERT_EQ(focusedControl(), expected) << "after " << step << " Shift+Tab presses";
    }
}

TEST_F(WindowTest, LabelsAndLinesNeverTakeTheFocus) {
    for (const ui::Control* control : m_form->controls()) {
        const bool focusable = widget(*control)->focusPolicy() != Qt::NoFocus;
        EXPECT_EQ(focusable, control->canFocus()) << control->qualifiedName();
    }
}

TEST_F(WindowTest, ClickingATextBoxMakesItTheActiveControl) {
    QTest::mouseClick(widget("Text10"), Qt::LeftButton);
    EXPECT_EQ(focusedControl(), "Text10");
    EXPECT_EQ(m_form->ActiveControl()->qualifiedName(), "Text10");
}

}  // namespace
