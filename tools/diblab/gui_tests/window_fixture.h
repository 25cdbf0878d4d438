#pragma once

#include <QWidget>
#include <gtest/gtest.h>
#include <memory>
#include <string>

#include "app/frm_bench.h"
#include "qt/message_box.h"
#include "qt/window_view.h"

// The bench's real window, loaded, shown and active, with every control as a real widget.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;

    QWidget* widget(const ui::Control& control) const;
    QWidget* widget(const std::string& qualifiedName) const;
    ui::Control& control(const std::string& qualifiedName) const;
    // Gives the control's widget the keyboard focus as a mouse click would, without selecting.
    void focus(const std::string& qualifiedName) const;
    // The control whose widget has the focus, by name; empty when no control has it.
    std::string focusedControl() const;

    std::unique_ptr<app::frmBench> m_form;
    std::unique_ptr<qt::WindowView> m_window;
    std::unique_ptr<qt::MessageBox> m_messageBox;
};
