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

// A bitmap and the pixels it owns, in rows of the DIB stride. Device-compatible bitmaps are 32
// bpp; the 1x1 monochrome stock bitmap is modelled as one black 32-bit pixel that drawing never
// changes.
class Bitmap {
public:
    static constexpr std::size_t maxBytes = 0x7FFFFFFF;

    static Bitmap makeStock();
    // Returns nothing when the size is not positive, too large or cannot be allocated. The bitmap
    // keeps its own copy of a palettized format's colour table, which has 2^bitCount entries.
    static std::optional<Bitmap> make(BitmapKind kind, int width, int height, RowOrder order,
                                      const PixelFormat& format = {});

    BitmapKind kind() const { return m_kind; }
    int width() const { return m_width; }
    int height() const { return m_height; }
    WORD bitsPerPixel() const { return m_kind == BitmapKind::Stock ? 1 : m_format.bitCount; }
    // Worked out once: every drawing call asks for both.
    const PixelFormat& pixelFormat() const { return m_format; }
    bool isDrawable() const { return m_kind != BitmapKind::Stock; }
    std::byte* memory() const { return m_pixels.get(); }
    std::size_t stride() const;
    std::size_t byteSize() const { return stride() * std::size_t(m_height); }
    LONG widthBytes() const;
    const SurfaceView& view() const { return m_view; }

private:
    struct AlignedDelete {
        void operator()(std::byte* pixels) const;
    };

    Bitmap(BitmapKind kind, int width, int height, RowOrder order, const PixelFormat& format);

    BitmapKind m_kind;
    int m_width;
    int m_height;
    std::vector<std::uint32_t> m_colours;
    std::unique_ptr<std::byte[], AlignedDelete> m_pixels;
    // Into m_colours and m_pixels, which stay where they are when the bitmap moves.
    PixelFormat m_format;
    SurfaceView m_view;
};

}  // namespace gdi
