#pragma once

#include <QWidget>
#include <unordered_map>

#include "ui/window.h"

namespace qt {

// The window of a ui::Window: every control as a widget at its pixel place in a client area of
// the window's size. Controls keep their places when the window is resized. The window's title
// follows its Caption, Tab walks the controls in tab-index order, and the focus, typed keys,
// clicks and double-clicks reach the controls' events.
class WindowView : public QWidget {
public:
    explicit WindowView(ui::Window& window, QWidget* parent = nullptr);
    ~WindowView() override;

    // The widget that shows the control, or null for a control of another window.
    QWidget* widgetFor(const ui::Control& control) const;

protected:
    // A focused picture draws no focus mark of its own: its frame is drawn here.
    void paintEvent(QPaintEvent* event) override;

private:
    QWidget* createView(ui::Control& control);
    void setUpTabOrder();
    void syncCaption();

    ui::Window& m_window;
    std::unordered_map<const ui::Control*, QWidget*> m_views;
};

}  // namespace qt
