#pragma once

#include "dib_header.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gdi {

// The colours of a palettized DIB as 0x00RRGGBB entries. Only `count` entries are set; the
// table is meant to live on the stack for one call.
struct ColourTable {
    std::array<std::uint32_t, 256> entries;
    std::size_t count = 0;

    std::span<const std::uint32_t> colours() const { return {entries.data(), count}; }
};

// The logical palette of every memory DC: the stock DEFAULT_PALETTE's 20 entries.
extern const std::array<std::uint32_t, 20> defaultPalette;

// The table a palettized header gives, read from the BITMAPINFO at the header's end: RGBQUADs
// (reserved byte ignored), RGBTRIPLEs after a core header, or with DIB_PAL_COLORS 16-bit indices
// into the DC's palette, each taken modulo its 20 entries.
void readColourTable(const BITMAPINFO* bmi, const DibHeader& header, UINT colorUse,
                    ColourTable& table);

}  // namespace gdi
