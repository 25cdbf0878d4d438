#pragma once

#include "nearest_grid.h"
#include "pixel_format.h"
#include "small_table_match.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gdi {

struct TableMatch;

// The bits of a direct pixel that decide the entry it is matched to, packed together: the top 5
// bits of each channel onto 8 bpp (the reduced colour), all its (at most 8) bits otherwise.
struct MatchKey {
    struct Part {
        std::uint32_t shift = 0, mask = 0, offset = 0;

        bool operator==(const Part&) const = default;
    };
    std::array<Part, 3> parts;
    std::uint32_t bits = 0;

    static MatchKey of(const ChannelMasks& masks, bool reduce);
    // The low `bits` bits of the stored value, whole: the key of a 16-bit source's field map
    // when a call has pixels enough to match every stored value.
    static MatchKey wholeValue(std::uint32_t bits);

    bool operator==(const MatchKey&) const = default;

    std::uint32_t pack(std::uint32_t pixel) const {
        return (pixel >> parts[0].shift & parts[0].mask) << parts[0].offset |
               (pixel >> parts[1].shift & parts[1].mask) << parts[1].offset |
               (pixel >> parts[2].shift & parts[2].mask) << parts[2].offset;
    }
    // A pixel with the key's bits, all others 0.
    std::uint32_t pixelOf(std::uint32_t key) const;
};

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

    // The entry every key (at most 2^16 of them) of a source with these masks is matched to,
    // the exact colour or the reduced one (onto 8 bpp); worked out whole on first use.
    const std::uint8_t* fieldMap(const ChannelMasks& masks, const MatchKey& key, bool reduce) const;
    static constexpr std::uint32_t maxFieldMapBits = 16;

private:
    TableMatch* m_match;
    NearestGrid* m_grid;
    const SmallTableMatch* m_small;
};

}  // namespace gdi
