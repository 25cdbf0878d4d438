#include "color_matcher.h"

#include <algorithm>
#include <cstring>
#include <memory>

namespace gdi {

// Reused by every call on a thread; allocated the first time a thread matches colours.
struct MatchCaches {
    static constexpr std::size_t memoSize = 1024;
    static constexpr std::uint32_t emptyMemo = 0xFFFFFFFF;

    std::array<std::uint8_t, 32768> reduced;
    std::array<std::uint64_t, 32768 / 64> reducedKnown;
    // Entries hold the colour in bits 8-31 and its index in bits 0-7; an index never reaches 255
    // in a 16-entry table, so an empty entry is never mistaken for a colour.
    std::array<std::uint32_t, memoSize> memo;
};

namespace {

MatchCaches& threadCaches() {
    thread_local const std::unique_ptr<MatchCaches> caches = std::make_unique<MatchCaches>();
    return *caches;
}

int channel(std::uint32_t rgb, int shift) {
    return int(rgb >> shift & 0xFF);
}

}  // namespace

unsigned nearestIndex(std::span<const std::uint32_t> table, std::uint32_t rgb) {
    const int red = channel(rgb, 16);
    const int green = channel(rgb, 8);
    const int blue = channel(rgb, 0);
    unsigned best = 0;
    int bestDistance = 3 * 256 * 256;
    for (std::size_t i = 0; i < table.size() && bestDistance > 0; ++i) {
        const int dr = channel(table[i], 16) - red;
        const int dg = channel(table[i], 8) - green;
        const int db = channel(table[i], 0) - blue;
        const int distance = dr * dr + dg * dg + db * db;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = unsigned(i);
        }
    }
    return best;
}

ColorMatcher::ColorMatcher(std::span<const std::uint32_t> table, Rule rule)
    : m_table(table), m_rule(rule), m_caches(&threadCaches()) {
    if (rule == Rule::FiveBitReduced) {
        m_caches->reducedKnown.fill(0);
    } else {
        m_caches->memo.fill(MatchCaches::emptyMemo);
    }
}

unsigned ColorMatcher::match(std::uint32_t rgb) {
    if (m_rule == Rule::FiveBitReduced) {
        const std::uint32_t key = (rgb >> 9 & 0x7C00) | (rgb >> 6 & 0x3E0) | (rgb >> 3 & 0x1F);
        std::uint64_t& known = m_caches->reducedKnown[key / 64];
        const std::uint64_t bit = std::uint64_t(1) << (key % 64);
        if (!(known & bit)) {
            m_caches->reduced[key] =
                std::uint8_t(nearestIndex(m_table, (rgb & 0xF8F8F8) | 0x040404));
            known |= bit;
        }
        return m_caches->reduced[key];
    }
    std::uint32_t& slot = m_caches->memo[(rgb * 0x9E3779B1u) >> 22];
    if ((slot >> 8) != rgb || slot == MatchCaches::emptyMemo) {
        slot = rgb << 8 | exact(rgb);
    }
    return slot & 0xFF;
}

}  // namespace gdi
