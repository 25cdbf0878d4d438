#include <QApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <vector>

#include "product/version.h"
#include "qt/file_dialogs.h"
#include "qt/main_window.h"
#include "qt/questions.h"
#include "qt/settings.h"
#include "qt/window_view.h"
#include "shell/bench_shell.h"
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

// The whole window as the program wires it, with the real message box and file dialogs, which a
// stand-in for the person answers with real key events once they have the keyboard.
class DialogFocus : public ::testing::Test {
protected:
    static constexpr int kAnswerTimeoutMs = 3000;

    void SetUp() override {
        const std::string settings = scratchPath("settings.ini");
        m_settings = std::make_unique<qt::Settings>(QString::fromStdString(settings));
        m_shell = std::make_unique<shell::BenchShell>(
            shell::BenchServices{m_messageBox, m_files, m_questions, *m_settings});
        m_window = std::make_unique<qt::MainWindow>(m_shell->frame());
        m_messageBox.setParent(m_window.get());
        m_files.setParent(m_window.get());
        m_questions.setParent(m_window.get());
        m_window->show();
        m_window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    }

    QWidget* widget(const std::string& qualifiedName) const {
        return m_window->view().widgetFor(*m_shell->form().find(qualifiedName));
    }

    std::string focusedControl() const {
        for (const ui::Control* control : m_shell->form().controls()) {
            if (widget(control->qualifiedName()) == QApplication::focusWidget())
                return control->qualifiedName();
        }
        return {};
    }

    // Once the next modal dialog is shown and has the keyboard, `answer` gets it; `asked` keeps
    // the titles of the dialogs answered, and answers made in a row take the dialogs in turn. A
    // dialog the answer leaves open fails the test and is
    // closed, so that the test cannot hang.
    void answerNextDialog(std::function<void(QWidget&)> answer) {
        auto* poll = new QTimer(m_window.get());
        const std::size_t turn = m_asked.size() + m_waiting++;
        QObject::connect(poll, &QTimer::timeout, poll, [this, poll, answer, turn] {
            QWidget* dialog = QApplication::activeModalWidget();
            if (turn != m_asked.size() || dialog == nullptr ||
                QApplication::activeWindow() != dialog ||
                !dialog->isAncestorOf(QApplication::focusWidget()))
                return;
            poll->stop();
            poll->deleteLater();
            --m_waiting;
            m_asked.push_back(dialog->windowTitle().toStdString());
            QTimer::singleShot(kAnswerTimeoutMs, m_window.get(), [open = QPointer(dialog)] {
                if (open == nullptr || !open->isVisible()) return;
                ADD_FAILURE() << "the dialog " << open->windowTitle().toStdString()
                              << " stayed open after its answer";
                while (QWidget* modal = QApplication::activeModalWidget()) modal->close();
            });
            answer(*dialog);
        });
        poll->start(10);
    }

    static void press(QWidget&, Qt::Key key) { QTest::keyClick(QApplication::focusWidget(), key); }

    // Types a file name over the dialog's name field and confirms it, as a person would.
    static void typeFileName(QWidget&, const std::string& path) {
        QWidget* field = QApplication::focusWidget();
        QTest::keyClick(field, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(field, QString::fromStdString(path));
        if (QWidget* completions = QApplication::activePopupWidget())
            QTest::keyClick(completions, Qt::Key_Escape);
        QTest::keyClick(field, Qt::Key_Return);
    }

    // A file of its own for each test in the scratch folder, not there yet.
    static std::string scratchPath(const std::string& name) {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        std::string file = std::string("diblab_focus_") + test->name() + "_" + name;
        std::replace(file.begin(), file.end(), '/', '_');
        std::filesystem::remove(testing::TempDir() + file);
        return testing::TempDir() + file;
    }

    qt::MessageBox m_messageBox{QString::fromLatin1(kProductTitle), nullptr};
    qt::FileDialogs m_files{nullptr};
    qt::Questions m_questions{QString::fromLatin1(kProductTitle), nullptr};
    std::unique_ptr<qt::Settings> m_settings;
    std::unique_ptr<shell::BenchShell> m_shell;
    std::unique_ptr<qt::MainWindow> m_window;
    std::vector<std::string> m_asked;
    std::size_t m_waiting = 0;
};

// The first control is a picture, which shows its focus as a dotted frame just outside it.
TEST_F(DialogFocus, TheWindowStartsActiveWithTheFocusOnTheFirstControlInTabOrder) {
    EXPECT_TRUE(m_window->isActiveWindow());
    EXPECT_EQ(focusedControl(), kTabOrder.front());
    const auto framePixels = [this] {
        const QWidget* picture = widget(kTabOrder.front());
        const QImage shown = m_window->view().grab().toImage();
        const QRect frame = picture->geometry().adjusted(-2, -2, 1, 1);
        int dark = 0;
        for (int x = frame.left(); x <= frame.right(); ++x) {
            dark += qGray(shown.pixel(x, frame.top())) < 128 ? 1 : 0;
        }
        return dark;
    };
    EXPECT_GT(framePixels(), 2);
    widget("Text10")->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(framePixels(), 0);
}

class FocusAfterADialog : public DialogFocus, public testing::WithParamInterface<const char*> {};

// Each dialog is opened from Text10 with the caret after its text, answered, and the keyboard
// goes back there: the next digit typed lands in Text10.
TEST_P(FocusAfterADialog, GivesTheKeyboardBackToTheFieldThatHadIt) {
    const std::string kind = GetParam();
    const std::string saved = scratchPath("saved.dls");
    widget("Text10")->setFocus(Qt::MouseFocusReason);
    static_cast<QLineEdit*>(widget("Text10"))->end(false);
    QWidget* field = QApplication::focusWidget();
    std::string title = kProductTitle;
    if (kind == "About") {
        answerNextDialog([](QWidget& box) { press(box, Qt::Key_Return); });
        m_window->actionFor(*m_shell->frame().findMenuItem("&About DIB Lab"))->trigger();
    } else if (kind == "ArgumentsHelp") {
        answerNextDialog([](QWidget& box) { press(box, Qt::Key_Escape); });
        QTest::keyClick(field, Qt::Key_F1);
    } else if (kind == "MessageOfTheForm") {
        answerNextDialog([](QWidget& box) { press(box, Qt::Key_Space); });
        m_shell->form().MsgBox("#Lines must be a whole number from -32768 to 32767.");
    } else if (kind == "OpenCancelled") {
        title = "Open Experiment";
        answerNextDialog([](QWidget& dialog) { press(dialog, Qt::Key_Escape); });
        QTest::keyClick(field, Qt::Key_O, Qt::ControlModifier);
    } else {
        title = "Save Experiment";
        answerNextDialog([saved](QWidget& dialog) { typeFileName(dialog, saved); });
        QTest::keyClick(field, Qt::Key_S, Qt::ControlModifier);
        EXPECT_TRUE(std::ifstream(saved).good()) << saved;
    }
    EXPECT_EQ(m_asked, std::vector<std::string>{title});
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    ASSERT_EQ(focusedControl(), "Text10");
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_7);
    EXPECT_EQ(m_shell->form().Text10.Text(), "07");
}

INSTANTIATE_TEST_SUITE_P(Dialogs, FocusAfterADialog,
                         testing::Values("About", "ArgumentsHelp", "MessageOfTheForm",
                                         "OpenCancelled", "SaveAnswered"),
                         [](const testing::TestParamInfo<const char*>& info) {
                             return std::string(info.param);
                         });

// Opening an experiment replaces the form; the new one has the keyboard at its first control, so
// Ctrl+S works at once.
TEST_F(DialogFocus, CtrlSRightAfterOpenAsksWhereToSave) {
    const std::string first = scratchPath("first.dls");
    answerNextDialog([first](QWidget& dialog) { typeFileName(dialog, first); });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    answerNextDialog([first](QWidget& dialog) { typeFileName(dialog, first); });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    ASSERT_EQ(focusedControl(), kTabOrder.front());

    const std::string second = scratchPath("second.dls");
    answerNextDialog([second](QWidget& dialog) { typeFileName(dialog, second); });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    EXPECT_EQ(m_asked,
              (std::vector<std::string>{"Save Experiment", "Open Experiment", "Save Experiment"}));
    EXPECT_TRUE(std::ifstream(second).good()) << second;
    EXPECT_EQ(focusedControl(), kTabOrder.front());
}

// Opening a binary file gives one message whose quoted part is cut at 40 bytes, in a box no wider
// than the window, which then has the keyboard back.
TEST_F(DialogFocus, ABinaryFileGetsAShortMessageNoWiderThanTheWindow) {
    const std::string path = scratchPath("binary.dls");
    {
        std::ofstream file(path, std::ios::binary);
        for (int i = 0; i < 300; ++i) file.put(static_cast<char>(0x80 + i % 0x80));
    }
    QString shown;
    int boxWidth = 0;
    answerNextDialog([path](QWidget& dialog) { typeFileName(dialog, path); });
    answerNextDialog([&](QWidget& box) {
        shown = static_cast<QMessageBox&>(box).text();
        boxWidth = box.frameGeometry().width();
        press(box, Qt::Key_Return);
    });
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_O, Qt::ControlModifier);
    ASSERT_EQ(m_asked, (std::vector<std::string>{"Open Experiment", kProductTitle}));
    shown.remove(QChar(0x200B));
    EXPECT_TRUE(shown.contains(QStringLiteral("unknown command '\\x80\\x81")))
        << shown.toStdString();
    EXPECT_TRUE(shown.endsWith(QStringLiteral("\\xa6\\xa7'...."))) << shown.toStdString();
    EXPECT_GT(boxWidth, 0);
    EXPECT_LE(boxWidth, m_window->frameGeometry().width());
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    EXPECT_EQ(focusedControl(), kTabOrder.front());
}

}  // namespace
