#pragma once

#include <array>
#include <cstdint>
#include <span>

namespace gdi {

struct MatchCaches;

// The index of the entry nearest to a colour (0x00RRGGBB) by squared RGB distance over the whole
// table; the lowest index wins a tie.
unsigned nearestIndex(std::span<const std::uint32_t> table, std::uint32_t rgb);

// Nearest-colour matching onto one destination colour table for the length of one call, with
// the per-call caches that spare a table search for every pixel.
class ColorMatcher {
public:
    enum class Rule {
        // The exact colour: palettized sources (matched once per entry) and 4- and 1-bpp
        // destinations.
        Exact,
        // Direct-colour sources onto 8-bpp destinations: each channel's low 3 bits become 100b
        // first, so 32768 colours cover every input and each is searched once.
        FiveBitReduced,
    };

    ColorMatcher(std::span<const std::uint32_t> table, Rule rule);

    unsigned exact(std::uint32_t rgb) const { return nearestIndex(m_table, rgb); }
    // Direct-colour pixels under the matcher's rule, searched once per distinct colour.
    unsigned match(std::uint32_t rgb);

private:
    std::span<const std::uint32_t> m_table;
    Rule m_rule;
    MatchCaches* m_caches;
};

}  // namespace gdi
