#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "ui/control.h"

namespace ui {

// Character codes that the key preview sees; 16-bit like the run-time's KeyAscii.
inline constexpr std::int16_t kBackspace = 8;
inline constexpr std::int16_t kEnter = 13;
inline constexpr std::int16_t kSpace = 32;

class TextBox : public Control {
public:
    TextBox(std::string name, int index = -1);

    const std::string& Text() const { return m_text; }
    // Sets the text as a program or a paste does: no key filter, no events.
    void setText(std::string text);
    // Appends without copying what is already there, so a growing report costs only what is
    // added. A front end that listens to onAppended can extend its view the same way.
    void appendText(std::string_view text);
    // One character that passed the key preview arrives at the end of the text: Backspace deletes
    // the last character (a whole line break), Enter adds a line break only to a multi-line box.
    void typeCharacter(std::int16_t code);
    void keyPress(std::int16_t code) override { typeCharacter(code); }
    void dblClick() const;

    Alignment alignment = Alignment::Center;
    bool multiLine = false;
    bool scrollBars = false;  // both scroll bars, as the report box has them
    std::function<void()> DblClick;
    // Fired after every change of the text, however it came.
    std::function<void()> Change;
    std::function<void(std::string_view appended)> onAppended;

private:
    void textChanged() const;

    std::string m_text;
};

class Label : public Control {
public:
    Label(std::string name, int index = -1);
    const std::string& Caption() const { return m_caption; }
    void setCaption(std::string caption);
    Alignment alignment = Alignment::Left;

private:
    std::string m_caption;
};

class CheckBox : public Control {
public:
    explicit CheckBox(std::string name);
    const std::string& Caption() const { return m_caption; }
    void setCaption(std::string caption);
    int Value() const { return m_value; }
    // Sets the value; a change fires Click, as the run-time does.
    void setValue(int value);
    // A mouse click or the space bar: toggles between 0 and 1, then Click.
    void click();
    void keyPress(std::int16_t code) override;
    std::function<void()> Click;

private:
    std::string m_caption;
    int m_value = 0;
};

class CommandButton : public Control {
public:
    explicit CommandButton(std::string name);
    const std::string& Caption() const { return m_caption; }
    void setCaption(std::string caption);
    void click() const;
    // The space bar and Enter press a focused button.
    void keyPress(std::int16_t code) override;
    std::function<void()> Click;

private:
    std::string m_caption;
};

// A separator from (X1, Y1) to (X2, Y2); Left, Top, Width and Height hold the one-pixel-wide box
// that encloses it.
class Line : public Control {
public:
    explicit Line(std::string name);
    int X1 = 0;
    int Y1 = 0;
    int X2 = 0;
    int Y2 = 0;
};

}  // namespace ui
