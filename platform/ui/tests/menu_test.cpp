#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/frame.h"
#include "ui/menu.h"

namespace {

using ui::MenuItemKind;

TEST(Menu, PathsMakeEachSubmenuOnceInTheOrderNamed) {
    ui::Frame frame;
    frame.addMenuItem("F&ormat > &Source", "&1 bpp", "", MenuItemKind::Radio);
    frame.addMenuItem("F&ormat > &Destination", "&8 bpp", "", MenuItemKind::Radio);
    frame.addMenuItem("F&ormat > &Source", "&4 bpp", "", MenuItemKind::Radio);
    frame.addMenuItem("F&ormat", "&Palette Indexes", "", MenuItemKind::Check);
    ASSERT_EQ(frame.menus().size(), 1u);
    std::vector<std::string> shown;
    for (const auto& item : frame.menus().front()->items()) {
        shown.push_back(item->caption());
        if (item->submenu() == nullptr) continue;
        for (const auto& inner : item->submenu()->items()) shown.push_back("  " + inner->caption());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"&Source", "  &1 bpp", "  &4 bpp", "&Destination",
                                               "  &8 bpp", "&Palette Indexes"}));
    EXPECT_EQ(frame.findMenuItem("&4 bpp")->kind(), MenuItemKind::Radio);
    EXPECT_EQ(frame.findMenuItem("&Destination")->kind(), MenuItemKind::Submenu);
    EXPECT_EQ(frame.findMenuItem("&None"), nullptr);
}

TEST(Menu, ARadioItemIsTheOneCheckedRadioOfItsOwnMenu) {
    ui::Frame frame;
    ui::MenuItem& one = frame.addMenuItem("F&ormat > &Source", "&1 bpp", "", MenuItemKind::Radio);
    ui::MenuItem& four = frame.addMenuItem("F&ormat > &Source", "&4 bpp", "", MenuItemKind::Radio);
    ui::MenuItem& other =
        frame.addMenuItem("F&ormat > &Destination", "&8 bpp", "", MenuItemKind::Radio);
    ui::MenuItem& box = frame.addMenuItem("F&ormat > &Source", "&Table", "", MenuItemKind::Check);
    int runs = 0;
    four.onTriggered = [&runs] { ++runs; };
    box.setChecked(true);
    other.trigger();
    one.trigger();
    four.trigger();
    four.trigger();
    EXPECT_FALSE(one.checked());
    EXPECT_TRUE(four.checked());
    EXPECT_TRUE(other.checked());
    EXPECT_TRUE(box.checked());
    EXPECT_EQ(runs, 2);
    box.trigger();
    EXPECT_FALSE(box.checked());
    EXPECT_TRUE(four.checked());
}

TEST(Menu, ADisabledOrHiddenItemIgnoresItsTrigger) {
    ui::Frame frame;
    ui::MenuItem& undo = frame.addMenuItem("&Edit", "&Undo", "Ctrl+Z", MenuItemKind::Command);
    ui::MenuItem& mark = frame.addMenuItem("&Edit", "&Mark", "", MenuItemKind::Check);
    int runs = 0;
    undo.onTriggered = [&runs] { ++runs; };
    undo.setEnabled(false);
    undo.trigger();
    mark.setVisible(false);
    mark.trigger();
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(mark.checked());
    undo.setEnabled(true);
    undo.trigger();
    EXPECT_EQ(runs, 1);
}

TEST(Menu, EveryChangeOfCaptionStateOrMarkIsReportedOnce) {
    ui::Frame frame;
    ui::MenuItem& item = frame.addMenuItem("&Edit", "&Undo", "Ctrl+Z", MenuItemKind::Check);
    int reports = 0;
    item.onChanged = [&reports] { ++reports; };
    item.setCaption("&Undo Set Point");
    item.setCaption("&Undo Set Point");
    item.setEnabled(false);
    item.setEnabled(false);
    item.setVisible(false);
    item.setChecked(true);
    item.setChecked(true);
    EXPECT_EQ(reports, 4);
    EXPECT_EQ(item.caption(), "&Undo Set Point");
}

}  // namespace
