#pragma once

#include <cstddef>

#include "gdi/dib_format.h"
#include "gdi/gdi.h"
#include "ui/picture.h"

namespace workbench {

// The description of the bitmap selected into a device context (GetCurrentObject, GetObjectA).
BITMAP selectedBitmap(HDC dc);

// The DIB format of a picture: the given size and bit count, BI_RGB, no colour table. A positive
// height describes a bottom-up DIB, a negative one a top-down DIB.
gdi::DibFormat pictureFormat(LONG width, LONG height, WORD bitCount);

// That format's header: biSize 40, one plane; all other fields and the colour table zero.
BITMAPINFO pictureHeader(LONG width, LONG height, WORD bitCount);

// A picture's scale size in whole pixels.
int scaleWidthPixels(const ui::Picture& picture);
int scaleHeightPixels(const ui::Picture& picture);

}  // namespace workbench
