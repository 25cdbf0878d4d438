#pragma once

// One description of a device-independent bitmap's layout and colours, for every caller that
// hands a DIB to GDI or reads one back. It is written with the Windows names, so the Windows
// build describes its DIBs the same way.

#include "gdi/gdi.h"
#include "geometry/row_order.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace gdi {

using geometry::bufferRowOf;
using geometry::RowOrder;

// Bytes from one row of a DIB to the next: the row's bits rounded up to whole DWORDs. Wide enough
// that no width and bit count a header can hold overflow it.
constexpr std::uint64_t dibStride(std::uint64_t width, std::uint64_t bitCount) {
    return (width * bitCount + 31) / 32 * 4;
}

// The colour-table entries a reader of a header takes: biClrUsed (0 meaning 2^bitCount, never
// more) for 1, 4 and 8 bits per pixel, none for more. A core header has no biClrUsed: its table
// is always whole.
constexpr std::size_t colourTableEntries(WORD bitCount, DWORD clrUsed) {
    if (bitCount > 8) {
        return 0;
    }
    const std::size_t all = std::size_t(1) << bitCount;
    return clrUsed == 0 || clrUsed > all ? all : clrUsed;
}

// Where a BITMAPINFO holds the three BI_BITFIELDS masks: right after a 40-byte header, and at the
// same place inside a V4 or V5 header.
inline constexpr std::size_t masksOffset = 40;

// The three channel masks of a BI_BITFIELDS DIB.
struct ChannelMasks {
    DWORD red = 0;
    DWORD green = 0;
    DWORD blue = 0;

    bool operator==(const ChannelMasks&) const = default;
};

struct DibFormat {
    LONG width = 0;
    // The number of rows, always positive; `order` gives biHeight its sign.
    LONG height = 0;
    RowOrder order = RowOrder::BottomUp;
    WORD bitCount = 32;
    DWORD compression = BI_RGB;
    // Written after a 40-byte header, or into a larger header, when compression is BI_BITFIELDS.
    ChannelMasks masks;
    // The colour table: 0x00RRGGBB values with DIB_RGB_COLORS, palette indices with
    // DIB_PAL_COLORS. Written as given, whatever biClrUsed says.
    std::vector<DWORD> colours;
    UINT colorUse = DIB_RGB_COLORS;
    // biSize: 40 (BITMAPINFOHEADER), 108 (V4), 124 (V5), any other size from 40, or 12
    // (BITMAPCOREHEADER: 16-bit sizes, always bottom-up, an RGBTRIPLE colour table).
    DWORD headerSize = 40;
    DWORD clrUsed = 0;
    DWORD sizeImage = 0;

    // An uncompressed 32-bpp BI_RGB DIB, the format of the bench's pictures.
    static DibFormat rgb32(LONG width, LONG height, RowOrder order);

    LONG biHeight() const { return order == RowOrder::TopDown ? -height : height; }
    std::size_t stride() const {
        return std::size_t(dibStride(std::uint64_t(width > 0 ? width : 0), bitCount));
    }
    // Bytes of an uncompressed image of this format.
    std::size_t imageBytes() const;
    std::size_t tableEntries() const {
        return colourTableEntries(bitCount, headerSize == sizeof(BITMAPCOREHEADER) ? 0 : clrUsed);
    }

    bool operator==(const DibFormat&) const = default;
};

// The header bytes a format describes: the BITMAPINFOHEADER (or its V4/V5 extension, or the core
// header), then the masks and the colour table where Windows looks for them. The storage always
// covers a whole BITMAPINFO and every table entry the header makes a reader take (entries beyond
// the given colours are zero), so callers may hand it to any function that takes one.
class DibInfo {
public:
    explicit DibInfo(const DibFormat& format);

    BITMAPINFO* get();
    const BITMAPINFO* get() const;

private:
    std::unique_ptr<std::uint32_t[]> m_storage;
};

}  // namespace gdi
