#pragma once

#include <cstddef>
#include <cstdint>

namespace gdi {

// Stores the low three bytes of each of `count` values as 24-bit pixels, eight at a time in AVX2
// where the processor has it; no byte past the last pixel is written.
void packRgb24(const std::uint32_t* values, std::size_t count, std::byte* to);

}  // namespace gdi
