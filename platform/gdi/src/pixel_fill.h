#pragma once

#include "pixel_format.h"

#include <cstddef>
#include <cstdint>

namespace gdi {

// Stores one value (an index or a stored pixel value) into `count` pixels of a row from column x.
void fillPixels(PixelKind kind, std::byte* row, std::size_t x, std::size_t count,
                std::uint32_t value);

// The stored value a solid brush of colour `rgb` (0x00RRGGBB) paints on a surface of `format`:
// the colour itself in direct formats, the exact nearest entry of 4- and 8-bpp tables. A 1-bpp
// surface takes an entry of exactly that colour, else the entry nearest to the background colour
// (white) for white and the other entry for every other colour.
std::uint32_t brushValue(const PixelFormat& format, std::uint32_t rgb);

}  // namespace gdi
