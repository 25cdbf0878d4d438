#pragma once

#include <QImage>
#include <QWidget>

#include "ui/picture.h"

namespace qt {

// Shows a picture's persistent image one image pixel to one widget pixel. The image is read
// through the GDI layer into a display copy when the picture is refreshed or resized; the copy
// gets the opaque top byte that Qt wants, the picture's own bitmap is never touched. The
// picture's overlay is drawn over the display copy, and its legend becomes the tool tip. The
// focus is marked around the picture, never over its pixels: the window view draws the mark.
class PictureView : public QWidget {
public:
    PictureView(ui::Picture& picture, QWidget* parent);
    ~PictureView() override;

    // What the view shows: the display copy with the overlay's marks.
    QImage shownImage() const;

    // Where the window view marks the focus: a dotted frame just outside the picture.
    QRect focusFrame() const { return geometry().adjusted(-2, -2, 1, 1); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void sync();
    void readImage();
    void showFocusFrame() const;

    ui::Picture& m_picture;
    QImage m_display;
};

}  // namespace qt
