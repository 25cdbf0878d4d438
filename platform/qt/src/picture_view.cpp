#include "picture_view.h"

#include <QPainter>
#include <span>
#include <utility>

#include "control_views.h"
#include "gdi/dib_format.h"
#include "overlay_painter.h"

namespace qt {

PictureView::PictureView(ui::Picture& picture, QWidget* parent)
    : QWidget(parent), m_picture(picture) {
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_OpaquePaintEvent);
    m_picture.onChanged = [this] { sync(); };
    m_picture.onRefresh = [this] {
        readImage();
        update();
    };
    sync();
}

PictureView::~PictureView() {
    m_picture.onChanged = nullptr;
    m_picture.onRefresh = nullptr;
}

void PictureView::sync() {
    applyPlacement(m_picture, *this);
    const ui::Overlay& overlay = m_picture.overlay();
    if (!overlay.marks.empty()) setToolTip(QString::fromStdString(overlay.legend));
    readImage();
    update();
}

QImage PictureView::shownImage() const {
    QImage shown = m_display.copy();
    QPainter painter(&shown);
    paintOverlay(painter, m_picture.overlay());
    return shown;
}

void PictureView::readImage() {
    const int width = m_picture.Width;
    const int height = m_picture.Height;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    // Top-down, the row order of a QImage.
    gdi::DibInfo info(gdi::DibFormat::rgb32(width, height, gdi::RowOrder::TopDown));
    const auto bits = std::as_writable_bytes(
        std::span(image.bits(), static_cast<std::size_t>(image.sizeInBytes())));
    GetDIBits(m_picture.hDC(), m_picture.Image(), 0, static_cast<UINT>(height), bits, info.get(),
              DIB_RGB_COLORS);
    for (int y = 0; y < height; ++y) {
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) row[x] |= 0xFF000000u;
    }
    m_display = std::move(image);
}

void PictureView::focusInEvent(QFocusEvent* event) {
    QWidget::focusInEvent(event);
    showFocusFrame();
}

void PictureView::focusOutEvent(QFocusEvent* event) {
    QWidget::focusOutEvent(event);
    showFocusFrame();
}

void PictureView::showFocusFrame() const {
    if (parentWidget() != nullptr) parentWidget()->update(focusFrame().adjusted(-1, -1, 1, 1));
}

void PictureView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    painter.drawImage(QPoint(0, 0), m_display);
    paintOverlay(painter, m_picture.overlay());
}

}  // namespace qt
