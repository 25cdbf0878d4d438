#include "gdi_test_support.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace gditest {

BITMAPINFO dibHeader(int width, int height, Rows rows) {
    return *gdi::DibInfo(gdi::DibFormat::rgb32(width, height, rows)).get();
}

std::vector<std::uint32_t> pictureBuffer(int width, int height, Rows rows) {
    std::vector<std::uint32_t> buffer;
    for (int bufferRow = 0; bufferRow < height; ++bufferRow) {
        const auto pictureRow =
            int(gdi::bufferRowOf(std::size_t(bufferRow), std::size_t(height), rows));
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
    : m_format(gdi::DibFormat::rgb32(width, height, rows)), m_section(m_format) {
    const std::span<std::byte> bits = m_section.bits();
    for (std::size_t offset = 0; offset < bits.size(); offset += sizeof untouched) {
        std::memcpy(bits.data() + offset, &untouched, sizeof untouched);
    }
}

std::vector<std::uint32_t> Surface::screen() const {
    const auto width = std::size_t(m_format.width);
    const auto height = std::size_t(m_format.height);
    std::vector<std::uint32_t> pixels(width * height);
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t bufferRow = gdi::bufferRowOf(y, height, m_format.order);
        std::memcpy(pixels.data() + y * width,
                    m_section.bits().data() + bufferRow * m_format.stride(), m_format.stride());
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
