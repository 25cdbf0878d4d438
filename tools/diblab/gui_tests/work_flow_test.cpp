// Working in the real window: Run Call, Undo and Redo, unsaved work, recent files, dropped
// files, the legend and the note for a call not yet run, and Export over existing pictures.

#include <QAction>
#include <QDropEvent>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QTest>
#include <QUrl>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "main_window_fixture.h"
#include "qt/window_view.h"

namespace {

using Shown = std::map<std::string, QString>;

class WorkFlow : public MainWindowTest {
protected:
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::ControlModifier) const {
        QTest::keyClick(m_window.get(), key, modifiers);
    }

    // Saves the window's state under `name`, as a person would with Ctrl+S.
    std::string saveAs(const std::string& name) {
        m_files.answer = scratchPath(name);
        press(Qt::Key_S);
        return *m_files.answer;
    }

    void dropFile(QWidget& target, const std::string& path) const {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(QString::fromStdString(path))});
        QDragEnterEvent enter(QPoint(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &enter);
        ASSERT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(4, 4), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&target, &drop);
    }

    // The Format menu's Source (0) or Destination (1) submenu.
    QMenu* formatMenu(int side) const {
        return m_window->menuBar()->actions()[3]->menu()->actions()[side]->menu();
    }

    // Undo (0) or Redo (1) of the Edit menu.
    QAction* editItem(int index) const {
        return m_window->menuBar()->actions()[1]->menu()->actions()[index];
    }

    std::string fileName(const std::string& path) const {
        return std::filesystem::path(path).filename().string();
    }

    QStringList recentItems() const {
        QStringList shown;
        QMenu* file = m_window->menuBar()->actions()[0]->menu();
        for (QAction* item : file->actions()[1]->menu()->actions()) {
            if (item->isVisible()) shown << item->text() + (item->isEnabled() ? "" : " (off)");
        }
        return shown;
    }
};

// Ten steps of every kind, each after some typing of its own. Undo brings back exactly the
// state each step started from, typing included, naming the step; Redo the state it left.
TEST_F(WorkFlow, UndoAndRedoWalkThroughTheStatesOfTenSteps) {
    struct Step {
        std::string name;
        std::function<void()> typing;
        std::function<void()> act;
    };
    const auto none = [] {};
    const std::vector<Step> steps = {
        {"Set Background", [&] { retype("Text8", "0"); }, [&] { click("cmdSetSrcBkg"); }},
        {"Set Point",
         [&] {
             retype("Text7", "0");
             retype("Text10", "3");
         },
         [&] { click("cmdSetSrcPoint"); }},
        {"Source Top Down", none, [&] { click("Check1"); }},
        {"Show Source Bits", none, [&] { click("Check5"); }},
        {"Run Call", none, [&] { press(Qt::Key_F5, Qt::NoModifier); }},
        {"Toggle Colour Value", none, [&] { QTest::mouseDClick(widget("Text4"), Qt::LeftButton); }},
        {"Set Background", none, [&] { click("cmdSetDestBkg"); }},
        {"Destination Format", none, [&] { formatMenu(1)->actions()[0]->trigger(); }},
        {"Run Call", [&] { retype("Text1(0)", "2"); }, [&] { click("cmdTest"); }},
        {"Clear Report", none, [&] { QTest::mouseDClick(widget("Text3"), Qt::LeftButton); }},
    };
    std::vector<std::pair<Shown, Shown>> states;
    for (const Step& step : steps) {
        step.typing();
        const Shown before = shownState();
        step.act();
        states.emplace_back(before, shownState());
        ASSERT_NE(states.back().first, states.back().second) << step.name;
        EXPECT_EQ(editItem(0)->text().toStdString(), "&Undo " + step.name);
    }
    for (std::size_t i = steps.size(); i-- > 0;) {
        EXPECT_EQ(editItem(0)->text().toStdString(), "&Undo " + steps[i].name);
        press(Qt::Key_Z);
        EXPECT_EQ(shownState(), states[i].first)
            << "undo of step " << i + 1 << ", " << steps[i].name;
        EXPECT_EQ(editItem(1)->text().toStdString(), "&Redo " + steps[i].name);
    }
    EXPECT_FALSE(editItem(0)->isEnabled());
    for (std::size_t i = 0; i < steps.size(); ++i) {
        press(i % 2 == 0 ? Qt::Key_Y : Qt::Key_Z,
              i % 2 == 0 ? Qt::ControlModifier : Qt::ControlModifier | Qt::ShiftModifier);
        EXPECT_EQ(shownState(), states[i].second) << "redo of step " << i + 1;
    }
    EXPECT_FALSE(editItem(1)->isEnabled());
}

TEST_F(WorkFlow, RunCallPressesTheTestButton) {
    retype("Text1(2)", "3");
    press(Qt::Key_F5, Qt::NoModifier);
    const Shown byKey = shownState();
    const std::string account = statusText();
    click("cmdTest");
    EXPECT_EQ(shownState().at("dstRet"), byKey.at("dstRet"));
    EXPECT_EQ(statusText(), account);
    EXPECT_TRUE(account.starts_with("Ret = 8")) << account;
}

// Quit, closing the window and Open ask once the state differs from the last save or open.
TEST_F(WorkFlow, UnsavedWorkIsAskedAboutBeforeItCouldBeLost) {
    const std::string saved = saveAs("kept.dls");
    const std::string name = fileName(saved);
    EXPECT_TRUE(m_window->close());
    EXPECT_TRUE(m_questions.asked.empty());
    m_window->show();
    m_window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
    EXPECT_EQ(statusText("document"), name + " \u00b7 Saved " + saved + ".");

    retype("Text9", "0");
    retype("Text10", "4");
    click("cmdSetSrcPoint");
    EXPECT_EQ(statusText("document"), name + " (modified) \u00b7 Saved " + saved + ".");
    m_questions.answer = ui::Answer::Cancel;
    action("&Quit")->trigger();
    EXPECT_TRUE(m_window->isVisible());
    ASSERT_EQ(m_questions.asked.size(), 1U);
    EXPECT_EQ(m_questions.asked[0].text, "Save the changes to " + name + "?");
    EXPECT_EQ(m_questions.asked[0].kind, ui::Question::Kind::UnsavedWork);

    m_files.answer = scratchPath("other.dls");
    std::ofstream(*m_files.answer) << "set Text1(0) 7\n";
    press(Qt::Key_O);
    EXPECT_EQ(m_questions.asked.size(), 2U);
    EXPECT_EQ(form().Text1[0].Text(), "0");

    m_questions.answer = ui::Answer::Save;
    m_files.answer = saved;
    EXPECT_TRUE(m_window->close());
    EXPECT_EQ(m_questions.asked.size(), 3U);
    std::ifstream file(saved);
    const std::string script((std::istreambuf_iterator<char>(file)), {});
    EXPECT_NE(script.find("setpixel srcPic 4 7"), std::string::npos) << script;
    EXPECT_TRUE(m_messages.shown.empty());
}

TEST_F(WorkFlow, ADroppedExperimentOpensAsOpenWould) {
    const std::string path = scratchPath("dropped.dls");
    std::ofstream(path) << "set Text1(2) 3\nclick cmdTest\n";
    dropFile(*widget("Text1(0)"), path);
    EXPECT_TRUE(m_messages.shown.empty());
    EXPECT_EQ(form().Text1[2].Text(), "3");
    EXPECT_TRUE(statusText().starts_with("Ret = 8")) << statusText();
    EXPECT_EQ(statusText("document"), fileName(path));
    EXPECT_EQ(editItem(0)->text(), "&Undo Open Experiment");
}

// The last eight files, newest first, with Show Geometry kept for the next session.
TEST_F(WorkFlow, RecentFilesAndShowGeometryOutliveTheSession) {
    EXPECT_EQ(recentItems(), QStringList{"No Recent Experiments (off)"});
    for (int i = 1; i <= 9; ++i) saveAs("e" + std::to_string(i) + ".dls");
    action("Show &Geometry")->trigger();
    reopen();
    EXPECT_TRUE(action("Show &Geometry")->isChecked());
    QStringList expected;
    for (int i = 9; i >= 2; --i) {
        expected << QString::fromStdString("&" + std::to_string(10 - i) + " " +
                                           fileName(scratchPath("e" + std::to_string(i) + ".dls")));
    }
    EXPECT_EQ(recentItems(), expected);
    QMenu* file = m_window->menuBar()->actions()[0]->menu();
    file->actions()[1]->menu()->actions()[7]->trigger();
    EXPECT_EQ(statusText("document"), fileName(scratchPath("e2.dls")));
    EXPECT_EQ(recentItems().front(),
              "&1 " + QString::fromStdString(fileName(scratchPath("e2.dls"))));
}

TEST_F(WorkFlow, TheLegendAndTheNoteForACallNotYetRunStayWithinTheWindow) {
    action("Show &Geometry")->trigger();
    const QLabel& legend = m_window->statusLabel("legend");
    EXPECT_TRUE(legend.isVisible());
    EXPECT_NE(legend.text().indexOf("yellow outline: the source rectangle"), -1);
    EXPECT_LE(legend.geometry().right(), m_window->width());
    EXPECT_LE(legend.heightForWidth(legend.width()), legend.height());
    click("cmdTest");
    EXPECT_EQ(statusText("pending"), "");
    retype("Text1(0)", "3");
    EXPECT_NE(statusText("pending").find("not yet run"), std::string::npos);
    press(Qt::Key_F5, Qt::NoModifier);
    EXPECT_EQ(statusText("pending"), "");
    action("Show &Geometry")->trigger();
    EXPECT_FALSE(legend.isVisible());
}

TEST_F(WorkFlow, ExportAsksBeforeReplacingPicturesAndSaysWhatItWrote) {
    m_files.answer = scratchPath("shot.png");
    for (const char* picture :
         {"source", "source-magnified", "destination", "destination-magnified"}) {
        std::filesystem::remove(scratchPath("shot-" + std::string(picture) + ".png"));
    }
    const std::string source = scratchPath("shot-source.png");
    std::ofstream(source) << "kept";
    m_questions.answer = ui::Answer::Cancel;
    action("&Export Pictures\u2026")->trigger();
    ASSERT_EQ(m_questions.asked.size(), 1U);
    EXPECT_EQ(m_questions.asked[0].kind, ui::Question::Kind::Overwrite);
    EXPECT_EQ(m_questions.asked[0].detail, std::filesystem::path(source).filename().string() + ".");
    EXPECT_EQ(std::filesystem::file_size(source), 4U);

    m_questions.answer = ui::Answer::Replace;
    action("&Export Pictures\u2026")->trigger();
    EXPECT_GT(std::filesystem::file_size(source), 4U);
    EXPECT_NE(statusText("document")
                  .find("Exported " + std::filesystem::path(source).filename().string()),
              std::string::npos)
        << statusText("document");
}

}  // namespace
