#include "dib_header.h"
#include "object_table.h"
#include "row_converter.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::Bitmap;
using gdi::DibHeader;
using gdi::RowOrder;

// A query with biBitCount 0 asks for the bitmap's own format.
void describeFormat(const Bitmap& bitmap, BITMAPINFOHEADER& header) {
    header.biWidth = bitmap.width();
    header.biHeight = bitmap.height();
    header.biPlanes = 1;
    header.biBitCount = bitmap.bitsPerPixel();
    header.biCompression =
        bitmap.bitsPerPixel() == 16 || bitmap.bitsPerPixel() == 32 ? BI_BITFIELDS : BI_RGB;
    header.biSizeImage = DWORD(gdi::dibStride(bitmap.width(), header.biBitCount) * bitmap.height());
    header.biClrUsed = 0;
}

struct CoveredLines {
    std::int64_t first, end;
};

// Writes scan lines first..end-1 of a 32-bpp DIB whose top row is the bitmap's top row, each
// pixel converted from the bitmap's format; rows below the bitmap are zero. Returns how many rows
// came from the bitmap.
int copyScanLines(const Bitmap& bitmap, const DibHeader& header, CoveredLines lines,
                  std::byte* bits) {
    const gdi::SurfaceView view = bitmap.view();
    const auto columns = std::size_t(std::min(header.width, view.width));
    const gdi::RowConverter converter(bitmap.pixelFormat(), header.pixelFormat({}),
                                      columns * std::size_t(lines.end - lines.first));
    int fromBitmap = 0;
    for (std::int64_t scan = lines.first; scan < lines.end; ++scan) {
        const std::int64_t bufferRow =
            header.order() == RowOrder::BottomUp ? scan - lines.first : lines.end - 1 - scan;
        std::byte* row = bits + std::size_t(bufferRow) * header.stride();
        std::memset(row, 0, header.stride());
        const std::int64_t bitmapRow = header.rows() - 1 - scan;
        if (bitmapRow < view.height) {
            converter.convert(view.rowStart(int(bitmapRow)), 0, row, 0, columns);
            ++fromBitmap;
        }
    }
    return fromBitmap;
}

// Rows are written only as 32-bpp BI_RGB values.
int readScanLines(const Bitmap& bitmap, UINT startScan, UINT cLines, std::span<std::byte> bits,
                  BITMAPINFOHEADER& info) {
    const std::optional<DibHeader> header =
        gdi::readDibHeader(reinterpret_cast<const BITMAPINFO*>(&info));
    if (!header || header->planes == 0 || header->bitCount != 32 ||
        header->compression != BI_RGB) {
        return 0;
    }
    const CoveredLines lines{startScan, std::min(std::int64_t(startScan) + cLines, header->rows())};
    const bool query = !bits.data() || lines.first >= lines.end;
    if (!query && std::uint64_t(lines.end - lines.first) * header->stride() > bits.size()) {
        return 0;
    }
    info.biSizeImage = DWORD(header->stride() * std::uint64_t(header->rows()));
    info.biClrUsed = 0;
    return query ? 1 : copyScanLines(bitmap, *header, lines, bits.data());
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
