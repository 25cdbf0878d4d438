#pragma once

#include <cstddef>
#include <cstdint>

namespace gdi {

// 8-bit indices onto 16-bit pixels through a table of 256 entries, by byte shuffles: the table's
// low and high bytes as sixteen slices of sixteen each, ready for the shuffles.
struct ShuffleTables {
    alignas(16) std::uint8_t low[256];
    alignas(16) std::uint8_t high[256];

    static ShuffleTables of(const std::uint32_t* entries);
};

// Stores the 16-bit entries of the first of `count` indices, 32 a step in AVX2 where the
// processor has it; returns how many it stored (none without AVX2), the caller does the rest.
std::size_t lookUpIndices16(const ShuffleTables& tables, const std::byte* indices,
                            std::size_t count, std::byte* to);

}  // namespace gdi
