#pragma once

#include "gdi/dib_format.h"
#include "pixel_format.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace gdi {

// What a BITMAPINFO says about a DIB, whichever header version carried it.
struct DibHeader {
    DWORD size = 0;
    LONG width = 0;
    // biHeight: negative for a top-down DIB; a core header's is never negative.
    LONG height = 0;
    WORD planes = 0;
    WORD bitCount = 0;
    DWORD compression = BI_RGB;
    DWORD sizeImage = 0;
    DWORD clrUsed = 0;
    // The three DWORDs at offset 40, read only with BI_BITFIELDS at 16 or 32 bits and planes.
    ChannelMasks masks;

    bool isCore() const { return size == sizeof(BITMAPCOREHEADER); }
    bool isRle() const { return compression == BI_RLE8 || compression == BI_RLE4; }
    RowOrder order() const { return height < 0 ? RowOrder::TopDown : RowOrder::BottomUp; }
    std::int64_t rows() const { return height < 0 ? -std::int64_t(height) : height; }
    std::size_t stride() const { return std::size_t(dibStride(std::uint64_t(width), bitCount)); }
    // Colour-table entries a palettized header gives: biClrUsed, 0 meaning all 2^bitCount.
    std::size_t tableEntries() const { return colourTableEntries(bitCount, clrUsed); }
    // Offset of the colour table from the start of the BITMAPINFO: right after the header.
    std::size_t tableOffset() const { return size; }
    // The pixel layout: BI_RGB 16 bits are 5-5-5 and 32 bits FF0000/FF00/FF.
    PixelFormat pixelFormat(std::span<const std::uint32_t> colours) const {
        if (bitCount <= 8) {
            return PixelFormat::palettized(bitCount, colours);
        }
        if (compression == BI_BITFIELDS) {
            return PixelFormat::direct(bitCount, masks);
        }
        return PixelFormat::direct(bitCount, bitCount == 16 ? rgb555Masks : xrgbMasks);
    }
};

// Reads a BITMAPCOREHEADER (biSize 12) or a BITMAPINFOHEADER or any larger header (biSize 40 or
// more). Nothing for a missing header, any other size, a width that is not positive, a zero
// height, or an uncompressed row or image whose size does not fit 32 bits.
std::optional<DibHeader> readDibHeader(const BITMAPINFO* bmi);

// The uncompressed bit counts and compressions: 1, 4, 8 and 24 bpp BI_RGB, 16 and 32 bpp BI_RGB or
// BI_BITFIELDS.
bool isUncompressed(const DibHeader& header);

// The bit counts and compressions SetDIBitsToDevice draws; planes are not checked for RLE.
bool isSourceFormat(const DibHeader& header);

// The formats CreateDIBSection makes: no RLE, and bit fields with three non-zero masks.
bool isSectionFormat(const DibHeader& header);

}  // namespace gdi
