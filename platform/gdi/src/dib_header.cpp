#include "dib_header.h"

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
    DibFormat format;
    format.width = header.biWidth;
    format.height = header.biHeight < 0 ? -std::int64_t(header.biHeight) : header.biHeight;
    format.order = header.biHeight < 0 ? RowOrder::TopDown : RowOrder::BottomUp;
    return format;
}

}  // namespace gdi
