#include "dib_header.h"

#include <algorithm>
#include <cstring>

namespace gdi {

namespace {

constexpr std::size_t masksOffset = 40;

DibHeader fromCoreHeader(const std::byte* start) {
    BITMAPCOREHEADER core;
    std::memcpy(&core, start, sizeof core);
    DibHeader header;
    header.size = core.bcSize;
    header.width = core.bcWidth;
    header.height = core.bcHeight;
    header.planes = core.bcPlanes;
    header.bitCount = core.bcBitCount;
    return header;
}

DibHeader fromInfoHeader(const std::byte* start) {
    BITMAPINFOHEADER info;
    std::memcpy(&info, start, sizeof info);
    DibHeader header{info.biSize,      info.biWidth,    info.biHeight,
                     info.biPlanes,    info.biBitCount, info.biCompression,
                     info.biSizeImage, info.biClrUsed,  {}};
    if (header.compression == BI_BITFIELDS) {
        DWORD masks[3];
        std::memcpy(masks, start + masksOffset, sizeof masks);
        header.masks = {masks[0], masks[1], masks[2]};
    }
    return header;
}

bool isUncompressed(const DibHeader& header) {
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

}  // namespace

std::size_t DibHeader::tableEntries() const {
    if (bitCount > 8) {
        return 0;
    }
    const std::size_t all = std::size_t(1) << bitCount;
    return clrUsed == 0 ? all : std::min<std::size_t>(clrUsed, all);
}

PixelFormat DibHeader::pixelFormat(std::span<const std::uint32_t> colors) const {
    if (bitCount <= 8) {
        return PixelFormat::palettized(bitCount, colors);
    }
    if (compression == BI_BITFIELDS) {
        return PixelFormat::direct(bitCount, masks);
    }
    return PixelFormat::direct(bitCount, bitCount == 16 ? rgb555Masks : xrgbMasks);
}

std::optional<DibHeader> readDibHeader(const BITMAPINFO* bmi) {
    if (!bmi) {
        return std::nullopt;
    }
    const auto* start = reinterpret_cast<const std::byte*>(bmi);
    DWORD size;
    std::memcpy(&size, start, sizeof size);
    if (size != sizeof(BITMAPCOREHEADER) && size < sizeof(BITMAPINFOHEADER)) {
        return std::nullopt;
    }
    const DibHeader header =
        size == sizeof(BITMAPCOREHEADER) ? fromCoreHeader(start) : fromInfoHeader(start);
    if (header.width <= 0 || header.height == 0) {
        return std::nullopt;
    }
    // A row, or the whole image, whose size does not fit 32 bits is refused.
    const std::uint64_t rowBits = std::uint64_t(header.width) * header.bitCount;
    if (rowBits > UINT32_MAX ||
        (rowBits + 31) / 32 * 4 * std::uint64_t(header.rows()) > UINT32_MAX) {
        return std::nullopt;
    }
    return header;
}

bool isSourceFormat(const DibHeader& header) {
    if (header.isRle()) {
        const WORD rleBits = header.compression == BI_RLE8 ? 8 : 4;
        return header.bitCount == rleBits && header.sizeImage != 0 &&
               header.order() == RowOrder::BottomUp;
    }
    return header.planes != 0 && isUncompressed(header);
}

bool isSectionFormat(const DibHeader& header) {
    const bool planesFit =
        header.planes == 1 ||
        (header.planes != 0 && std::uint32_t(header.planes) * header.bitCount <= 16);
    const bool masksSet = header.compression != BI_BITFIELDS ||
                          (header.masks.red && header.masks.green && header.masks.blue);
    return planesFit && isUncompressed(header) && masksSet;
}

}  // namespace gdi
