#pragma once

#include "gdi/dib_format.h"
#include "pixel_view.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace gdi {

enum class BitmapKind { Stock, DeviceCompatible, DibSection };

// A bitmap and the pixels it owns. 32-bpp bitmaps keep their pixels as 0xXXRRGGBB values; the
// 1x1 monochrome stock bitmap is modelled as one black pixel that drawing never changes.
class Bitmap {
public:
    static constexpr std::size_t maxBytes = 0x7FFFFFFF;

    static Bitmap makeStock();
    // Returns nothing when the size is not positive, too large or cannot be allocated.
    static std::optional<Bitmap> make(BitmapKind kind, int width, int height, RowOrder order);

    BitmapKind kind() const { return m_kind; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    WORD bitsPerPixel() const { return m_kind == BitmapKind::Stock ? 1 : 32; }
    bool isDrawable() const { return m_kind != BitmapKind::Stock; }
    std::uint32_t* memory() const { return m_pixels.get(); }
    std::size_t byteSize() const;
    LONG widthBytes() const;
    PixelView view() const;

    HDC selectedInto = nullptr;
    bool deletionPending = false;

private:
    struct AlignedDelete {
        void operator()(std::uint32_t* pixels) const;
    };

    Bitmap(BitmapKind kind, int width, int height, RowOrder order);

    BitmapKind m_kind;
    int m_width;
    int m_height;
    RowOrder m_order;
    std::unique_ptr<std::uint32_t[], AlignedDelete> m_pixels;
};

}  // namespace gdi
