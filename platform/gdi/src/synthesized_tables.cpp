#include "synthesized_tables.h"

#include "colour_table.h"

#include <array>

namespace gdi {

namespace {

constexpr std::array<std::uint32_t, 2> table1{0x000000, 0xFFFFFF};

// Default palette entries 0-6, 12, 7 and 13-19.
std::array<std::uint32_t, 16> makeTable4() {
    std::array<std::uint32_t, 16> table{};
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::size_t entry = i < 7 ? i : i == 7 ? 12 : i == 8 ? 7 : i + 4;
        table[i] = defaultPalette[entry];
    }
    return table;
}

// Between the default palette's two halves, index bits 0-2 give red, 3-5 green and 6-7 blue.
std::array<std::uint32_t, 256> makeTable8() {
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        if (i < 10) {
            table[i] = defaultPalette[i];
        } else if (i >= 246) {
            table[i] = defaultPalette[i - 236];
        } else {
            table[i] = (i & 7) << 21 | (i >> 3 & 7) << 13 | (i >> 6 & 3) << 6;
        }
    }
    return table;
}

const std::array<std::uint32_t, 16> table4 = makeTable4();
const std::array<std::uint32_t, 256> table8 = makeTable8();

}  // namespace

std::span<const std::uint32_t> synthesizedTable(unsigned bitCount) {
    switch (bitCount) {
        case 1:
            return table1;
        case 4:
            return table4;
        case 8:
            return table8;
        default:
            return {};
    }
}

}  // namespace gdi
