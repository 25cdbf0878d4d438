#pragma once

#include <QWidget>

#include "ui/controls.h"

namespace qt {

// A one-pixel line between the line control's two end points, in the window's text colour.
class LineView : public QWidget {
public:
    LineView(const ui::Line& line, QWidget* parent);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const ui::Line& m_line;
};

}  // namespace qt
