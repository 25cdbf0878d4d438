#pragma once

#include <cstddef>
#include <cstdint>

namespace gdi {

// The 0x00RRGGBB values of `count` 24-bit pixels, eight at a time in AVX2 where the processor
// has it; no byte past the last pixel is read.
void unpackRgb24(const std::byte* from, std::size_t count, std::uint32_t* values);

}  // namespace gdi
