#include "workbench/picture_bitmap.h"

#include "numbers/integer_conversion.h"

namespace workbench {

BITMAP selectedBitmap(HDC dc) {
    BITMAP bitmap{};
    GetObjectA(GetCurrentObject(dc, OBJ_BITMAP), sizeof(BITMAP), &bitmap);
    return bitmap;
}

gdi::DibFormat pictureFormat(LONG width, LONG height, WORD bitCount) {
    const gdi::RowOrder order = height < 0 ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
    gdi::DibFormat format = gdi::DibFormat::rgb32(width, height < 0 ? -height : height, order);
    format.bitCount = bitCount;
    return format;
}

BITMAPINFO pictureHeader(LONG width, LONG height, WORD bitCount) {
    return *gdi::DibInfo(pictureFormat(width, height, bitCount)).get();
}

int scaleWidthPixels(const ui::Picture& picture) {
    return numbers::toInt32(picture.ScaleWidth()).value_or(0);
}

int scaleHeightPixels(const ui::Picture& picture) {
    return numbers::toInt32(picture.ScaleHeight()).value_or(0);
}

}  // namespace workbench
