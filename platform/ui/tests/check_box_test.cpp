#include <gtest/gtest.h>

#include <vector>

#include "ui/controls.h"
#include "ui/window.h"

namespace {

TEST(CheckBox, ClickTogglesAndRunsClickAfterTheChange) {
    ui::CheckBox box("Check1");
    std::vector<int> seen;
    box.Click = [&] { seen.push_back(box.Value()); };
    box.click();
    box.click();
    box.click();
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 1}));
    EXPECT_EQ(box.Value(), 1);
}

TEST(CheckBox, SettingTheSameValueRunsNoClick) {
    ui::CheckBox box("Check1");
    int clicks = 0;
    box.Click = [&] { ++clicks; };
    box.setValue(0);
    EXPECT_EQ(clicks, 0);
    box.setValue(1);
    box.setValue(1);
    EXPECT_EQ(clicks, 1);
}

TEST(CheckBox, SpaceBarTogglesTheFocusedBox) {
    ui::Window window("w", 100, 100);
    ui::CheckBox box("Check1");
    window.add(box);
    ASSERT_TRUE(window.setFocus(box));
    int clicks = 0;
    box.Click = [&] { ++clicks; };
    window.keyPress(ui::kSpace);
    window.keyPress('x');
    EXPECT_EQ(box.Value(), 1);
    EXPECT_EQ(clicks, 1);
}

TEST(CommandButton, SpaceAndEnterPressTheFocusedButton) {
    ui::Window window("w", 100, 100);
    ui::CommandButton button("cmd");
    window.add(button);
    ASSERT_TRUE(window.setFocus(button));
    int clicks = 0;
    button.Click = [&] { ++clicks; };
    window.keyPress(ui::kSpace);
    window.keyPress(ui::kEnter);
    window.keyPress('x');
    EXPECT_EQ(clicks, 2);
}

}  // namespace
