#pragma once

#include <QWidget>
#include <string_view>
#include <vector>

#include "ui/frame.h"

class QLabel;

namespace qt {

// The frame's status parts one under the other, each as tall as its text needs wrapped at the
// area's width, in a room of the frame's number of lines. A part that finds no room left is cut
// at the bottom; its tool tip holds it whole. The area never asks for more width than it is
// given, so it never widens the window.
class StatusArea : public QWidget {
public:
    StatusArea(const ui::Frame& frame, QWidget* parent);

    // The label of the part of that name, or null.
    QLabel* label(std::string_view name) const;
    void showPart(const ui::StatusPart& part);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void layOut();

    const ui::Frame& m_frame;
    std::vector<QLabel*> m_labels;
};

}  // namespace qt
