#pragma once

#include "bitmap.h"
#include "gdi/emulated_gdi.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace gdi {

// The facts of a supported DIB header: 32 bpp, BI_RGB, biWidth > 0, biHeight != 0.
struct DibFormat {
    std::int64_t width = 0;
    std::int64_t height = 0;
    RowOrder order = RowOrder::BottomUp;

    std::size_t stride() const { return std::size_t(width) * 4; }
};

// Checks what CreateDIBSection, SetDIBitsToDevice and GetDIBits share: a full-size header
// describing an uncompressed 32-bpp DIB with a positive width and a non-zero height. Other
// formats, including the 12-byte core header, are outside this layer and fail.
std::optional<DibFormat> readDibFormat(const BITMAPINFO* bmi);

}  // namespace gdi
