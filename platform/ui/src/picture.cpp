#include "ui/picture.h"

#include <utility>

namespace ui {

Picture::Picture(std::string name, int widthPixels, int heightPixels)
    : Control(ControlKind::Picture, std::move(name)) {
    Width = widthPixels;
    Height = heightPixels;
    m_dc = CreateCompatibleDC(nullptr);
    makeImage();
}

Picture::~Picture() {
    SelectObject(m_dc, m_initialBitmap);
    DeleteObject(m_image);
    DeleteDC(m_dc);
}

void Picture::setSize(int widthPixels, int heightPixels) {
    if (widthPixels == Width && heightPixels == Height) return;
    Width = widthPixels;
    Height = heightPixels;
    HBITMAP old = m_image;
    makeImage();
    DeleteObject(old);
    changed();
}

void Picture::setBackColor(COLORREF color) {
    m_backColor = color;
    clearImage();
}

void Picture::Cls() { clearImage(); }

void Picture::Refresh() const {
    if (onRefresh) onRefresh();
}

void Picture::makeImage() {
    m_image = CreateBitmap(Width, Height, 1, 32, nullptr);
    HGDIOBJ previous = SelectObject(m_dc, m_image);
    if (m_initialBitmap == nullptr) m_initialBitmap = previous;
    clearImage();
}

void Picture::clearImage() {
    const RECT whole{0, 0, Width, Height};
    HBRUSH brush = CreateSolidBrush(m_backColor);
    FillRect(m_dc, &whole, brush);
    DeleteObject(brush);
}

}  // namespace ui
