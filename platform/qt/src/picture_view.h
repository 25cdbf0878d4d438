#pragma once

#include <QImage>
#include <QWidget>

#include "ui/picture.h"

namespace qt {

// Shows a picture's persistent image one image pixel to one widget pixel. The image is read
// through the GDI layer into a display copy when the picture is refreshed or resized; the copy
// gets the opaque top byte that Qt wants, the picture's own bitmap is never touched. The
// picture's overlay is drawn over the display copy, and its legend becomes the tool tip.
class PictureView : public QWidget {
public:
    PictureView(ui::Picture& picture, QWidget* parent);
    ~PictureView() override;

    // What the view shows: the display copy with the overlay's marks.
    QImage shownImage() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    void sync();
    void readImage();

    ui::Picture& m_picture;
    QImage m_display;
};

}  // namespace qt
