#pragma once

#include "gdi/dib_format.h"

#include <cstddef>
#include <span>
#include <vector>

namespace dib {

// The RLE8 or RLE4 stream this program writes for the indices of an uncompressed 8- or 4-bpp DIB
// (`format` and `bits`, either row order, `bits` holding the whole image), in the documented
// syntax: every pixel of every row, the bottom row first; a run of 1 to 255 equal indices (RLE4: of
// two alternating indices) as a count and a value; other pixels, three or more together, as an
// absolute run padded to a 16-bit boundary; the end of line after each row and the end of bitmap
// after the last. No deltas.
std::vector<std::byte> encodeRle(const gdi::DibFormat& format, std::span<const std::byte> bits);

}  // namespace dib
