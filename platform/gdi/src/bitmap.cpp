#include "bitmap.h"

#include <cstring>
#include <new>

namespace gdi {

namespace {

constexpr std::align_val_t pageAlignment{4096};

}

void Bitmap::AlignedDelete::operator()(std::uint32_t* pixels) const {
    ::operator delete[](pixels, pageAlignment);
}

Bitmap::Bitmap(BitmapKind kind, int width, int height, RowOrder order)
    : m_kind(kind), m_width(width), m_height(height), m_order(order) {
    const std::size_t bytes = byteSize();
    m_pixels.reset(static_cast<std::uint32_t*>(::operator new[](bytes, pageAlignment)));
    std::memset(m_pixels.get(), 0, bytes);
}

Bitmap Bitmap::makeStock() {
    return Bitmap(BitmapKind::Stock, 1, 1, RowOrder::TopDown);
}

std::optional<Bitmap> Bitmap::make(BitmapKind kind, int width, int height, RowOrder order) {
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    const std::uint64_t bytes = std::uint64_t(width) * std::uint64_t(height) * 4;
    if (bytes > maxBytes) {
        return std::nullopt;
    }
    try {
        return Bitmap(kind, width, height, order);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::size_t Bitmap::byteSize() const {
    return std::size_t(m_width) * std::size_t(m_height) * 4;
}

LONG Bitmap::widthBytes() const {
    // The stock bitmap's monochrome rows are padded to 16 bits, as BITMAP reports them.
    return m_kind == BitmapKind::Stock ? 2 : m_width * 4;
}

PixelView Bitmap::view() const {
    PixelView view{m_pixels.get(), m_width, m_width, m_height};
    if (m_order == RowOrder::BottomUp) {
        view.top = m_pixels.get() + std::ptrdiff_t(m_height - 1) * m_width;
        view.stride = -std::ptrdiff_t(m_width);
    }
    return view;
}

}  // namespace gdi
