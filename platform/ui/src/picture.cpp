#include "ui/picture.h"

#include "gdi/dib_format.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
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
    const int oldWidth = Width;
    const int oldHeight = Height;
    Width = widthPixels;
    Height = heightPixels;
    HBITMAP old = m_image;
    makeImage();
    copyFrom(old, oldWidth, oldHeight);
    DeleteObject(old);
    changed();
}

void Picture::setImage(std::optional<gdi::DibFormat> format, std::span<const std::byte> bits) {
    m_imageFormat = std::move(format);
    HBITMAP old = m_image;
    const std::span<std::byte> memory = makeImage();
    DeleteObject(old);
    if (!memory.empty() && bits.size() == memory.size()) {
        std::memcpy(memory.data(), bits.data(), bits.size());
    }
    changed();
}

void Picture::setBackColor(COLORREF colour) {
    m_backColor = colour;
    clearImage();
}

void Picture::Cls() {
    clearImage();
}

void Picture::setOverlay(Overlay overlay) {
    if (overlay == m_overlay) return;
    m_overlay = std::move(overlay);
    changed();
}

void Picture::Refresh() const {
    if (onRefresh) onRefresh();
}

std::span<std::byte> Picture::makeImage() {
    std::span<std::byte> memory;
    if (m_imageFormat) {
        gdi::DibFormat sized = *m_imageFormat;
        sized.width = Width;
        sized.height = Height;
        void* bits = nullptr;
        m_image = CreateDIBSection(m_dc, gdi::DibInfo(sized).get(), sized.colorUse, &bits,
                                   nullptr, 0);
        if (bits != nullptr) memory = {static_cast<std::byte*>(bits), sized.imageBytes()};
    } else {
        m_image = CreateBitmap(Width, Height, 1, 32, nullptr);
    }
    HGDIOBJ previous = SelectObject(m_dc, m_image);
    if (m_initialBitmap == nullptr) m_initialBitmap = previous;
    clearImage();
    return memory;
}

void Picture::copyFrom(HBITMAP old, int oldWidth, int oldHeight) {
    HDC source = CreateCompatibleDC(m_dc);
    HGDIOBJ previous = SelectObject(source, old);
    BitBlt(m_dc, 0, 0, std::min(oldWidth, Width), std::min(oldHeight, Height), source, 0, 0,
           SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void Picture::clearImage() {
    const RECT whole{0, 0, Width, Height};
    HBRUSH brush = CreateSolidBrush(m_backColor);
    FillRect(m_dc, &whole, brush);
    DeleteObject(brush);
}

std::vector<std::uint32_t> imagePixels(const Picture& picture) {
    if (picture.Width <= 0 || picture.Height <= 0) return {};
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(picture.Width) *
                                      static_cast<std::size_t>(picture.Height));
    gdi::DibInfo info(gdi::DibFormat::rgb32(picture.Width, picture.Height, gdi::RowOrder::TopDown));
    GetDIBits(picture.hDC(), picture.Image(), 0, static_cast<UINT>(picture.Height),
              std::as_writable_bytes(std::span(pixels)), info.get(), DIB_RGB_COLORS);
    return pixels;
}

}  // namespace ui
