#pragma once

#include "colour_matcher.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace gdi {

// 32-bit pixels onto 8 bpp through a field map of at most 256 entries: `to[i]` becomes the
// map's entry for the key of pixel `i`. In AVX2, where the processor has it, 64 pixels a step:
// half of them looked up in the map's 16-entry slices by byte shuffles, the other half one load
// each, so that the vector and the integer units work at once. Returns how many of the first
// pixels it stored (none without AVX2); the caller does the rest.
std::size_t lookUpSmallKeys32(const MatchKey& key, std::span<const std::uint8_t> map,
                              const std::byte* from, std::size_t count, std::byte* to);

}  // namespace gdi
