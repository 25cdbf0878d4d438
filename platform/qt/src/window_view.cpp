#include "qt/window_view.h"

#include <QApplication>
#include <QPainter>
#include <algorithm>
#include <vector>

#include "control_events.h"
#include "control_views.h"
#include "fonts.h"
#include "line_view.h"
#include "picture_view.h"
#include "report_view.h"

namespace qt {

WindowView::WindowView(ui::Window& window, QWidget* parent) : QWidget(parent), m_window(window) {
    if (!window.font.name.empty()) setFont(fontFor(window.font));
    resize(window.clientWidth(), window.clientHeight());
    for (ui::Control* control : window.controls()) {
        QWidget* view = createView(*control);
        auto* events = new ControlEvents(window, *control, view);
        view->installEventFilter(events);
        if (auto* report = dynamic_cast<ReportView*>(view))
            report->viewport()->installEventFilter(events);
        m_views.emplace(control, view);
    }
    setUpTabOrder();
    m_window.onChanged = [this] { syncCaption(); };
    m_window.onFocusRequested = [this](ui::Control& control) {
        if (QWidget* view = widgetFor(control)) view->setFocus(Qt::OtherFocusReason);
    };
    syncCaption();
}

void WindowView::paintEvent(QPaintEvent*) {
    const auto* picture = dynamic_cast<const PictureView*>(QApplication::focusWidget());
    if (picture == nullptr || picture->parentWidget() != this) return;
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
    painter.drawRect(picture->focusFrame());
}

WindowView::~WindowView() {
    m_window.onChanged = nullptr;
    m_window.onFocusRequested = nullptr;
}

QWidget* WindowView::widgetFor(const ui::Control& control) const {
    const auto found = m_views.find(&control);
    return found == m_views.end() ? nullptr : found->second;
}

QWidget* WindowView::createView(ui::Control& control) {
    switch (control.kind()) {
        case ui::ControlKind::Picture:
            return new PictureView(static_cast<ui::Picture&>(control), this);
        case ui::ControlKind::TextBox: {
            auto& textBox = static_cast<ui::TextBox&>(control);
            if (textBox.multiLine) return new ReportView(textBox, this);
            return new LineEditView(textBox, this);
        }
        case ui::ControlKind::Label:
            return new LabelView(static_cast<ui::Label&>(control), this);
        case ui::ControlKind::CheckBox:
            return new CheckBoxView(static_cast<ui::CheckBox&>(control), this);
        case ui::ControlKind::CommandButton:
            return new ButtonView(static_cast<ui::CommandButton&>(control), this);
        case ui::ControlKind::Line:
            break;
    }
    return new LineView(static_cast<ui::Line&>(control), this);
}

// Chains the focusable controls by tab index and gives the first of them the focus, as the
// window does when it first opens.
void WindowView::setUpTabOrder() {
    std::vector<ui::Control*> order;
    for (ui::Control* control : m_window.controls()) {
        if (control->canFocus()) order.push_back(control);
    }
    std::stable_sort(order.begin(), order.end(), [](const ui::Control* a, const ui::Control* b) {
        return a->TabIndex < b->TabIndex;
    });
    for (std::size_t i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(widgetFor(*order[i - 1]), widgetFor(*order[i]));
    }
    if (!order.empty()) widgetFor(*order.front())->setFocus(Qt::OtherFocusReason);
}

void WindowView::syncCaption() {
    setWindowTitle(QString::fromStdString(m_window.Caption()));
}

}  // namespace qt
