#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "ui/controls.h"
#include "ui/window.h"

namespace {

// Controls added out of tab order, with labels and a line between them.
class WindowFocus : public testing::Test {
protected:
    void SetUp() override {
        third.TabIndex = 4;
        label.TabIndex = 0;
        first.TabIndex = 1;
        line.TabIndex = 2;
        second.TabIndex = 3;
        for (ui::Control* control :
             std::vector<ui::Control*>{&third, &label, &first, &line, &second}) {
            window.add(*control);
        }
    }

    std::string walk(bool backward, int steps) {
        std::string names;
        for (int i = 0; i < steps; ++i) {
            window.focusNext(backward);
            names += window.ActiveControl()->name() + " ";
        }
        return names;
    }

    ui::Window window{"w", 100, 100};
    ui::TextBox third{"third"};
    ui::Label label{"label"};
    ui::TextBox first{"first"};
    ui::Line line{"line"};
    ui::CheckBox second{"second"};
};

TEST_F(WindowFocus, LoadFocusesTheFirstControlInTabOrder) {
    bool loaded = false;
    window.Load = [&] { loaded = true; };
    window.load();
    EXPECT_TRUE(loaded);
    EXPECT_EQ(window.ActiveControl(), &first);
}

TEST_F(WindowFocus, TabWalksForwardInTabIndexOrderAndWraps) {
    window.setFocus(first);
    EXPECT_EQ(walk(false, 4), "second third first second ");
}

TEST_F(WindowFocus, ShiftTabWalksBackwardAndWraps) {
    window.setFocus(first);
    EXPECT_EQ(walk(true, 4), "third second first third ");
}

TEST_F(WindowFocus, LabelsAndLinesRefuseTheFocus) {
    window.setFocus(second);
    EXPECT_FALSE(window.setFocus(label));
    EXPECT_FALSE(window.setFocus(line));
    EXPECT_EQ(window.ActiveControl(), &second);
}

TEST_F(WindowFocus, KeyPreviewSeesTheFocusAndCanDiscard) {
    window.KeyPress = [&](std::int16_t& code) {
        if (window.ActiveControl() == &first && code == 'x') code = 0;
    };
    window.setFocus(first);
    window.keyPress('x');
    window.keyPress('y');
    window.setFocus(third);
    window.keyPress('x');
    EXPECT_EQ(first.Text(), "y");
    EXPECT_EQ(third.Text(), "x");
    EXPECT_EQ(window.previewKeyPress('x'), 'x');
}

}  // namespace
