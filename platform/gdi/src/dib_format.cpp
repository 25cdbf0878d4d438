#include "gdi/dib_format.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace gdi {

namespace {

// Where Windows looks for the colour table: after the header, and after the three masks that
// follow a 40-byte header with BI_BITFIELDS.
std::size_t colourTableOffset(const DibFormat& format) {
    const bool masksFollowHeader =
        format.compression == BI_BITFIELDS && format.headerSize <= masksOffset;
    return format.headerSize + (masksFollowHeader ? sizeof(DWORD) * 3 : 0);
}

bool isCoreHeader(const DibFormat& format) {
    return format.headerSize == sizeof(BITMAPCOREHEADER);
}

std::size_t colourEntryBytes(const DibFormat& format) {
    if (format.colorUse == DIB_PAL_COLORS) {
        return sizeof(WORD);
    }
    return isCoreHeader(format) ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
}

void writeColourTable(const DibFormat& format, std::byte* table) {
    for (const DWORD colour : format.colours) {
        if (format.colorUse == DIB_PAL_COLORS) {
            const auto index = WORD(colour);
            std::memcpy(table, &index, sizeof index);
        } else if (isCoreHeader(format)) {
            const RGBTRIPLE entry{BYTE(colour), BYTE(colour >> 8), BYTE(colour >> 16)};
            std::memcpy(table, &entry, sizeof entry);
        } else {
            const RGBQUAD entry{BYTE(colour), BYTE(colour >> 8), BYTE(colour >> 16), 0};
            std::memcpy(table, &entry, sizeof entry);
        }
        table += colourEntryBytes(format);
    }
}

void writeCoreHeader(const DibFormat& format, std::byte* start) {
    const BITMAPCOREHEADER header{sizeof(BITMAPCOREHEADER), WORD(format.width), WORD(format.height),
                                  1, format.bitCount};
    std::memcpy(start, &header, sizeof header);
}

void writeInfoHeader(const DibFormat& format, BITMAPINFOHEADER& header) {
    header.biSize = format.headerSize;
    header.biWidth = format.width;
    header.biHeight = format.biHeight();
    header.biPlanes = 1;
    header.biBitCount = format.bitCount;
    header.biCompression = format.compression;
    header.biSizeImage = format.sizeImage;
    header.biClrUsed = format.clrUsed;
}

}  // namespace

DibFormat DibFormat::rgb32(LONG width, LONG height, RowOrder order) {
    DibFormat format;
    format.width = width;
    format.height = height;
    format.order = order;
    return format;
}

std::size_t DibFormat::imageBytes() const {
    return stride() * std::size_t(std::max<LONG>(height, 0));
}

DibInfo::DibInfo(const DibFormat& format) {
    const std::size_t tableOffset = colourTableOffset(format);
    const std::size_t entries = std::max(format.colours.size(), format.tableEntries());
    const std::size_t bytes =
        std::max(sizeof(BITMAPINFO), tableOffset + entries * colourEntryBytes(format));
    const std::size_t words = (bytes + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t);
    m_storage = std::make_unique<std::uint32_t[]>(words);
    auto* bytesStart = reinterpret_cast<std::byte*>(m_storage.get());
    BITMAPINFO* info = new (bytesStart) BITMAPINFO{};
    if (isCoreHeader(format)) {
        writeCoreHeader(format, bytesStart);
    } else {
        writeInfoHeader(format, info->bmiHeader);
    }
    if (format.compression == BI_BITFIELDS) {
        const DWORD masks[] = {format.masks.red, format.masks.green, format.masks.blue};
        std::memcpy(bytesStart + masksOffset, masks, sizeof masks);
    }
    writeColourTable(format, bytesStart + tableOffset);
}

BITMAPINFO* DibInfo::get() {
    return std::launder(reinterpret_cast<BITMAPINFO*>(m_storage.get()));
}

const BITMAPINFO* DibInfo::get() const {
    return std::launder(reinterpret_cast<const BITMAPINFO*>(m_storage.get()));
}

}  // namespace gdi
