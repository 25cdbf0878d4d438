#pragma once

#include "gdi/dib_format.h"
#include "pixel_format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
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

namespace detail {

// Fields are read one by one from where the header puts them: copying a whole header into a
// structure first costs more than the rest of a small call.
template <class Field>
inline Field fieldAt(const std::byte* start, std::size_t offset) {
    Field value;
    std::memcpy(&value, start + offset, sizeof value);
    return value;
}

inline DibHeader fromCoreHeader(const std::byte* start) {
    DibHeader header;
    header.size = sizeof(BITMAPCOREHEADER);
    header.width = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcWidth));
    header.height = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcHeight));
    header.planes = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcPlanes));
    header.bitCount = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcBitCount));
    return header;
}

inline DibHeader fromInfoHeader(const std::byte* start, DWORD size) {
    DibHeader header;
    header.size = size;
    header.width = fieldAt<LONG>(start, offsetof(BITMAPINFOHEADER, biWidth));
    header.height = fieldAt<LONG>(start, offsetof(BITMAPINFOHEADER, biHeight));
    header.planes = fieldAt<WORD>(start, offsetof(BITMAPINFOHEADER, biPlanes));
    header.bitCount = fieldAt<WORD>(start, offsetof(BITMAPINFOHEADER, biBitCount));
    header.compression = fieldAt<DWORD>(start, offsetof(BITMAPINFOHEADER, biCompression));
    header.sizeImage = fieldAt<DWORD>(start, offsetof(BITMAPINFOHEADER, biSizeImage));
    header.clrUsed = fieldAt<DWORD>(start, offsetof(BITMAPINFOHEADER, biClrUsed));
    return header;
}

// The masks are only there for a header that takes them, so they are read last: a caller may
// hand a header refused for its other fields in a block that ends with it.
inline bool hasMasks(const DibHeader& header) {
    return header.compression == BI_BITFIELDS && (header.bitCount == 16 || header.bitCount == 32) &&
           header.planes != 0;
}

inline ChannelMasks masksAt(const std::byte* start) {
    return {fieldAt<DWORD>(start, masksOffset), fieldAt<DWORD>(start, masksOffset + sizeof(DWORD)),
            fieldAt<DWORD>(start, masksOffset + 2 * sizeof(DWORD))};
}

}  // namespace detail

// Reads a BITMAPCOREHEADER (biSize 12) or a BITMAPINFOHEADER or any larger header (biSize 40 or
// more). Nothing for a missing header, any other size, a width that is not positive, a zero
// height, or an uncompressed row or image whose size does not fit 32 bits.
inline std::optional<DibHeader> readDibHeader(const BITMAPINFO* bmi) {
    if (!bmi) {
        return std::nullopt;
    }
    const auto* start = reinterpret_cast<const std::byte*>(bmi);
    const auto size = detail::fieldAt<DWORD>(start, 0);
    if (size != sizeof(BITMAPCOREHEADER) && size < sizeof(BITMAPINFOHEADER)) {
        return std::nullopt;
    }
    DibHeader header = size == sizeof(BITMAPCOREHEADER) ? detail::fromCoreHeader(start)
                                                        : detail::fromInfoHeader(start, size);
    if (header.width <= 0 || header.height == 0) {
        return std::nullopt;
    }
    // A row, or the whole image, whose size does not fit 32 bits is refused; an RLE image has no
    // rows of a fixed size.
    if (header.isRle()) {
        return header;
    }
    if (std::uint64_t(header.width) * header.bitCount > UINT32_MAX ||
        dibStride(std::uint64_t(header.width), header.bitCount) * std::uint64_t(header.rows()) >
            UINT32_MAX) {
        return std::nullopt;
    }
    if (detail::hasMasks(header)) {
        header.masks = detail::masksAt(start);
    }
    return header;
}

// The uncompressed bit counts and compressions: 1, 4, 8 and 24 bpp BI_RGB, 16 and 32 bpp BI_RGB or
// BI_BITFIELDS.
inline bool isUncompressed(const DibHeader& header) {
    switch (header.bitCount) {
        case 1:
        case 4:
        case 8:
        case 24:
            return header.compression == BI_RGB;
        case 16:
        case 32:
            return header.compression == BI_RGB || header.compression == BI_BITFIELDS;
        default:
            return false;
    }
}

// The bit counts and compressions SetDIBitsToDevice draws; planes are not checked for RLE.
inline bool isSourceFormat(const DibHeader& header) {
    if (header.isRle()) {
        const WORD rleBits = header.compression == BI_RLE8 ? 8 : 4;
        return header.bitCount == rleBits && header.sizeImage != 0;
    }
    return header.planes != 0 && isUncompressed(header);
}

// The formats CreateDIBSection makes: no RLE, and bit fields with three non-zero masks.
bool isSectionFormat(const DibHeader& header);

}  // namespace gdi
