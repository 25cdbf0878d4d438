#pragma once

#include <cstddef>

#include "gdi/gdi.h"
#include "ui/picture.h"

namespace workbench {

// The description of the bitmap selected into a device context (GetCurrentObject, GetObjectA).
BITMAP selectedBitmap(HDC dc);

// A bitmap header for a picture: biSize 40, the given size and bit count, one plane, BI_RGB; all
// other fields and the colour table zero. A positive height describes a bottom-up DIB.
BITMAPINFO pictureHeader(LONG width, LONG height, WORD bitCount);

// Bytes of pixel memory that a DIB with this header occupies (rows padded to four bytes).
std::size_t dibImageBytes(const BITMAPINFOHEADER& header);

// A picture's scale size in whole pixels.
int scaleWidthPixels(const ui::Picture& picture);
int scaleHeightPixels(const ui::Picture& picture);

}  // namespace workbench
