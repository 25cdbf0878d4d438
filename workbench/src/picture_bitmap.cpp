#include "workbench/picture_bitmap.h"

#include <cstdlib>

#include "numbers/integer_conversion.h"

namespace workbench {

BITMAP selectedBitmap(HDC dc) {
    BITMAP bitmap{};
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(BITMAP), &bitmap);
    return bitmap;
}

BITMAPINFO pictureHeader(LONG width, LONG height, WORD bitCount) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitCount;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

std::size_t dibImageBytes(const BITMAPINFOHEADER& header) {
    if (header.biWidth <= 0) return 0;
    const std::size_t stride =
        (static_cast<std::size_t>(header.biWidth) * header.biBitCount + 31) / 32 * 4;
    return stride * static_cast<std::size_t>(std::abs(static_cast<long long>(header.biHeight)));
}

int scaleWidthPixels(const ui::Picture& picture) {
    return numbers::toInt32(picture.ScaleWidth()).value_or(0);
}

int scaleHeightPixels(const ui::Picture& picture) {
    return numbers::toInt32(picture.ScaleHeight()).value_or(0);
}

}  // namespace workbench
