#pragma once

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/controls.h"

namespace qt {

// What every control's widget shows of the control itself: place, size, tool tip and font.
void applyPlacement(const ui::Control& control, QWidget& widget);
Qt::Alignment qtAlignment(ui::Alignment alignment);

// Each view shows one control and re-reads it whenever the control reports a change.
class LabelView : public QLabel {
public:
    LabelView(ui::Label& label, QWidget* parent);
    ~LabelView() override;

private:
    void sync();
    ui::Label& m_label;
};

class CheckBoxView : public QCheckBox {
public:
    CheckBoxView(ui::CheckBox& checkBox, QWidget* parent);
    ~CheckBoxView() override;

private:
    void sync();
    ui::CheckBox& m_checkBox;
};

class ButtonView : public QPushButton {
public:
    ButtonView(ui::CommandButton& button, QWidget* parent);
    ~ButtonView() override;

private:
    void sync();
    ui::CommandButton& m_button;
};

// A single-line text box; what the user types or pastes flows back into the control's Text.
class LineEditView : public QLineEdit {
public:
    LineEditView(ui::TextBox& textBox, QWidget* parent);
    ~LineEditView() override;

private:
    void sync();
    ui::TextBox& m_textBox;
};

}  // namespace qt
