#include "colour_matcher.h"

#include <algorithm>
#include <array>
#include <memory>

namespace gdi {

// Reused by every call on a thread; allocated the first time a thread matches colours. What
// they hold depends only on the table, so they are kept while calls match onto the same table.
// The table's channels are kept apart as well, so that a search is a loop the compiler
// vectorises.
struct MatchCaches {
    std::array<std::uint8_t, ColourMatcher::reducedKeys> reduced;
    std::array<std::uint64_t, ColourMatcher::reducedKeys / 64> reducedKnown;
    std::array<std::uint32_t, std::size_t(1) << ColourMatcher::memoBits> memo;
    std::array<std::int16_t, 256> red, green, blue;
    std::array<std::int32_t, 256> distance;
    std::array<std::uint32_t, 256> table;
    std::size_t tableSize = 0;
};

namespace {

MatchCaches& threadCaches() {
    thread_local const std::unique_ptr<MatchCaches> caches = std::make_unique<MatchCaches>();
    return *caches;
}

std::int16_t channel(std::uint32_t rgb, int shift) {
    return std::int16_t(rgb >> shift & 0xFF);
}

}  // namespace

ColourMatcher::ColourMatcher(std::span<const std::uint32_t> table)
    : m_table(table),
      m_caches(&threadCaches()),
      m_reduced(m_caches->reduced.data()),
      m_reducedKnown(m_caches->reducedKnown.data()),
      m_memo(m_caches->memo.data()) {
    MatchCaches& c = *m_caches;
    const bool sameTable =
        c.tableSize == table.size() && std::equal(table.begin(), table.end(), c.table.begin());
    if (sameTable) {
        return;
    }
    c.tableSize = table.size();
    std::ranges::copy(table, c.table.begin());
    for (std::size_t i = 0; i < table.size(); ++i) {
        c.red[i] = channel(table[i], 16);
        c.green[i] = channel(table[i], 8);
        c.blue[i] = channel(table[i], 0);
    }
    c.reducedKnown.fill(0);
    c.memo.fill(emptyMemo);
}

// Three passes the compiler vectorises: every distance, the smallest, its lowest index.
unsigned ColourMatcher::nearest(std::uint32_t rgb) const {
    const std::int16_t red = channel(rgb, 16);
    const std::int16_t green = channel(rgb, 8);
    const std::int16_t blue = channel(rgb, 0);
    const std::size_t count = m_table.size();
    MatchCaches& c = *m_caches;
    for (std::size_t i = 0; i < count; ++i) {
        const auto dr = std::int16_t(c.red[i] - red);
        const auto dg = std::int16_t(c.green[i] - green);
        const auto db = std::int16_t(c.blue[i] - blue);
        c.distance[i] = std::int32_t(dr) * dr + std::int32_t(dg) * dg + std::int32_t(db) * db;
    }
    std::int32_t best = 3 * 256 * 256;
    for (std::size_t i = 0; i < count; ++i) {
        best = std::min(best, c.distance[i]);
    }
    auto index = std::int32_t(count);
    for (std::size_t i = 0; i < count; ++i) {
        index = std::min(index, c.distance[i] == best ? std::int32_t(i) : std::int32_t(count));
    }
    return unsigned(index);
}

void ColourMatcher::learnReduced(std::uint32_t key) const {
    const std::uint32_t rgb = (key << 9 & 0xF80000) | (key << 6 & 0xF800) | (key << 3 & 0xF8);
    m_reduced[key] = std::uint8_t(nearest(rgb | 0x040404));
    m_reducedKnown[key / 64] |= std::uint64_t(1) << (key % 64);
}

}  // namespace gdi
