#include "gdi/dib_format.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace gdi {

namespace {

constexpr std::size_t masksOffset = 40;

// Where Windows looks for the colour table: after the header, and after the three masks that
// follow a 40-byte header with BI_BITFIELDS.
std::size_t colorTableOffset(const DibFormat& format) {
    const bool masksFollowHeader =
        format.compression == BI_BITFIELDS && format.headerSize <= masksOffset;
    return format.headerSize + (masksFollowHeader ? sizeof(DWORD) * 3 : 0);
}

std::size_t colorEntryBytes(const DibFormat& format) {
    return format.colorUse == DIB_PAL_COLORS ? sizeof(WORD) : sizeof(RGBQUAD);
}

void writeColorTable(const DibFormat& format, std::byte* table) {
    for (const DWORD color : format.colors) {
        if (format.colorUse == DIB_PAL_COLORS) {
            const auto index = WORD(color);
            std::memcpy(table, &index, sizeof index);
        } else {
            const RGBQUAD entry{BYTE(color), BYTE(color >> 8), BYTE(color >> 16), 0};
            std::memcpy(table, &entry, sizeof entry);
        }
        table += colorEntryBytes(format);
    }
}

}  // namespace

DibFormat DibFormat::rgb32(LONG width, LONG height, RowOrder order) {
    DibFormat format;
    format.width = width;
    format.height = height;
    format.order = order;
    return format;
}

std::size_t DibFormat::stride() const {
    return (std::size_t(std::max<LONG>(width, 0)) * bitCount + 31) / 32 * 4;
}

std::size_t DibFormat::imageBytes() const {
    return stride() * std::size_t(std::max<LONG>(height, 0));
}

DibInfo::DibInfo(const DibFormat& format) {
    const std::size_t tableOffset = colorTableOffset(format);
    const std::size_t bytes =
        std::max(sizeof(BITMAPINFO), tableOffset + format.colors.size() * colorEntryBytes(format));
    const std::size_t words = (bytes + sizeof(std::uint32_t) - 1) / sizeof(std::uint32_t);
    m_storage = std::make_unique<std::uint32_t[]>(words);
    auto* bytesStart = reinterpret_cast<std::byte*>(m_storage.get());
    BITMAPINFO* info = new (bytesStart) BITMAPINFO{};
    BITMAPINFOHEADER& header = info->bmiHeader;
    header.biSize = format.headerSize;
    header.biWidth = format.width;
    header.biHeight = format.biHeight();
    header.biPlanes = 1;
    header.biBitCount = format.bitCount;
    header.biCompression = format.compression;
    header.biSizeImage = format.sizeImage;
    header.biClrUsed = format.clrUsed;
    if (format.compression == BI_BITFIELDS) {
        const DWORD masks[] = {format.masks.red, format.masks.green, format.masks.blue};
        std::memcpy(bytesStart + masksOffset, masks, sizeof masks);
    }
    writeColorTable(format, bytesStart + tableOffset);
}

BITMAPINFO* DibInfo::get() {
    return std::launder(reinterpret_cast<BITMAPINFO*>(m_storage.get()));
}

const BITMAPINFO* DibInfo::get() const {
    return std::launder(reinterpret_cast<const BITMAPINFO*>(m_storage.get()));
}

}  // namespace gdi
