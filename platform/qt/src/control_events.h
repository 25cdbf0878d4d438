#pragma once

#include <QObject>
#include <string>

class QInputMethodEvent;
class QKeyEvent;

namespace ui {
class Control;
class Window;
}  // namespace ui

namespace qt {

// Turns the real events of one control's widget into the control layer's: the focus moving in
// makes the control the window's active control, every typed character passes the window's key
// preview before the widget sees it, and a double-click on a text box fires its DblClick.
class ControlEvents : public QObject {
    Q_OBJECT

public:
    ControlEvents(ui::Window& window, ui::Control& control, QObject* parent);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::u16string preview(const std::u16string& typed) const;
    bool previewKeyPress(QObject* watched, const QKeyEvent& event);
    void previewCommittedText(QInputMethodEvent& event) const;

    ui::Window& m_window;
    ui::Control& m_control;
    bool m_delivering = false;
};

}  // namespace qt
