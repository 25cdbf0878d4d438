#include "dib_header.h"
#include "object_table.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::Bitmap;
using gdi::DibFormat;
using gdi::RowOrder;

constexpr std::uint64_t maxImageBytes = 0xFFFFFFFF;

std::uint64_t dibStride(std::uint64_t width, std::uint64_t bitsPerPixel) {
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// A query with biBitCount 0 asks for the bitmap's own format.
void describeFormat(const Bitmap& bitmap, BITMAPINFOHEADER& header) {
    header.biWidth = bitmap.width();
    header.biHeight = bitmap.height();
    header.biPlanes = 1;
    header.biBitCount = bitmap.bitsPerPixel();
    header.biCompression = bitmap.bitsPerPixel() == 32 ? BI_BITFIELDS : BI_RGB;
    header.biSizeImage = DWORD(dibStride(bitmap.width(), header.biBitCount) * bitmap.height());
    header.biClrUsed = 0;
}

struct CoveredLines {
    std::int64_t first, end;
};

// Writes scan lines first..end-1 of a DIB whose top row is the bitmap's top row; rows below the
// bitmap are zero. Returns how many rows came from the bitmap.
int copyScanLines(const Bitmap& bitmap, const DibFormat& format, CoveredLines lines,
                  std::byte* bits) {
    const gdi::PixelView view = bitmap.view();
    const std::size_t copyBytes = std::size_t(std::min<std::int64_t>(format.width, view.width)) * 4;
    int fromBitmap = 0;
    for (std::int64_t scan = lines.first; scan < lines.end; ++scan) {
        const std::int64_t bufferRow =
            format.order == RowOrder::BottomUp ? scan - lines.first : lines.end - 1 - scan;
        std::byte* row = bits + std::size_t(bufferRow) * format.stride();
        std::memset(row, 0, format.stride());
        const std::int64_t bitmapRow = format.height - 1 - scan;
        if (bitmapRow < view.height) {
            std::memcpy(row, view.rowStart(int(bitmapRow)), copyBytes);
            ++fromBitmap;
        }
    }
    return fromBitmap;
}

int readScanLines(const Bitmap& bitmap, UINT startScan, UINT cLines, std::span<std::byte> bits,
                  BITMAPINFOHEADER& header) {
    const std::optional<DibFormat> format =
        gdi::readDibFormat(reinterpret_cast<const BITMAPINFO*>(&header));
    if (!format || format->stride() * std::uint64_t(format->height) > maxImageBytes) {
        return 0;
    }
    const CoveredLines lines{
        startScan, std::min(std::int64_t(startScan) + cLines, std::int64_t(format->height))};
    const bool query = !bits.data() || lines.first >= lines.end;
    if (!query && std::uint64_t(lines.end - lines.first) * format->stride() > bits.size()) {
        return 0;
    }
    header.biSizeImage = DWORD(format->stride() * std::uint64_t(format->height));
    header.biClrUsed = 0;
    return query ? 1 : copyScanLines(bitmap, *format, lines, bits.data());
}

}  // namespace

int GetDIBits(HDC hdc, HBITMAP hbm, UINT startScan, UINT cLines, std::span<std::byte> bits,
              BITMAPINFO* bmi, UINT usage) {
    if (!bmi || usage > DIB_PAL_COLORS || bmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        return 0;
    }
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.mutex());
    const Bitmap* bitmap = table.find<Bitmap>(hbm);
    if (!table.find<gdi::DeviceContext>(hdc) || !bitmap) {
        return 0;
    }
    if (bmi->bmiHeader.biBitCount == 0) {
        describeFormat(*bitmap, bmi->bmiHeader);
        return 1;
    }
    return readScanLines(*bitmap, startScan, cLines, bits, bmi->bmiHeader);
}
