#pragma once

#include "nearest_grid.h"
#include "pixel_format.h"
#include "small_table_match.h"

#include <cstddef>
#include <cstdint>
#include <span>

namespace gdi {

struct TableMatch;

// Nearest-colour matching onto one destination colour table: by squared RGB distance over the
// whole table, the lowest index winning a tie. What is worked out is kept per thread for the few
// tables matched last and found again by their contents, so that calls onto equal tables share
// it. A matcher is a small value, valid until another table is matched; copies share the work.
class ColourMatcher {
public:
    explicit ColourMatcher(std::span<const std::uint32_t> table);

    // The nearest entry to the exact colour (0x00RRGGBB).
    unsigned nearest(std::uint32_t rgb) const { return m_grid->nearest(rgb); }

    // The nearest entries to `count` colours: eight at a time in vector code onto tables of at
    // most 16 entries where the processor allows, one by one otherwise.
    void nearestOfMany(const std::uint32_t* colours, std::uint8_t* indices,
                       std::size_t count) const {
        if (m_small) {
            m_small->match(colours, indices, count);
            return;
        }
        for (std::size_t i = 0; i < count; ++i) {
            indices[i] = std::uint8_t(m_grid->nearest(colours[i]));
        }
    }

    // Direct-colour sources onto 8-bpp destinations: each channel's low 3 bits become 100b
    // first, so each key of Rgb::fiveBitKey is matched once.
    unsigned reduced(std::uint32_t key) const { return m_grid->nearestToMiddle(key); }

    // The entry each index of a palettized source's table is matched to, an index past the
    // table standing for black: `unmatchedIndex` until first worked out (the caller fills
    // entries in with nearest). Kept for the few source tables matched last, by their contents.
    std::uint32_t* indexMap(std::span<const std::uint32_t> sourceColours) const;
    static constexpr std::uint32_t unmatchedIndex = 0xFFFFFFFF;

    // The entry every 16-bit pixel of the given masks is matched to, the exact colour or the
    // reduced one (onto 8 bpp); worked out whole on first use.
    const std::uint8_t* sixteenBitMap(const ChannelMasks& masks, bool reduce) const;

private:
    TableMatch* m_match;
    NearestGrid* m_grid;
    const SmallTableMatch* m_small;
};

}  // namespace gdi
