#pragma once

#include "pixel_codecs.h"

#include <cstddef>
#include <cstdint>

namespace gdi {

// A 24-bit pixel's three bytes read apart: never past the pixel, and a loop the compiler makes
// vector code of in AVX2 (SSE2 has no byte shuffle to take three-byte pixels apart with).
[[gnu::always_inline]] inline std::uint32_t rgb24At(const std::byte* from, std::size_t i) {
    return codecs::byteAt(from, 3 * i) | codecs::byteAt(from, 3 * i + 1) << 8 |
           codecs::byteAt(from, 3 * i + 2) << 16;
}

// The 0x00RRGGBB values of `count` 24-bit pixels, eight at a time in AVX2 where the processor
// has it; no byte past the last pixel is read.
void unpackRgb24(const std::byte* from, std::size_t count, std::uint32_t* values);

}  // namespace gdi
