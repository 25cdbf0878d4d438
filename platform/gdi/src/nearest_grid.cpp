#include "nearest_grid.h"

#include <algorithm>
#include <limits>

namespace gdi {

namespace {

constexpr std::size_t cellCount = std::size_t(1) << 15;
constexpr int cellSide = 8;
constexpr int blockSide = 32;
constexpr std::size_t maxCellLists = 0xFFFF;

std::int32_t square(std::int32_t value) {
    return value * value;
}

std::int32_t channelOf(std::uint32_t rgb, int shift) {
    return std::int32_t(rgb >> shift & 0xFF);
}

// The block of a cell: the top 3 of each channel's 5 key bits.
std::uint32_t blockOf(std::uint32_t key) {
    return (key >> 12 & 7) << 6 | (key >> 7 & 7) << 3 | (key >> 2 & 7);
}

}  // namespace

NearestGrid::NearestGrid() : m_cells(cellCount, 0) {
    for (std::size_t i = 0; i < m_allPositions.size(); ++i) {
        m_allPositions[i] = std::uint8_t(i);
    }
}

void NearestGrid::reset(std::span<const std::uint32_t> table) {
    // Words of older tables are told apart by their generation; when it wraps they are cleared.
    if (++m_generation == 256) {
        m_generation = 1;
        std::ranges::fill(m_cells, 0);
        m_blocks.fill(0);
    }
    m_blockLists.clear();
    m_cellLists.assign(firstOffset, 0);
    // No table: every colour is matched to index 0, as a black entry would be.
    static constexpr std::uint32_t black[] = {0};
    if (table.empty()) {
        table = black;
    }
    std::array<std::uint32_t, 512> seen{};
    m_distinct = 0;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const std::uint32_t marked = (table[i] & 0xFFFFFF) + 1;
        std::uint32_t slot = (marked * 0x9E3779B1u) >> 23;
        while (seen[slot] != 0 && seen[slot] != marked) {
            slot = (slot + 1) % seen.size();
        }
        if (seen[slot] == 0) {
            seen[slot] = marked;
            m_index[m_distinct] = std::uint8_t(i);
            m_red[m_distinct] = channelOf(table[i], 16);
            m_green[m_distinct] = channelOf(table[i], 8);
            m_blue[m_distinct] = channelOf(table[i], 0);
            ++m_distinct;
        }
    }
}

void NearestGrid::appendCandidates(const Box& box, std::span<const std::uint8_t> candidates,
                                   std::vector<std::uint8_t>& list) {
    std::array<std::int32_t, 256> least;
    std::array<std::int32_t, 256> most;
    const auto apart = [&](std::int32_t value, int low) {
        return std::max({low - value, value - (low + box.side - 1), 0});
    };
    const auto across = [&](std::int32_t value, int low) {
        return std::max(value - low, low + box.side - 1 - value);
    };
    std::int32_t bound = std::numeric_limits<std::int32_t>::max();
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        const std::uint8_t p = candidates[i];
        least[i] = square(apart(m_red[p], box.red)) + square(apart(m_green[p], box.green)) +
                   square(apart(m_blue[p], box.blue));
        most[i] = square(across(m_red[p], box.red)) + square(across(m_green[p], box.green)) +
                  square(across(m_blue[p], box.blue));
        bound = std::min(bound, most[i]);
    }
    const std::size_t start = list.size();
    list.push_back(0);
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        if (least[i] <= bound) {
            list.push_back(candidates[i]);
        }
    }
    list[start] = std::uint8_t(list.size() - start - 2);
}

unsigned NearestGrid::nearestAmong(const std::uint8_t* list, std::uint32_t rgb) const {
    const std::int32_t red = channelOf(rgb, 16);
    const std::int32_t green = channelOf(rgb, 8);
    const std::int32_t blue = channelOf(rgb, 0);
    const std::size_t count = std::size_t(list[0]) + 1;
    std::int32_t best = std::numeric_limits<std::int32_t>::max();
    std::uint8_t winner = 0;
    for (std::size_t i = 1; i <= count; ++i) {
        const std::uint8_t p = list[i];
        const std::int32_t distance =
            square(m_red[p] - red) + square(m_green[p] - green) + square(m_blue[p] - blue);
        if (distance < best) {
            best = distance;
            winner = p;
        }
    }
    return m_index[winner];
}

const std::uint8_t* NearestGrid::blockEntries(std::uint32_t key) {
    std::uint32_t& block = m_blocks[blockOf(key)];
    if (block >> 24 != m_generation) {
        const std::uint32_t b = blockOf(key);
        const Box box{int(b >> 6) * blockSide, int(b >> 3 & 7) * blockSide, int(b & 7) * blockSide,
                      blockSide};
        block = m_generation << 24 | std::uint32_t(m_blockLists.size());
        appendCandidates(box, {m_allPositions.data(), m_distinct}, m_blockLists);
    }
    return &m_blockLists[block & 0xFFFFFF];
}

std::uint32_t NearestGrid::learnMiddle(std::uint32_t key) {
    const std::uint32_t middle = (key << 9 & 0xF80000) | (key << 6 & 0xF800) | (key << 3 & 0xF8);
    const unsigned index = nearestAmong(blockEntries(key), middle | 0x040404);
    m_cells[key] = m_generation << 24 | index << 16 | unknownList;
    return m_cells[key];
}

std::uint32_t NearestGrid::learnCell(std::uint32_t key) {
    const std::uint32_t cell = nearestToMiddle(key) << 16;
    const std::uint8_t* block = blockEntries(key);
    const std::size_t blockCount = std::size_t(block[0]) + 1;
    std::uint32_t list = blockList;
    if (blockCount == 1) {
        list = singleEntry;
    } else if (m_cellLists.size() + blockCount + 1 <= maxCellLists) {
        const Box box{int(key >> 10) * cellSide, int(key >> 5 & 0x1F) * cellSide,
                      int(key & 0x1F) * cellSide, cellSide};
        const std::size_t start = m_cellLists.size();
        appendCandidates(box, {block + 1, blockCount}, m_cellLists);
        if (m_cellLists[start] == 0) {
            m_cellLists.resize(start);
            list = singleEntry;
        } else {
            list = std::uint32_t(start);
        }
    }
    m_cells[key] = m_generation << 24 | cell | list;
    return m_cells[key];
}

}  // namespace gdi
