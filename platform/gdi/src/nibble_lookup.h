#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace gdi {

// Replaces each of `count` indices below 16, one a byte, with its entry of `table`, 32 at a
// time by byte shuffles where the processor has AVX2.
void lookUpNibbles(const std::array<std::uint8_t, 16>& table, const std::byte* indices,
                   std::size_t count, std::uint8_t* entries);

}  // namespace gdi
