#pragma once

#include "bitmap.h"
#include "dib_header.h"

#include <cstdint>
#include <span>

namespace gdi {

inline constexpr std::int64_t signedLimit = std::int64_t(1) << 31;

// SetDIBitsToDevice's arguments, widened so that no sum overflows: Width, Height, StartScan and
// cLines as the unsigned values Windows reads.
struct SetDibitsCall {
    std::int64_t xDest, yDest, width, height, xSrc, ySrc, startScan, cLines;
};

// Decodes an RLE source and draws the pixels its stream sets; returns Windows' result.
int drawRle(const SetDibitsCall& call, const BITMAPINFO* bmi, const DibHeader& header,
            UINT colorUse, std::span<const std::byte> bits, const Bitmap& surface);

}  // namespace gdi
