// The menu bar and status bar around the form, and their shortcuts against the text fields.

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QStatusBar>
#include <QTest>

#include "main_window_fixture.h"
#include "qt/window_view.h"

namespace {

// Each menu's items as "caption<TAB>shortcut", separators as "-".
std::vector<QStringList> shownMenus(QMenuBar& bar) {
    std::vector<QStringList> menus;
    for (QAction* top : bar.actions()) {
        QStringList items{top->text()};
        for (QAction* item : top->menu()->actions()) {
            if (item->isSeparator()) {
                items << QStringLiteral("-");
                continue;
            }
            const QString key = item->shortcut().toString();
            items << item->text() + (key.isEmpty() ? QString() : "\t" + key) +
                         (item->isCheckable() ? (item->isChecked() ? " [x]" : " [ ]") : "");
        }
        menus.push_back(items);
    }
    return menus;
}

TEST_F(MainWindowTest, MenusHoldTheirItemsAndShortcuts) {
    const std::vector<QStringList> expected = {
        {"&File", "&Open Experiment\u2026\tCtrl+O", "Open &Recent",
         "&Save Experiment\u2026\tCtrl+S", "&Export Pictures\u2026", "-", "&Quit\tCtrl+Q"},
        {"&Edit", "&Undo\tCtrl+Z", "&Redo\tCtrl+Shift+Z", "-", "Copy &Report",
         "Copy &Destination as PNG", "Copy &Source as PNG"},
        {"&View", "Show &Geometry [ ]"},
        {"F&ormat", "&Source", "&Destination", "Colour Table as &Palette Indexes [ ]",
         "Show DIB &Header [ ]"},
        {"&Run", "Run &Call\tF5"},
        {"&Help", "&What the Arguments Mean\tF1", "&About DIB Lab"}};
    EXPECT_EQ(shownMenus(*m_window->menuBar()), expected);
}

// Every format choice is a radio item, 32 bpp checked at start on both sides; RLE is a source
// format only.
TEST_F(MainWindowTest, FormatSubmenusOfferTheChoicesAsRadioItems) {
    QMenu* format = m_window->menuBar()->actions()[3]->menu();
    const auto shown = [&](int index) {
        QStringList items;
        for (QAction* item : format->actions()[index]->menu()->actions())
            items << item->text() + (item->isChecked() ? " (x)" : " ( )");
        return items;
    };
    const QStringList destination = {"1 bpp, 2-colour table ( )",
                                     "4 bpp, 16-colour table ( )",
                                     "8 bpp, 256-colour table ( )",
                                     "16 bpp 5-5-5 ( )",
                                     "16 bpp 5-6-5 (BI_BITFIELDS) ( )",
                                     "24 bpp ( )",
                                     "32 bpp (x)"};
    EXPECT_EQ(shown(0), destination + QStringList({"RLE8 ( )", "RLE4 ( )"}));
    EXPECT_EQ(shown(1), destination);
}

// Choosing a destination format from the menu converts the picture and says so: white stays
// white at 4 bpp, light red (ff8080) takes the table's nearest colour.
TEST_F(MainWindowTest, ADestinationFormatFromTheMenuIsNamedInTheStatusArea) {
    QMenu* destination = m_window->menuBar()->actions()[3]->menu()->actions()[1]->menu();
    retype("Text5", "128");
    retype("Text6", "128");
    click("cmdSetDestBkg");
    destination->actions()[1]->trigger();
    EXPECT_TRUE(destination->actions()[1]->isChecked());
    EXPECT_FALSE(destination->actions()[6]->isChecked());
    EXPECT_EQ(form().formats().destination, "4");
    const std::string status = statusText("formats");
    EXPECT_NE(status.find("Destination: 4 bpp, 16-colour table"), std::string::npos) << status;
    EXPECT_NE(status.find("64 of its 64 pixels took the nearest colour"), std::string::npos)
        << status;
}

TEST_F(MainWindowTest, TheFormKeepsItsClientAreaBetweenMenuBarAndStatusBar) {
    const QRect client = m_window->view().geometry();
    EXPECT_EQ(client.size(), QSize(582, 487));
    EXPECT_GE(client.top(), m_window->menuBar()->geometry().bottom() + 1);
    EXPECT_LE(client.bottom(), m_window->statusBar()->geometry().top() - 1);
    EXPECT_EQ(m_window->windowTitle().toStdString(), form().Caption());
}

const char* const kTextFields[] = {"Text1(0)", "Text1(1)", "Text1(2)", "Text1(3)", "Text2(0)",
                                   "Text2(1)", "Text2(2)", "Text2(3)", "Text4",    "Text5",
                                   "Text6",    "Text7",    "Text8",    "Text9",    "Text10",
                                   "Text11",   "Text3"};

class FieldUnderShortcuts : public MainWindowTest,
                            public ::testing::WithParamInterface<const char*> {
protected:
    std::string text() const {
        return static_cast<const ui::TextBox*>(form().find(GetParam()))->Text();
    }
};

// Each shortcut runs its item from inside the field and types nothing; the characters typed
// between them still pass the key filter as they always did: only digits and "-" into the eight
// argument fields, everything into the others.
TEST_P(FieldUnderShortcuts, RunTheirItemAndTakeNoCharacter) {
    focusField(GetParam());
    QWidget* field = widget(GetParam());
    if (auto* report = qobject_cast<QPlainTextEdit*>(field)) report->moveCursor(QTextCursor::End);
    const std::string before = text();
    const QString typed = QStringLiteral("7a-.Z 0");
    const bool argument = form().find(GetParam())->Tag == "0";
    const std::string passed = argument ? "7-0" : typed.toStdString();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> shortcuts[] = {
        {Qt::Key_S, Qt::ControlModifier},
        {Qt::Key_F1, Qt::NoModifier},
        {Qt::Key_O, Qt::ControlModifier}};
    std::string expected = before;
    for (const auto& [key, modifiers] : shortcuts) {
        QTest::keyClick(field, key, modifiers);
        QTest::keyClicks(field, typed);
        expected += passed;
    }
    EXPECT_EQ(text(), expected);
    EXPECT_EQ(m_files.asked.size(), 2u);  // Save, then Open, both cancelled
    EXPECT_EQ(m_files.asked.front().title, "Save Experiment");
    EXPECT_EQ(m_files.asked.back().title, "Open Experiment");
    ASSERT_EQ(m_messages.shown.size(), 1u);  // What the Arguments Mean
    EXPECT_TRUE(m_messages.shown.front().starts_with("SetDIBitsToDevice copies"));
}

INSTANTIATE_TEST_SUITE_P(EveryTextField, FieldUnderShortcuts, ::testing::ValuesIn(kTextFields));

TEST_F(MainWindowTest, PressingAltAloneTakesNoCharacterFromTheField) {
    focusField("Text4");
    QTest::keyClick(widget("Text4"), Qt::Key_Alt, Qt::AltModifier);
    QTest::keyClicks(widget("Text4"), "x");
    EXPECT_EQ(form().Text4.Text(), "255x");
}

TEST_F(MainWindowTest, CtrlQClosesTheWindow) {
    focusField("Text2(0)");
    QTest::keyClick(widget("Text2(0)"), Qt::Key_Q, Qt::ControlModifier);
    EXPECT_FALSE(m_window->isVisible());
    EXPECT_EQ(form().Text2[0].Text(), "0");
}

TEST_F(MainWindowTest, HelpItemsAnswerInMessageBoxes) {
    action("&About DIB Lab")->trigger();
    ASSERT_EQ(m_messages.shown.size(), 1u);
    EXPECT_TRUE(m_messages.shown[0].starts_with("DIB Lab Ver. 0.4.9\n\n")) << m_messages.shown[0];
    EXPECT_NE(m_messages.shown[0].find("Licence: "), std::string::npos);
    focusField("Text1(0)");
    QTest::keyClick(widget("Text1(0)"), Qt::Key_F1);
    ASSERT_EQ(m_messages.shown.size(), 2u);
    for (const char* name : {"XDest, YDest", "Width, Height", "XSrc, YSrc", "Start, #Lines"}) {
        EXPECT_NE(m_messages.shown[1].find(name), std::string::npos) << name;
    }
}

}  // namespace
