#include "colour_table.h"

#include <cstring>

namespace gdi {

const std::array<std::uint32_t, 20> defaultPalette = {
    0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080,
    0xC0C0C0, 0xC0DCC0, 0xA6CAF0, 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000,
    0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF,
};

namespace {

std::uint32_t rgbOf(const std::byte* entry) {
    return std::to_integer<std::uint32_t>(entry[2]) << 16 |
           std::to_integer<std::uint32_t>(entry[1]) << 8 | std::to_integer<std::uint32_t>(entry[0]);
}

}  // namespace

// One loop per kind of entry, so that the usual one, RGBQUADs, is vector code.
void readColourTable(const BITMAPINFO* bmi, const DibHeader& header, UINT colorUse,
                    ColourTable& table) {
    const std::byte* entry = reinterpret_cast<const std::byte*>(bmi) + header.tableOffset();
    table.count = header.tableEntries();
    if (colorUse == DIB_PAL_COLORS) {
        for (std::size_t i = 0; i < table.count; ++i) {
            WORD index;
            std::memcpy(&index, entry + i * sizeof index, sizeof index);
            table.entries[i] = defaultPalette[index % defaultPalette.size()];
        }
    } else if (header.isCore()) {
        for (std::size_t i = 0; i < table.count; ++i) {
            table.entries[i] = rgbOf(entry + i * sizeof(RGBTRIPLE));
        }
    } else {
        for (std::size_t i = 0; i < table.count; ++i) {
            std::uint32_t quad;
            std::memcpy(&quad, entry + i * sizeof quad, sizeof quad);
            table.entries[i] = quad & 0xFFFFFF;
        }
    }
}

}  // namespace gdi
