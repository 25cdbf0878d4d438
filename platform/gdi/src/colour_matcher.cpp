#include "colour_matcher.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

namespace gdi {

namespace {

constexpr std::size_t maxEntries = 256;
// Tables, source tables and 16-bit formats kept, each the one used least lately giving way.
constexpr std::size_t keptTables = 4;
constexpr std::size_t keptIndexMaps = 4;
constexpr std::size_t keptFieldMaps = 2;

// A colour table by value, as the key of what is kept for it.
struct TableKey {
    std::array<std::uint32_t, maxEntries> colours;
    std::size_t size = 0;
    std::uint64_t lastUse = 0;

    bool holds(std::span<const std::uint32_t> table) const {
        return size == table.size() && std::equal(table.begin(), table.end(), colours.begin());
    }
    void take(std::span<const std::uint32_t> table, std::uint64_t use) {
        size = std::min(table.size(), maxEntries);
        std::copy_n(table.begin(), size, colours.begin());
        lastUse = use;
    }
};

struct IndexMap {
    TableKey source;
    std::array<std::uint32_t, maxEntries> indices;
};

struct FieldMap {
    ChannelMasks masks;
    MatchKey key;
    bool reduce = false;
    std::uint64_t lastUse = 0;
    std::vector<std::uint8_t> indices;
};

// The slot that matches, else the one used least lately (or never), to be taken over.
template <class Slots, class Matches, class LastUse>
auto& slotFor(Slots& slots, Matches matches, LastUse lastUse) {
    auto found = std::ranges::find_if(slots, matches);
    return found != slots.end() ? *found : *std::ranges::min_element(slots, {}, lastUse);
}

}  // namespace

// What is worked out for one destination table.
struct TableMatch {
    TableKey table;
    NearestGrid grid;
    SmallTableMatch small;
    std::array<IndexMap, keptIndexMaps> indexMaps;
    std::array<FieldMap, keptFieldMaps> fieldMaps;
};

namespace {

struct ThreadMatches {
    std::array<std::unique_ptr<TableMatch>, keptTables> tables;
    std::uint64_t uses = 0;
    std::size_t last = 0;

    TableMatch& find(std::span<const std::uint32_t> table) {
        ++uses;
        if (!tables[last] || !tables[last]->table.holds(table)) {
            const auto held = [&](const std::unique_ptr<TableMatch>& match) {
                return match && match->table.holds(table);
            };
            const auto lastUse = [](const std::unique_ptr<TableMatch>& match) {
                return match ? match->table.lastUse : 0;
            };
            std::unique_ptr<TableMatch>& match = slotFor(tables, held, lastUse);
            last = std::size_t(&match - tables.data());
            if (!match) {
                match = std::make_unique<TableMatch>();
            }
            if (!held(match)) {
                start(*match, table);
            }
        }
        tables[last]->table.lastUse = uses;
        return *tables[last];
    }

    void start(TableMatch& match, std::span<const std::uint32_t> table) const {
        match.table.take(table, uses);
        match.grid.reset(table.first(match.table.size));
        match.small.reset(table.first(match.table.size));
        for (IndexMap& map : match.indexMaps) {
            map.source = {};
        }
        for (FieldMap& map : match.fieldMaps) {
            map.indices.clear();
        }
    }
};

ThreadMatches& threadMatches() {
    thread_local ThreadMatches matches;
    return matches;
}

}  // namespace

ColourMatcher::ColourMatcher(std::span<const std::uint32_t> table)
    : m_match(&threadMatches().find(table)),
      m_grid(&m_match->grid),
      m_small(table.size() <= SmallTableMatch::maxEntries && SmallTableMatch::available()
                  ? &m_match->small
                  : nullptr) {}

std::uint32_t* ColourMatcher::indexMap(std::span<const std::uint32_t> sourceColours) const {
    const std::uint64_t use = ++threadMatches().uses;
    IndexMap& map = slotFor(
        m_match->indexMaps,
        [&](const IndexMap& slot) {
            return slot.source.lastUse != 0 && slot.source.holds(sourceColours);
        },
        [](const IndexMap& slot) { return slot.source.lastUse; });
    if (map.source.lastUse == 0 || !map.source.holds(sourceColours)) {
        map.source.take(sourceColours, use);
        map.indices.fill(unmatchedIndex);
    }
    map.source.lastUse = use;
    return map.indices.data();
}

const std::uint8_t* ColourMatcher::fieldMap(const ChannelMasks& masks, const MatchKey& key,
                                            bool reduce) const {
    const std::uint64_t use = ++threadMatches().uses;
    const auto holds = [&](const FieldMap& slot) {
        return !slot.indices.empty() && slot.masks == masks && slot.key == key &&
               slot.reduce == reduce;
    };
    FieldMap& map =
        slotFor(m_match->fieldMaps, holds, [](const FieldMap& slot) { return slot.lastUse; });
    if (!holds(map)) {
        map.masks = masks;
        map.key = key;
        map.reduce = reduce;
        map.indices.resize(std::size_t(1) << key.bits);
        const ChannelFields fields = ChannelFields::of(masks);
        constexpr std::uint32_t piece = 256;
        std::array<std::uint32_t, piece> colours;
        for (std::uint32_t first = 0; first < map.indices.size(); first += piece) {
            const std::uint32_t n =
                std::min<std::uint32_t>(piece, std::uint32_t(map.indices.size()) - first);
            for (std::uint32_t i = 0; i < n; ++i) {
                const Rgb rgb = fields.toRgb(key.pixelOf(first + i));
                colours[i] = reduce ? rgb.fiveBitKey() : rgb.packed();
            }
            std::uint8_t* indices = map.indices.data() + first;
            if (reduce) {
                std::transform(colours.begin(), colours.begin() + n, indices, [&](std::uint32_t k) {
                    return std::uint8_t(m_grid->nearestToMiddle(k));
                });
            } else {
                nearestOfMany(colours.data(), indices, n);
            }
        }
    }
    map.lastUse = use;
    return map.indices.data();
}

MatchKey MatchKey::of(const ChannelMasks& masks, bool reduce) {
    const ChannelFields fields = ChannelFields::of(masks);
    MatchKey key;
    std::size_t part = 0;
    for (const ChannelField& field : {fields.blue, fields.green, fields.red}) {
        const std::uint32_t kept = std::min(field.width(), reduce ? 5u : 8u);
        key.parts[part++] = {field.lowest() + field.width() - kept, (1u << kept) - 1, key.bits};
        key.bits += kept;
    }
    return key;
}

MatchKey MatchKey::wholeValue(std::uint32_t bits) {
    MatchKey key;
    key.parts[0] = {0, (1u << bits) - 1, 0};
    key.parts[1] = key.parts[2] = {0, 0, bits};
    key.bits = bits;
    return key;
}

std::uint32_t MatchKey::pixelOf(std::uint32_t key) const {
    std::uint32_t pixel = 0;
    for (const Part& part : parts) {
        pixel |= (key >> part.offset & part.mask) << part.shift;
    }
    return pixel;
}

}  // namespace gdi
