#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace gdi {

struct MatchCaches;

// Nearest-colour matching onto one destination colour table: by squared RGB distance over the
// whole table, the lowest index winning a tie. A matcher is a small value over the thread's
// caches, valid until another table is matched; copying it is cheap and shares them.
class ColourMatcher {
public:
    explicit ColourMatcher(std::span<const std::uint32_t> table);

    // The nearest entry to the exact colour (0x00RRGGBB), searched every time.
    unsigned nearest(std::uint32_t rgb) const;

    // Direct-colour sources onto 8-bpp destinations: each channel's low 3 bits become 100b
    // first, so the reducedKeys keys of Rgb::fiveBitKey cover every input and each is searched once.
    unsigned reduced(std::uint32_t key) const {
        if (!(m_reducedKnown[key / 64] >> (key % 64) & 1)) {
            learnReduced(key);
        }
        return m_reduced[key];
    }

    // Exact colours remembered in a small memo: direct-colour sources onto 4- and 1-bpp
    // destinations.
    unsigned memoized(std::uint32_t rgb) const {
        std::uint32_t& slot = m_memo[(rgb * 0x9E3779B1u) >> (32 - memoBits)];
        if ((slot >> 8) != rgb || slot == emptyMemo) {
            slot = rgb << 8 | nearest(rgb);
        }
        return slot & 0xFF;
    }

    static constexpr unsigned memoBits = 12;
    // Every 5-bit-a-channel colour: the keys of Rgb::fiveBitKey.
    static constexpr std::size_t reducedKeys = std::size_t(1) << 15;
    // Memo entries hold the colour in bits 8-31 and its index in bits 0-7; exact matching serves
    // tables of at most 16 entries, so an empty entry is never mistaken for a colour.
    static constexpr std::uint32_t emptyMemo = 0xFFFFFFFF;

private:
    void learnReduced(std::uint32_t key) const;

    std::span<const std::uint32_t> m_table;
    MatchCaches* m_caches;
    std::uint8_t* m_reduced;
    std::uint64_t* m_reducedKnown;
    std::uint32_t* m_memo;
};

}  // namespace gdi
