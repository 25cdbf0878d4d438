#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gdi {

// The nearest entry of one colour table to a colour, exactly as a search of the whole table
// finds it (squared RGB distance, the lowest index winning a tie), without searching the whole
// table. Colour space is cut into 32 x 32 x 32 cells, one per 5-bit-a-channel key, in blocks of
// 4 x 4 x 4 cells. A box keeps, once first asked, the entries that can be nearest to some colour
// inside it: an entry whose least distance to the box exceeds another's greatest is always
// farther. Cells take theirs from their block's, and most keep one entry. Entries that repeat an
// earlier one's colour never win and are left out.
class NearestGrid {
public:
    NearestGrid();

    // Starts over for another table of at most 256 entries (0x00RRGGBB); boxes are worked out
    // again as they are asked.
    void reset(std::span<const std::uint32_t> table);

    unsigned nearest(std::uint32_t rgb) {
        const std::uint32_t key = (rgb >> 9 & 0x7C00) | (rgb >> 6 & 0x3E0) | (rgb >> 3 & 0x1F);
        std::uint32_t cell = m_cells[key];
        if (cell >> 24 != m_generation || (cell & 0xFFFF) == unknownList) {
            cell = learnCell(key);
        }
        const std::uint32_t list = cell & 0xFFFF;
        if (list == singleEntry) {
            return cell >> 16 & 0xFF;
        }
        const std::uint8_t* entries = list == blockList ? blockEntries(key) : &m_cellLists[list];
        return nearestAmong(entries, rgb);
    }

    // The nearest entry to the middle of the cell of a 5-bit-a-channel key (red in bits 10-14):
    // the colour whose channels are each (c & 0xF8) | 4.
    unsigned nearestToMiddle(std::uint32_t key) {
        const std::uint32_t cell = m_cells[key];
        return (cell >> 24 == m_generation ? cell : learnMiddle(key)) >> 16 & 0xFF;
    }

private:
    // A cell's low 16 bits: its entries not yet worked out, the middle's entry alone, its
    // block's entries, or from firstOffset on where its own list starts in m_cellLists.
    static constexpr std::uint32_t unknownList = 0;
    static constexpr std::uint32_t singleEntry = 1;
    static constexpr std::uint32_t blockList = 2;
    static constexpr std::size_t firstOffset = 3;

    struct Box {
        int red, green, blue, side;
    };

    std::uint32_t learnMiddle(std::uint32_t key);
    std::uint32_t learnCell(std::uint32_t key);
    const std::uint8_t* blockEntries(std::uint32_t key);
    // The entries among `candidates` (positions into the distinct entries, ascending) that can
    // be nearest inside the box, appended to `list` after a count byte.
    void appendCandidates(const Box& box, std::span<const std::uint8_t> candidates,
                          std::vector<std::uint8_t>& list);
    // Lists hold the count less one, then positions into the distinct entries.
    unsigned nearestAmong(const std::uint8_t* list, std::uint32_t rgb) const;

    std::uint32_t m_generation = 0;
    // Per cell: generation, middle's entry, list (see above).
    std::vector<std::uint32_t> m_cells;
    // Per block: generation and where its list starts in m_blockLists.
    std::array<std::uint32_t, 512> m_blocks{};
    std::vector<std::uint8_t> m_blockLists;
    std::vector<std::uint8_t> m_cellLists;
    // The first entry of each colour, in index order, with its channels apart so that loops
    // over them are vector code.
    std::size_t m_distinct = 0;
    std::array<std::uint8_t, 256> m_index{};
    std::array<std::uint8_t, 256> m_allPositions{};
    std::array<std::int32_t, 256> m_red{}, m_green{}, m_blue{};
};

}  // namespace gdi
