#pragma once

#include "gdi/dib_section_dc.h"

#include <cstddef>
#include <cstdint>
#include <ostream>
#include <span>
#include <string>
#include <vector>

namespace gdi {

inline void PrintTo(RowOrder order, std::ostream* out) {
    *out << (order == RowOrder::TopDown ? "top-down" : "bottom-up");
}

}  // namespace gdi

namespace gditest {

using Rows = gdi::RowOrder;

inline constexpr std::uint32_t untouched = 0x11111111;

// The test picture's pixel in row r (0 = top) and column c. The top byte is set so that any
// path which drops or rewrites it shows.
constexpr std::uint32_t picturePixel(int row, int column) {
    return 0xC0A00000u + std::uint32_t(row) * 0x100u + std::uint32_t(column);
}

BITMAPINFO dibHeader(int width, int height, Rows rows);

// The picture of the given size in the buffer order of a DIB with that row order.
std::vector<std::uint32_t> pictureBuffer(int width, int height, Rows rows);

std::string hex(std::uint32_t value);
// Pixels as hexadecimal text, one line per row.
std::string hexRows(std::span<const std::uint32_t> pixels, int width);

// A DIB section selected into a memory DC, filled with `untouched`.
class Surface {
public:
    Surface(int width, int height, Rows rows);

    HDC dc() const { return m_section.dc(); }
    HBITMAP bitmap() const { return m_section.bitmap(); }
    // The pixels in screen order, top row first.
    std::vector<std::uint32_t> screen() const;
    std::string screenText() const { return hexRows(screen(), m_format.width); }

private:
    gdi::DibFormat m_format;
    gdi::DibSectionDC m_section;
};

// Bytes with guard zones on both sides, so a test can prove nothing was written outside.
class GuardedBuffer {
public:
    explicit GuardedBuffer(std::size_t size);
    std::span<std::byte> span() { return {m_storage.data() + guardSize, m_size}; }
    bool guardsIntact() const;

private:
    static constexpr std::size_t guardSize = 64;
    static constexpr std::byte guardByte{0xA5};
    std::size_t m_size;
    std::vector<std::byte> m_storage;
};

}  // namespace gditest
