#include "dibits_test_support.h"

#include "format_test_support.h"

#include <cstring>

namespace gditest {

namespace {

using gdi::masksOffset;

std::uint32_t dwordAt(const std::byte* start, std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, start + offset, sizeof value);
    return value;
}

std::vector<std::uint32_t> tableOf(const BITMAPINFO* info, UINT usage) {
    std::vector<std::uint32_t> table;
    if (info->bmiHeader.biBitCount > 8) {
        return table;
    }
    const auto* start = reinterpret_cast<const std::byte*>(info) + info->bmiHeader.biSize;
    for (std::size_t i = 0; i < std::size_t(1) << info->bmiHeader.biBitCount; ++i) {
        if (usage == DIB_PAL_COLORS) {
            WORD index;
            std::memcpy(&index, start + i * sizeof index, sizeof index);
            table.push_back(index);
        } else {
            table.push_back(dwordAt(start, i * 4));
        }
    }
    return table;
}

}  // namespace

PictureDdb::PictureDdb(int width, int height, std::span<const std::uint32_t> pixels)
    : m_dc(CreateCompatibleDC(nullptr)),
      m_bitmap(CreateBitmap(width, height, 1, 32, pixels.data())),
      m_previous(SelectObject(m_dc, m_bitmap)) {}

PictureDdb::~PictureDdb() {
    SelectObject(m_dc, m_previous);
    DeleteObject(m_bitmap);
    DeleteDC(m_dc);
}

Readback readBack(HDC dc, HBITMAP bitmap, const gdi::DibFormat& request, UINT usage) {
    gdi::DibFormat format = request;
    format.colorUse = usage;
    gdi::DibInfo info(format);
    BITMAPINFO* bmi = info.get();
    auto* start = reinterpret_cast<std::byte*>(bmi);
    const std::size_t tableBytes = format.bitCount <= 8 ? 4u << format.bitCount : 12;
    std::memset(start + masksOffset, 0xAA, tableBytes);
    if (format.compression == BI_BITFIELDS) {
        const DWORD masks[] = {format.masks.red, format.masks.green, format.masks.blue};
        std::memcpy(start + masksOffset, masks, sizeof masks);
    }
    std::vector<std::byte> bits(format.imageBytes());
    Readback read;
    read.result = GetDIBits(dc, bitmap, 0, UINT(format.height), bits, bmi, usage);
    read.header = bmi->bmiHeader;
    read.masks = {dwordAt(start, masksOffset), dwordAt(start, masksOffset + 4),
                  dwordAt(start, masksOffset + 8)};
    read.table = tableOf(bmi, usage);
    read.values = unpacked(format, bits);
    return read;
}

gdi::DibFormat request(WORD bitCount, LONG width, LONG height, gdi::ChannelMasks masks) {
    return dib(bitCount, width, height, {}, masks);
}

}  // namespace gditest
