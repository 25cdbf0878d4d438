// The frame's menus as the main window's menu bar: submenus, radio and check items, and items
// whose caption and state change while the window is open.

#include <QAction>
#include <QLabel>
#include <QActionGroup>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>

#include "qt/main_window.h"
#include "ui/frame.h"
#include "ui/window.h"

namespace {

class MainWindowMenus : public ::testing::Test {
protected:
    void SetUp() override {
        using ui::MenuItemKind;
        one = &frame.addMenuItem("F&ormat > &Source", "&1 bpp", "", MenuItemKind::Radio);
        four = &frame.addMenuItem("F&ormat > &Source", "&4 bpp", "", MenuItemKind::Radio);
        eight = &frame.addMenuItem("F&ormat > &Destination", "&8 bpp", "", MenuItemKind::Radio);
        palette = &frame.addMenuItem("F&ormat", "&Palette Indexes", "", MenuItemKind::Check);
        redo = &frame.addMenuItem("&Edit", "&Redo", "Ctrl+Shift+Z; Ctrl+Y", MenuItemKind::Command);
        frame.setForm(form);
        window = std::make_unique<qt::MainWindow>(frame);
        window->show();
        window->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    }

    QMenu* shownMenu(const QString& caption) const {
        for (QAction* top : window->menuBar()->actions()) {
            if (top->text() == caption) return top->menu();
        }
        return nullptr;
    }

    ui::Window form{"form", 100, 50};
    ui::Frame frame;
    ui::MenuItem* one = nullptr;
    ui::MenuItem* four = nullptr;
    ui::MenuItem* eight = nullptr;
    ui::MenuItem* palette = nullptr;
    ui::MenuItem* redo = nullptr;
    std::unique_ptr<qt::MainWindow> window;
};

TEST_F(MainWindowMenus, SubmenusHoldTheirRadioItemsAsOneExclusiveGroupEach) {
    QMenu* format = shownMenu("F&ormat");
    ASSERT_NE(format, nullptr);
    const QList<QAction*> items = format->actions();
    ASSERT_EQ(items.size(), 3);
    ASSERT_NE(items[0]->menu(), nullptr);
    EXPECT_EQ(items[0]->text(), "&Source");
    EXPECT_EQ(items[1]->text(), "&Destination");
    EXPECT_TRUE(items[2]->isCheckable());
    const QList<QAction*> source = items[0]->menu()->actions();
    ASSERT_EQ(source.size(), 2);
    ASSERT_NE(source[0]->actionGroup(), nullptr);
    EXPECT_EQ(source[0]->actionGroup(), source[1]->actionGroup());
    EXPECT_EQ(source[0]->actionGroup()->exclusionPolicy(),
              QActionGroup::ExclusionPolicy::Exclusive);
    EXPECT_NE(items[1]->menu()->actions()[0]->actionGroup(), source[0]->actionGroup());
}

TEST_F(MainWindowMenus, ChoosingARadioActionChecksItsItemAndUnchecksItsNeighbour) {
    QAction* oneAction = window->actionFor(*one);
    QAction* fourAction = window->actionFor(*four);
    oneAction->trigger();
    eight->trigger();
    fourAction->trigger();
    EXPECT_FALSE(one->checked());
    EXPECT_TRUE(four->checked());
    EXPECT_FALSE(oneAction->isChecked());
    EXPECT_TRUE(fourAction->isChecked());
    EXPECT_TRUE(window->actionFor(*eight)->isChecked());
    fourAction->trigger();
    EXPECT_TRUE(fourAction->isChecked());
    window->actionFor(*palette)->trigger();
    EXPECT_TRUE(palette->checked());
}

TEST_F(MainWindowMenus, CaptionStateAndMarkFollowTheItemWhileShown) {
    QAction* action = window->actionFor(*redo);
    redo->setCaption("&Redo Set Point");
    redo->setEnabled(false);
    EXPECT_EQ(action->text(), "&Redo Set Point");
    EXPECT_FALSE(action->isEnabled());
    redo->setVisible(false);
    EXPECT_FALSE(action->isVisible());
    one->setChecked(true);
    EXPECT_TRUE(window->actionFor(*one)->isChecked());
}

TEST_F(MainWindowMenus, EachAlternativeShortcutRunsTheItemWhileItIsEnabled) {
    int runs = 0;
    redo->onTriggered = [&runs] { ++runs; };
    EXPECT_EQ(window->actionFor(*redo)->shortcuts().size(), 2);
    QTest::keyClick(window.get(), Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(runs, 2);
    redo->setEnabled(false);
    QTest::keyClick(window.get(), Qt::Key_Y, Qt::ControlModifier);
    EXPECT_EQ(runs, 2);
}

}  // namespace

class MainWindowStatus : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* part : {"document", "formats", "account"}) frame.addStatusPart(part);
        frame.setStatusLines(4);
        frame.setForm(form);
        window = std::make_unique<qt::MainWindow>(frame);
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    int lines(const char* part) const {
        const QLabel& label = window->statusLabel(part);
        return label.isVisible() ? label.height() / label.fontMetrics().lineSpacing() : 0;
    }

    ui::Window form{"form", 300, 50};
    ui::Frame frame;
    std::unique_ptr<qt::MainWindow> window;
};

TEST_F(MainWindowStatus, PartsStandInTheirOrderEachAsTallAsItsWrappedText) {
    const int width = window->width();
    frame.setStatus("document", "band.dls", "/tmp/band.dls");
    frame.setStatus("account", QString("word ").repeated(60).toStdString());
    EXPECT_EQ(lines("document"), 1);
    EXPECT_EQ(lines("formats"), 0);
    EXPECT_GE(lines("account"), 2);
    EXPECT_LT(window->statusLabel("document").y(), window->statusLabel("account").y());
    EXPECT_EQ(window->statusLabel("document").toolTip(), "/tmp/band.dls");
    EXPECT_EQ(window->width(), width);
}

TEST_F(MainWindowStatus, APartBeyondTheRoomIsCutAndItsToolTipHoldsItWhole) {
    const int height = window->height();
    const std::string text = QString("word ").repeated(300).toStdString();
    frame.setStatus("formats", "Source: 4 bpp");
    frame.setStatus("account", text);
    EXPECT_EQ(lines("formats") + lines("account"), 4);
    EXPECT_EQ(window->statusLabel("account").toolTip().toStdString(), text);
    EXPECT_EQ(window->height(), height);
}
