#include "workbench/zoom_pic.h"

#include <algorithm>
#include <cstddef>
#include <span>

#include "gdi/dib_section_dc.h"
#include "workbench/enlarge.h"
#include "workbench/picture_bitmap.h"

namespace workbench {
namespace {

std::vector<std::int32_t> readSmallPixels(const ui::Picture& pic, PixelSize size) {
    const HDC dc = pic.hDC();
    const HBITMAP image = pic.Image();
    // 32 bits a pixel whatever the picture's own format: the pixels are read as 0x00RRGGBB values.
    const BITMAP bitmap = selectedBitmap(dc);
    BITMAPINFO header = pictureHeader(bitmap.bmWidth, bitmap.bmHeight, 32);
    std::vector<std::int32_t> small(static_cast<std::size_t>(std::max(size.width, 0)) *
                                    static_cast<std::size_t>(std::max(size.height, 0)));
    GetDIBits(dc, image, 0, static_cast<UINT>(bitmap.bmHeight),
              std::as_writable_bytes(std::span(small)), &header, DIB_RGB_COLORS);
    return small;
}

}  // namespace

void drawBigPixels(ui::Picture& bigPic, PixelSize size, std::span<const std::int32_t> big,
                   const ui::Window& form) {
    const BITMAP bitmap = selectedBitmap(bigPic.hDC());
    const gdi::DibSectionDC scope(
        pictureFormat(bitmap.bmWidth, bitmap.bmHeight, bitmap.bmBitsPixel));
    if (!scope.created()) {
        form.MsgBox(kDibSectionFailedMessage);
    } else if (MoveMemoryBounded(scope.bits(), std::as_bytes(big))) {
        BitBlt(bigPic.hDC(), 0, 0, size.width, size.height, scope.dc(), 0, 0, SRCCOPY);
    }
    bigPic.Refresh();
}

void ZoomPicGetBits(ui::Picture& pic, ui::Picture& bigPic, std::vector<std::int32_t>& bits,
                    const ui::Window& form) {
    const PixelSize smallSize{scaleWidthPixels(pic), scaleHeightPixels(pic)};
    const PixelSize bigSize{scaleWidthPixels(bigPic), scaleHeightPixels(bigPic)};
    bits = enlargePixels(readSmallPixels(pic, smallSize), smallSize, bigSize);
    drawBigPixels(bigPic, bigSize, bits, form);
}

void ZoomPic(ui::Picture& pic, ui::Picture& bigPic, const ui::Window& form) {
    std::vector<std::int32_t> bits;
    ZoomPicGetBits(pic, bigPic, bits, form);
}

}  // namespace workbench
