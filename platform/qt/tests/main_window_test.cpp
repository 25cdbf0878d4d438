// The frame's menus as the main window's menu bar: submenus, radio and check items, and items
// whose caption and state change while the window is open.

#include <QAction>
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
