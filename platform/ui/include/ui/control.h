#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace ui {

enum class ControlKind { Picture, TextBox, Label, CheckBox, CommandButton, Line };

struct Font {
    std::string name;   // e.g. "MS Sans Serif"; empty means the window's default font
    double points = 0;  // design size in points (0 with an empty name)
};

enum class Alignment { Left = 0, Right = 1, Center = 2 };

// What every control of the form has: a name (with an index inside a control array), a place in
// pixels of the client area, a tab index, a tag, a tool tip and a font. A front end that shows the
// control subscribes to `onChanged` and re-reads the properties when it fires.
class Control {
public:
    Control(ControlKind kind, std::string name, int index = -1);
    virtual ~Control() = default;
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    ControlKind kind() const { return m_kind; }
    const std::string& name() const { return m_name; }
    int index() const { return m_index; }
    // The name as the form's code writes it: "Text1(0)" for an array element, "srcPic" otherwise.
    std::string qualifiedName() const;
    // Whether the control can hold the keyboard focus (labels and lines never do).
    bool canFocus() const;
    // A typed character that passed the window's key preview reaches the focused control here.
    virtual void keyPress(std::int16_t code);

    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    int TabIndex = 0;
    std::string Tag;
    std::string ToolTipText;
    Font font;

    std::function<void()> onChanged;

protected:
    void changed() const;

private:
    ControlKind m_kind;
    std::string m_name;
    int m_index;
};

}  // namespace ui
