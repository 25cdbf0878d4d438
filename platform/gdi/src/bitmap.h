#pragma once

#include "gdi/dib_format.h"
#include "pixel_format.h"
#include "surface_view.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace gdi {

enum class BitmapKind { Stock, DeviceCompatible, DibSection };

// The pixel layout a bitmap keeps: bits per pixel, the channel masks of 16- and 32-bit pixels and
// the colour table of palettized ones (always 2^bitCount entries, 0x00RRGGBB).
struct BitmapLayout {
    WORD bitCount = 32;
    ChannelMasks masks = xrgbMasks;
    std::vector<std::uint32_t> colours;
};

// A bitmap and the pixels it owns, in rows of the DIB stride. Device-compatible bitmaps are 32
// bpp; the 1x1 monochrome stock bitmap is modelled as one black 32-bit pixel that drawing never
// changes.
class Bitmap {
public:
    static constexpr std::size_t maxBytes = 0x7FFFFFFF;

    static Bitmap makeStock();
    // Returns nothing when the size is not positive, too large or cannot be allocated.
    static std::optional<Bitmap> make(BitmapKind kind, int width, int height, RowOrder order,
                                      BitmapLayout layout = {});

    BitmapKind kind() const { return m_kind; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    WORD bitsPerPixel() const { return m_kind == BitmapKind::Stock ? 1 : m_layout.bitCount; }
    // Worked out once: every drawing call asks for both.
    const PixelFormat& pixelFormat() const { return m_format; }
    bool isDrawable() const { return m_kind != BitmapKind::Stock; }
    std::byte* memory() const { return m_pixels.get(); }
    std::size_t stride() const;
    std::size_t byteSize() const { return stride() * std::size_t(m_height); }
    LONG widthBytes() const;
    const SurfaceView& view() const { return m_view; }

    HDC selectedInto = nullptr;
    bool deletionPending = false;

private:
    struct AlignedDelete {
        void operator()(std::byte* pixels) const;
    };

    Bitmap(BitmapKind kind, int width, int height, RowOrder order, BitmapLayout layout);

    BitmapKind m_kind;
    int m_width;
    int m_height;
    RowOrder m_order;
    BitmapLayout m_layout;
    std::unique_ptr<std::byte[], AlignedDelete> m_pixels;
    // Into m_layout's table and m_pixels, which stay where they are when the bitmap moves.
    PixelFormat m_format;
    SurfaceView m_view;
};

}  // namespace gdi
