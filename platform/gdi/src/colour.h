#pragma once

#include "gdi/emulated_gdi.h"

#include <cstdint>

namespace gdi {

// A colour reference holds red in its low byte (0x00BBGGRR); a 32-bpp pixel holds blue there
// (0x00RRGGBB). GDI drawing with a colour reference leaves the pixel's top byte 0.
constexpr std::uint32_t pixelFromColourRef(COLORREF colour) {
    return ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
}

}  // namespace gdi
