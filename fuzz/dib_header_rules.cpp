#include "dib_header_rules.h"

#include <algorithm>

namespace fuzzcheck {

namespace {

constexpr std::uint32_t coreSize = 12;
constexpr std::uint32_t infoSize = 40;
constexpr std::uint32_t masksEnd = infoSize + 12;
constexpr std::uint64_t sizeLimit = 0xFFFFFFFF;

std::uint32_t little(std::span<const std::byte> bytes, std::size_t offset, std::size_t count) {
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i) {
        value |= std::uint32_t(bytes[offset + i]) << (8 * i);
    }
    return value;
}

// The header's shape: what every call checks before it reads masks or a colour table.
bool shapeAccepted(const HeaderFields& header, UINT colorUse, DibRole role) {
    if (colorUse > 2 || header.width <= 0 || header.height == 0) {
        return false;
    }
    if (header.rle() && role == DibRole::DrawnSource) {
        const std::uint32_t bits = header.compression == BI_RLE8 ? 8 : 4;
        return header.height > 0 && header.sizeImage != 0 && header.bitCount == bits;
    }
    return header.planes != 0 && uncompressedFormat(header) && !sizeOverflows(header);
}

bool sectionAccepted(const HeaderFields& header, UINT usage) {
    if (!shapeAccepted(header, usage, DibRole::Section) || usage > DIB_PAL_COLORS) {
        return false;
    }
    if (header.planes != 1 && header.planes * header.bitCount > 16) {
        return false;
    }
    return header.compression != BI_BITFIELDS || usage != DIB_PAL_COLORS;
}

std::uint32_t tableEntries(const HeaderFields& header) {
    const std::uint32_t bits =
        header.rle() ? (header.compression == BI_RLE8 ? 8 : 4) : header.bitCount;
    if (header.compression == BI_BITFIELDS || bits > 8) {
        return 0;
    }
    const std::uint32_t all = 1u << bits;
    return header.clrUsed == 0 ? all : std::min(header.clrUsed, all);
}

std::size_t entryBytes(const HeaderFields& header, UINT colorUse) {
    if (colorUse == DIB_PAL_COLORS) {
        return 2;
    }
    return header.core() ? 3 : 4;
}

std::size_t headerBytes(const HeaderFields& header) {
    return header.compression == BI_BITFIELDS ? std::max(header.size, masksEnd) : header.size;
}

// All 2^bitCount colours of a palettized format: the entries given, then black.
std::vector<Rgb> colourTable(std::span<const std::byte> info, const HeaderFields& header,
                            int bitCount, UINT colorUse) {
    std::vector<Rgb> table(std::size_t(1) << bitCount, 0);
    const std::size_t width = entryBytes(header, colorUse);
    for (std::size_t i = 0; i < tableEntries(header); ++i) {
        const std::size_t at = header.size + i * width;
        table[i] = colorUse == DIB_PAL_COLORS ? defaultPaletteEntry(little(info, at, 2))
                                              : little(info, at, 3);
    }
    return table;
}

PixelFormat formatOf(std::span<const std::byte> info, const HeaderFields& header, UINT colorUse) {
    PixelFormat format;
    format.bitCount = header.rle() ? (header.compression == BI_RLE8 ? 8 : 4) : int(header.bitCount);
    if (format.palettized()) {
        format.table = colourTable(info, header, format.bitCount, colorUse);
    } else if (header.compression == BI_BITFIELDS) {
        for (std::size_t c = 0; c < 3; ++c) {
            format.masks[c] = little(info, infoSize + 4 * c, 4);
        }
    } else {
        format.masks = defaultMasks(format.bitCount);
    }
    return format;
}

}  // namespace

bool sizeOverflows(const HeaderFields& header) {
    const std::uint64_t rows = std::uint64_t(header.height < 0 ? -header.height : header.height);
    return std::uint64_t(header.width) * header.bitCount > sizeLimit ||
           strideOf(std::uint64_t(header.width), int(header.bitCount)) * rows > sizeLimit;
}

bool uncompressedFormat(const HeaderFields& header) {
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

std::optional<HeaderFields> readHeader(std::span<const std::byte> info) {
    HeaderFields header;
    header.size = little(info, 0, 4);
    if (header.size == coreSize) {
        header.width = little(info, 4, 2);
        header.height = little(info, 6, 2);
        header.planes = little(info, 8, 2);
        header.bitCount = little(info, 10, 2);
        return header;
    }
    if (header.size < infoSize) {
        return std::nullopt;
    }
    header.width = std::int32_t(little(info, 4, 4));
    header.height = std::int32_t(little(info, 8, 4));
    header.planes = little(info, 12, 2);
    header.bitCount = little(info, 14, 2);
    header.compression = little(info, 16, 4);
    header.sizeImage = little(info, 20, 4);
    header.clrUsed = little(info, 32, 4);
    return header;
}

bool headerAccepted(const HeaderFields& header, UINT colorUse, DibRole role) {
    return role == DibRole::DrawnSource ? shapeAccepted(header, colorUse, role)
                                        : sectionAccepted(header, colorUse);
}

std::size_t infoBytesRead(std::span<const std::byte> info, UINT colorUse, DibRole role) {
    const std::optional<HeaderFields> header = readHeader(info);
    if (!header) {
        return std::max<std::size_t>(4, little(info, 0, 4));
    }
    if (!shapeAccepted(*header, colorUse, role)) {
        return header->size;
    }
    return headerBytes(*header) + tableEntries(*header) * entryBytes(*header, colorUse);
}

std::optional<SourceDib> readSourceDib(std::span<const std::byte> info, UINT colorUse) {
    const std::optional<HeaderFields> header = readHeader(info);
    if (!header || !headerAccepted(*header, colorUse, DibRole::DrawnSource)) {
        return std::nullopt;
    }
    return SourceDib{*header, formatOf(info, *header, colorUse)};
}

std::optional<PixelFormat> readSectionFormat(std::span<const std::byte> info, UINT usage,
                                             bool withDC) {
    const std::optional<HeaderFields> header = readHeader(info);
    if (!header || !headerAccepted(*header, usage, DibRole::Section)) {
        return std::nullopt;
    }
    const PixelFormat format = formatOf(info, *header, usage);
    const bool zeroMask = header->compression == BI_BITFIELDS &&
                          std::ranges::find(format.masks, 0u) != format.masks.end();
    const bool needsPalette = usage == DIB_PAL_COLORS && format.palettized();
    if (zeroMask || (needsPalette && !withDC)) {
        return std::nullopt;
    }
    return format;
}

}  // namespace fuzzcheck
