#pragma once

// Which BITMAPINFO headers SetDIBitsToDevice and CreateDIBSection take, how many bytes of the
// BITMAPINFO they read, and the source or section format they describe, restated plainly from
// the rules and read straight from the header's bytes.

#include "gdi/gdi.h"
#include "pixel_rules.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace fuzzcheck {

// The fields of a BITMAPINFOHEADER (or of a larger header), or of a 12-byte BITMAPCOREHEADER.
struct HeaderFields {
    std::uint32_t size = 0;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::uint32_t planes = 0;
    std::uint32_t bitCount = 0;
    std::uint32_t compression = BI_RGB;
    std::uint32_t sizeImage = 0;
    std::uint32_t clrUsed = 0;

    bool core() const { return size == 12; }
    bool rle() const { return compression == BI_RLE8 || compression == BI_RLE4; }
};

// The header's fields when its size is one GDI reads (12, or 40 and more), read from its bytes.
std::optional<HeaderFields> readHeader(std::span<const std::byte> info);

// Whether a row, or the whole image, has a size that does not fit 32 bits.
bool sizeOverflows(const HeaderFields& header);
// The uncompressed bit counts and compressions: 1, 4, 8 and 24 bpp BI_RGB, 16 and 32 bpp BI_RGB
// or BI_BITFIELDS.
bool uncompressedFormat(const HeaderFields& header);

enum class DibRole { DrawnSource, Section };

// Whether the header's fields describe a format the call takes (masks are not looked at).
bool headerAccepted(const HeaderFields& header, UINT colorUse, DibRole role);

// The bytes the call reads from the BITMAPINFO: the header alone when its shape (size, extent,
// planes, bit count and compression, ColorUse up to 2) is refused, else also the masks and the
// colour table the header implies, as Windows reads them before any further check. `info` needs
// only the header's first bytes.
std::size_t infoBytesRead(std::span<const std::byte> info, UINT colorUse, DibRole role);

struct SourceDib {
    HeaderFields header;
    // An RLE source decodes into indices of its bit count.
    PixelFormat format;
};

// The source a SetDIBitsToDevice call reads, or nothing when it refuses the header. ColorUse 2
// (DIB_PAL_COLORS + 1) reads an RGBQUAD table as DIB_RGB_COLORS does, as Wine's gdi32 does.
std::optional<SourceDib> readSourceDib(std::span<const std::byte> info, UINT colorUse);

// The format of the DIB section CreateDIBSection makes, or nothing when it refuses to.
// DIB_PAL_COLORS tables need a device context, whose palette is the default one.
std::optional<PixelFormat> readSectionFormat(std::span<const std::byte> info, UINT usage,
                                             bool withDC);

}  // namespace fuzzcheck
