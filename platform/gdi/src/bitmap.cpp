#include "bitmap.h"

#include <cstring>
#include <new>

namespace gdi {

namespace {

constexpr std::align_val_t pageAlignment{4096};

}  // namespace

void Bitmap::AlignedDelete::operator()(std::byte* pixels) const {
    ::operator delete[](pixels, pageAlignment);
}

Bitmap::Bitmap(BitmapKind kind, int width, int height, RowOrder order, const PixelFormat& format)
    : m_kind(kind),
      m_width(width),
      m_height(height),
      m_colours(format.colours.begin(), format.colours.end()),
      m_format(format) {
    m_format.colours = m_colours;
    const std::size_t bytes = byteSize();
    m_pixels.reset(static_cast<std::byte*>(::operator new[](bytes, pageAlignment)));
    std::memset(m_pixels.get(), 0, bytes);
    const auto rowBytes = std::ptrdiff_t(stride());
    m_view = {m_pixels.get(), rowBytes, m_width, m_height};
    if (order == RowOrder::BottomUp) {
        m_view.top = m_pixels.get() + std::ptrdiff_t(m_height - 1) * rowBytes;
        m_view.stride = -rowBytes;
    }
}

Bitmap Bitmap::makeStock() {
    return Bitmap(BitmapKind::Stock, 1, 1, RowOrder::TopDown, {});
}

std::optional<Bitmap> Bitmap::make(BitmapKind kind, int width, int height, RowOrder order,
                                   const PixelFormat& format) {
    if (width <= 0 || height <= 0) {
        return std::nullopt;
    }
    if (dibStride(std::uint64_t(width), format.bitCount) * std::uint64_t(height) > maxBytes) {
        return std::nullopt;
    }
    try {
        return Bitmap(kind, width, height, order, format);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::size_t Bitmap::stride() const {
    return std::size_t(dibStride(std::uint64_t(m_width), m_format.bitCount));
}

LONG Bitmap::widthBytes() const {
    // The stock bitmap's monochrome rows are padded to 16 bits, as BITMAP reports them.
    return m_kind == BitmapKind::Stock ? 2 : LONG(stride());
}

}  // namespace gdi
