#include "line_view.h"

#include <QPainter>

#include "control_views.h"

namespace qt {

LineView::LineView(const ui::Line& line, QWidget* parent) : QWidget(parent), m_line(line) {
    setFocusPolicy(Qt::NoFocus);
    setAttribute(Qt::WA_TransparentForMouseEvents);
    applyPlacement(line, *this);
}

void LineView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(palette().color(QPalette::WindowText), 1));
    const QPoint origin = geometry().topLeft();
    painter.drawLine(QPoint(m_line.X1, m_line.Y1) - origin, QPoint(m_line.X2, m_line.Y2) - origin);
}

}  // namespace qt
