#include "dibits_request.h"
#include "object_table.h"
#include "row_converter.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::Bitmap;
using gdi::DibitsRequest;
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

// A 4-bpp row copied into the same format takes whole bytes, as Wine's gdi32 copies it: an odd
// count brings the low nibble of its last byte along, the next pixel or the row's padding.
void copyRow(const gdi::RowConverter& converter, const std::byte* from, std::byte* to,
             std::size_t columns) {
    if (converter.copiedPixelBits() == 4) {
        std::memcpy(to, from, (columns + 1) / 2);
    } else {
        converter.convert(from, 0, to, 0, columns);
    }
}

// Writes scan lines first..end-1 of a DIB whose top row is the bitmap's top row, each pixel
// converted from the bitmap's format into the request's; rows below the bitmap, and columns right
// of it, are zero. Returns how many rows came from the bitmap.
int copyScanLines(const Bitmap& bitmap, const DibitsRequest& request, geometry::Span lines,
                  std::byte* bits) {
    const gdi::SurfaceView view = bitmap.view();
    const gdi::DibHeader& header = request.header;
    const auto columns = std::size_t(std::min(header.width, view.width));
    const gdi::RowConverter converter(bitmap.pixelFormat(), request.pixelFormat(),
                                      columns * std::size_t(lines.size()));
    int fromBitmap = 0;
    for (std::int64_t scan = lines.begin; scan < lines.end; ++scan) {
        const std::int64_t bufferRow =
            header.order() == RowOrder::BottomUp ? scan - lines.begin : lines.end - 1 - scan;
        std::byte* row = bits + std::size_t(bufferRow) * header.stride();
        std::memset(row, 0, header.stride());
        const std::int64_t bitmapRow = header.rows() - 1 - scan;
        if (bitmapRow < view.height) {
            copyRow(converter, view.rowStart(int(bitmapRow)), row, columns);
            ++fromBitmap;
        }
    }
    return fromBitmap;
}

// The header is read once the band is known: an RLE request is a query only.
int readScanLines(const Bitmap& bitmap, UINT startScan, UINT cLines, std::span<std::byte> bits,
                  BITMAPINFO* bmi, UINT usage) {
    const std::int64_t rows = std::abs(std::int64_t(bmi->bmiHeader.biHeight));
    const geometry::Span lines{startScan, std::min(std::int64_t(startScan) + cLines, rows)};
    const bool query = !bits.data() || lines.empty();
    const std::optional<DibitsRequest> request =
        gdi::readDibitsRequest(bmi, bitmap, usage, cLines, !query);
    if (!request) {
        return 0;
    }
    const std::size_t stride = request->header.stride();
    if (!query && std::uint64_t(lines.size()) * stride > bits.size()) {
        return 0;
    }
    gdi::writeColourInfo(*request, usage, bmi);
    bmi->bmiHeader.biSizeImage = DWORD(stride * std::uint64_t(rows));
    bmi->bmiHeader.biClrUsed = 0;
    return query ? 1 : copyScanLines(bitmap, *request, lines, bits.data());
}

}  // namespace

int GetDIBits(HDC hdc, HBITMAP hbm, UINT startScan, UINT cLines, std::span<std::byte> bits,
              BITMAPINFO* bmi, UINT usage) {
    if (!bmi || usage > DIB_PAL_COLORS || bmi->bmiHeader.biSize < sizeof(BITMAPINFOHEADER)) {
        return 0;
    }
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.lock());
    const Bitmap* bitmap = table.find<Bitmap>(hbm);
    if (!table.find<gdi::DeviceContext>(hdc) || !bitmap) {
        return 0;
    }
    if (bmi->bmiHeader.biBitCount == 0) {
        describeFormat(*bitmap, bmi->bmiHeader);
        return 1;
    }
    return readScanLines(*bitmap, startScan, cLines, bits, bmi, usage);
}
