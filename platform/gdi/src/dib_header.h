#pragma once

#include "gdi/dib_format.h"

#include <optional>

namespace gdi {

// Checks what CreateDIBSection, SetDIBitsToDevice and GetDIBits share: a full-size header
// describing an uncompressed 32-bpp DIB with a positive width and a non-zero height. Other
// formats, including the 12-byte core header, are outside this layer and fail.
std::optional<DibFormat> readDibFormat(const BITMAPINFO* bmi);

}  // namespace gdi
