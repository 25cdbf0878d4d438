#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "ui/control.h"
#include "ui/message_box.h"

namespace ui {

// The one window: caption, client size, its controls, the focus, key preview and the message box.
class Window {
public:
    Window(std::string name, int clientWidth, int clientHeight);
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    const std::string& name() const { return m_name; }
    int clientWidth() const { return m_clientWidth; }
    int clientHeight() const { return m_clientHeight; }

    const std::string& Caption() const { return m_caption; }
    void setCaption(std::string caption);

    // Controls are owned by the form; the window keeps them in creation order.
    void add(Control& control);
    const std::vector<Control*>& controls() const { return m_controls; }
    Control* find(const std::string& qualifiedName) const;

    // The font of every control that has none of its own.
    Font font;

    Control* ActiveControl() const { return m_active; }
    // Gives the focus to a control that can take it; returns false for labels and lines.
    bool setFocus(Control& control);
    // Tab (forward) and Shift+Tab (backward) through focusable controls in tab-index order.
    void focusNext(bool backward);

    // Key preview: every typed character passes here before the focused control. Returns the code
    // to deliver, 0 when the form discarded it.
    std::int16_t previewKeyPress(std::int16_t code) const;
    // A key that produces a character: the preview first, then the focused control, if any.
    void keyPress(std::int16_t code);
    // Runs Load, then gives the focus to the first control in tab order, as showing the window
    // does.
    void load();

    void setMessageBox(MessageBoxService* service) { m_messageBox = service; }
    // Shows a message through the installed service; without one the message is dropped.
    void MsgBox(std::string_view text) const;

    std::function<void()> Load;
    std::function<void(std::int16_t&)> KeyPress;
    std::function<void()> onChanged;  // caption or focus changed
    std::function<void(Control&)> onFocusRequested;

private:
    std::string m_name;
    int m_clientWidth;
    int m_clientHeight;
    std::string m_caption;
    std::vector<Control*> m_controls;
    Control* m_active = nullptr;
    MessageBoxService* m_messageBox = nullptr;
};

}  // namespace ui
