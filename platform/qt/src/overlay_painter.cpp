#include "overlay_painter.h"

#include <QPainter>
#include <algorithm>

namespace qt {
namespace {

constexpr int kHatchSpacing = 6;

QColor colourOf(const ui::OverlayMark& mark) {
    return QColor::fromRgb(QRgb(0xFF000000u | mark.colour));
}

// A frame `thickness` pixels wide whose outer edge is the rectangle's edge.
void frame(QPainter& painter, const QRect& area, int thickness, const QColor& colour) {
    const int t = thickness;
    painter.fillRect(QRect(area.left(), area.top(), area.width(), t), colour);
    painter.fillRect(QRect(area.left(), area.bottom() - t + 1, area.width(), t), colour);
    painter.fillRect(QRect(area.left(), area.top(), t, area.height()), colour);
    painter.fillRect(QRect(area.right() - t + 1, area.top(), t, area.height()), colour);
}

// The rectangle's two outermost rings of pixels in the colour, with a black ring on each side.
void outline(QPainter& painter, const QRect& area, const QColor& colour) {
    frame(painter, area.adjusted(-1, -1, 1, 1), 4, Qt::black);
    frame(painter, area, 2, colour);
}

// Diagonal lines across the rectangle, each with a black line beside it; the pixels between
// them stay visible.
void hatch(QPainter& painter, const QRect& area, const QColor& colour) {
    painter.save();
    painter.setClipRect(area);
    const int span = area.width() + area.height();
    for (int offset = 0; offset < span; offset += kHatchSpacing) {
        const QPoint start(area.left() + offset, area.top());
        const QPoint end(start.x() - area.height(), area.bottom() + 1);
        painter.setPen(QPen(Qt::black, 1));
        painter.drawLine(start + QPoint(1, 0), end + QPoint(1, 0));
        painter.setPen(QPen(colour, 1));
        painter.drawLine(start, end);
    }
    painter.restore();
}

// A small square in the middle of every cell: black, with the colour inside.
void dots(QPainter& painter, const ui::OverlayMark& mark, int cell, const QColor& colour) {
    const int outer = std::max(cell / 2, 3);
    const int inner = std::max(outer - 2, 1);
    for (int row = mark.top; row < mark.top + mark.height; ++row) {
        for (int column = mark.left; column < mark.left + mark.width; ++column) {
            const QPoint centre(column * cell + cell / 2, row * cell + cell / 2);
            painter.fillRect(QRect(centre - QPoint(outer / 2, outer / 2), QSize(outer, outer)),
                             Qt::black);
            painter.fillRect(QRect(centre - QPoint(inner / 2, inner / 2), QSize(inner, inner)),
                             colour);
        }
    }
}

}  // namespace

void paintOverlay(QPainter& painter, const ui::Overlay& overlay) {
    const int cell = overlay.cellSize;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    for (const ui::OverlayMark& mark : overlay.marks) {
        if (mark.width <= 0 || mark.height <= 0) continue;
        const QRect area(mark.left * cell, mark.top * cell, mark.width * cell, mark.height * cell);
        const QColor colour = colourOf(mark);
        switch (mark.style) {
            case ui::OverlayStyle::Outline:
                outline(painter, area, colour);
                break;
            case ui::OverlayStyle::Hatch:
                hatch(painter, area, colour);
                break;
            case ui::OverlayStyle::Dots:
                dots(painter, mark, cell, colour);
                break;
        }
    }
    painter.restore();
}

}  // namespace qt
