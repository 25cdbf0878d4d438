#include "dib_header.h"

#include <algorithm>
#include <cstddef>
#include <cstring>

namespace gdi {

namespace {

// Fields are read one by one from where the header puts them: copying a whole header into a
// structure first costs more than the rest of a small call.
template <class Field>
Field fieldAt(const std::byte* start, std::size_t offset) {
    Field value;
    std::memcpy(&value, start + offset, sizeof value);
    return value;
}

DibHeader fromCoreHeader(const std::byte* start) {
    DibHeader header;
    header.size = sizeof(BITMAPCOREHEADER);
    header.width = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcWidth));
    header.height = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcHeight));
    header.planes = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcPlanes));
    header.bitCount = fieldAt<WORD>(start, offsetof(BITMAPCOREHEADER, bcBitCount));
    return header;
}

DibHeader fromInfoHeader(const std::byte* start, DWORD size) {
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
bool hasMasks(const DibHeader& header) {
    return header.compression == BI_BITFIELDS && (header.bitCount == 16 || header.bitCount == 32) &&
           header.planes != 0;
}

ChannelMasks masksAt(const std::byte* start) {
    return {fieldAt<DWORD>(start, masksOffset), fieldAt<DWORD>(start, masksOffset + sizeof(DWORD)),
            fieldAt<DWORD>(start, masksOffset + 2 * sizeof(DWORD))};
}

}  // namespace

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

std::optional<DibHeader> readDibHeader(const BITMAPINFO* bmi) {
    if (!bmi) {
        return std::nullopt;
    }
    const auto* start = reinterpret_cast<const std::byte*>(bmi);
    const auto size = fieldAt<DWORD>(start, 0);
    if (size != sizeof(BITMAPCOREHEADER) && size < sizeof(BITMAPINFOHEADER)) {
        return std::nullopt;
    }
    DibHeader header =
        size == sizeof(BITMAPCOREHEADER) ? fromCoreHeader(start) : fromInfoHeader(start, size);
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
    if (hasMasks(header)) {
        header.masks = masksAt(start);
    }
    return header;
}

bool isSourceFormat(const DibHeader& header) {
    if (header.isRle()) {
        const WORD rleBits = header.compression == BI_RLE8 ? 8 : 4;
        return header.bitCount == rleBits && header.sizeImage != 0;
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
