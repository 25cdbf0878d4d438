#include "dib_header.h"

#include <cstdint>

namespace gdi {

std::optional<DibFormat> readDibFormat(const BITMAPINFO* bmi) {
    if (!bmi) {
        return std::nullopt;
    }
    const BITMAPINFOHEADER& header = bmi->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biWidth <= 0 || header.biHeight == 0 ||
        header.biPlanes == 0 || header.biBitCount != 32 || header.biCompression != BI_RGB) {
        return std::nullopt;
    }
    // A row, or the whole image, whose size does not fit 32 bits is refused.
    const std::uint64_t rows =
        header.biHeight < 0 ? -std::int64_t(header.biHeight) : header.biHeight;
    DibFormat format = DibFormat::rgb32(header.biWidth, 1, RowOrder::BottomUp);
    if (std::uint64_t(header.biWidth) * header.biBitCount > UINT32_MAX ||
        format.stride() * rows > UINT32_MAX) {
        return std::nullopt;
    }
    format.height = LONG(rows);
    format.order = header.biHeight < 0 ? RowOrder::TopDown : RowOrder::BottomUp;
    return format;
}

}  // namespace gdi
