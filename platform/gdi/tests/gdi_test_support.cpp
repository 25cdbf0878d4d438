#include "gdi_test_support.h"

#include <algorithm>
#include <cstdio>

namespace gditest {

BITMAPINFO dibHeader(int width, int height, Rows rows) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = rows == Rows::TopDown ? -height : height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::vector<std::uint32_t> pictureBuffer(int width, int height, Rows rows) {
    std::vector<std::uint32_t> buffer;
    for (int bufferRow = 0; bufferRow < height; ++bufferRow) {
        const int pictureRow = rows == Rows::TopDown ? bufferRow : height - 1 - bufferRow;
        for (int column = 0; column < width; ++column) {
            buffer.push_back(picturePixel(pictureRow, column));
        }
    }
    return buffer;
}

std::string hex(std::uint32_t value) {
    char text[9];
    std::snprintf(text, sizeof text, "%08x", value);
    return text;
}

std::string hexRows(std::span<const std::uint32_t> pixels, int width) {
    std::string text;
    for (std::size_t i = 0; i < pixels.size(); ++i) {
        text += hex(pixels[i]);
        text += (i + 1) % std::size_t(width) == 0 ? '\n' : ' ';
    }
    return text;
}

Surface::Surface(int width, int height, Rows rows)
    : m_width(width), m_height(height), m_rows(rows) {
    const BITMAPINFO info = dibHeader(width, height, rows);
    void* bits = nullptr;
    m_dc = CreateCompatibleDC(nullptr);
    m_bitmap = CreateDIBSection(m_dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_bits = static_cast<std::uint32_t*>(bits);
    std::fill_n(m_bits, std::size_t(width) * std::size_t(height), untouched);
    m_previous = SelectObject(m_dc, m_bitmap);
}

Surface::~Surface() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

std::vector<std::uint32_t> Surface::screen() const {
    std::vector<std::uint32_t> pixels;
    for (int y = 0; y < m_height; ++y) {
        const int bufferRow = m_rows == Rows::TopDown ? y : m_height - 1 - y;
        const std::uint32_t* row = m_bits + std::size_t(bufferRow) * std::size_t(m_width);
        pixels.insert(pixels.end(), row, row + m_width);
    }
    return pixels;
}

GuardedBuffer::GuardedBuffer(std::size_t size)
    : m_size(size), m_storage(size + 2 * guardSize, guardByte) {}

bool GuardedBuffer::guardsIntact() const {
    const auto isGuard = [](std::byte value) { return value == guardByte; };
    return std::all_of(m_storage.begin(), m_storage.begin() + guardSize, isGuard) &&
           std::all_of(m_storage.end() - guardSize, m_storage.end(), isGuard);
}

}  // namespace gditest
