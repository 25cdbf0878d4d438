#pragma once

#include "gdi/emulated_gdi.h"
#include "geometry/row_order.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <span>
#include <vector>

namespace gdi {

// Where a decoder puts its pixels. Those of a line wait in one line of indices until the escape
// that follows them, which draws them; pixels are never visited twice (lines go up, columns go
// right), so nothing else is kept.
class RleLine {
public:
    // Draws `count` indices of a scan line from a column.
    using Draw = std::function<void(std::int64_t scanLine, std::int64_t column,
                                    const std::byte* indices, std::size_t count)>;

    // The window is the part of the decode area whose pixels can reach the destination, in
    // columns and scan lines counted from the area's bottom-left corner.
    RleLine(geometry::Span columns, geometry::Span scanLines, Draw draw);

    // Store `count` pixels of a scan line from a column; pixels outside the window are dropped.
    // Stores may run up to fifteen bytes past a run, at most into the slack after the line: those
    // bytes are either stored again by the runs that follow or never drawn.
    // A run of one index (RLE8).
    void fill(std::int64_t column, std::int64_t scanLine, std::int64_t count, std::byte index) {
        const Part part = partOf(column, scanLine, count);
        storePattern(part, std::to_integer<std::uint64_t>(index) * 0x0101010101010101u);
    }
    // A run of two indices by turns, the first at the run's first pixel (RLE4).
    void alternate(std::int64_t column, std::int64_t scanLine, std::int64_t count, std::byte first,
                   std::byte second) {
        const Part part = partOf(column, scanLine, count);
        const bool odd = part.first % 2 != 0;
        const auto even = std::to_integer<std::uint64_t>(odd ? second : first);
        const auto next = std::to_integer<std::uint64_t>(odd ? first : second);
        storePattern(part, even * 0x0001000100010001u | next * 0x0100010001000100u);
    }
    // Literal indices, one a byte (RLE8), of which `readable` bytes may be read: a run of up to
    // 16 as two 8-byte words where the bytes after it allow, so that run lengths take no branch.
    void copy(std::int64_t column, std::int64_t scanLine, std::int64_t count,
              const std::byte* indices, std::size_t readable) {
        const Part part = partOf(column, scanLine, count);
        const std::byte* from = indices + part.first;
        if (part.size() <= 2 * sizeof(std::uint64_t) &&
            std::size_t(part.first) + 2 * sizeof(std::uint64_t) <= readable) {
            std::memcpy(part.start, from, sizeof(std::uint64_t));
            std::memcpy(part.start + sizeof(std::uint64_t), from + sizeof(std::uint64_t),
                        sizeof(std::uint64_t));
            return;
        }
        std::memcpy(part.start, from, part.size());
    }
    // Literal indices, two a byte, the high nibble first (RLE4), of which `readable` bytes may be
    // read: a run of up to 16 from eight bytes at once where the bytes after it allow, so that
    // run lengths take no branch; longer ones a byte at a time, an odd run storing one index
    // more past its end.
    void unpack(std::int64_t column, std::int64_t scanLine, std::int64_t count,
                const std::byte* nibbles, std::size_t readable) {
        const Part part = partOf(column, scanLine, count);
        const std::size_t pair = std::size_t(part.first) / 2;
        if (part.size() <= 16 && pair + 2 * sizeof(std::uint32_t) <= readable) {
            std::uint32_t halves[2];
            std::memcpy(halves, nibbles + pair, sizeof halves);
            const std::uint64_t spread[3] = {spreadNibbles(halves[0]), spreadNibbles(halves[1]), 0};
            std::memcpy(part.start, reinterpret_cast<const std::byte*>(spread) + part.first % 2,
                        16);
            return;
        }
        std::byte* out = part.start;
        std::int64_t k = part.first;
        if (k < part.end && k % 2 != 0) {
            *out++ = nibbles[k / 2] & std::byte{0xF};
            ++k;
        }
        for (; k < part.end; k += 2, out += 2) {
            const std::byte pair = nibbles[k / 2];
            out[0] = pair >> 4;
            out[1] = pair & std::byte{0xF};
        }
    }
    // Draws columns [from, to) of a scan line, as stored before.
    void draw(std::int64_t scanLine, std::int64_t from, std::int64_t to) const;

private:
    static constexpr std::size_t slackBytes = 16;

    // The pixels [first, end) of a run that lie in the window, and where pixel `first` goes; an
    // empty part, whose stores go into the slack, for a run outside the window.
    struct Part {
        std::byte* start;
        std::int64_t first, end;

        std::size_t size() const { return std::size_t(end - first); }
    };

    Part partOf(std::int64_t column, std::int64_t scanLine, std::int64_t count) {
        const std::int64_t first = std::max(m_columns.begin - column, std::int64_t(0));
        const std::int64_t end = std::min(m_columns.end - column, count);
        if (!m_scanLines.contains(scanLine) || first >= end) {
            return {m_indices.data() + (m_columns.end - m_columns.begin), 0, 0};
        }
        return {m_indices.data() + (column + first - m_columns.begin), first, end};
    }

    // Runs of up to 16 pixels are two words, whatever their length.
    // The eight nibbles of four bytes, one a byte in stream order: each byte moves to an even
    // byte of the word, then its high nibble stays there and its low nibble goes one byte up.
    static std::uint64_t spreadNibbles(std::uint32_t four) {
        std::uint64_t word = four;
        word = (word | word << 16) & 0x0000FFFF0000FFFFu;
        word = (word | word << 8) & 0x00FF00FF00FF00FFu;
        return (word >> 4 & 0x000F000F000F000Fu) | (word & 0x000F000F000F000Fu) << 8;
    }

    static void storePattern(const Part& part, std::uint64_t pattern) {
        std::memcpy(part.start, &pattern, sizeof pattern);
        std::memcpy(part.start + sizeof pattern, &pattern, sizeof pattern);
        for (std::size_t i = 2 * sizeof pattern; i < part.size(); i += sizeof pattern) {
            std::memcpy(part.start + i, &pattern, sizeof pattern);
        }
    }

    geometry::Span m_columns;
    geometry::Span m_scanLines;
    Draw m_draw;
    // The window's columns, then the slack.
    std::vector<std::byte> m_indices;
};

// The size of the decode area in columns and scan lines.
struct RleArea {
    std::int64_t width, height;
};

// Decodes a BI_RLE8 (bitCount 8) or BI_RLE4 (bitCount 4) stream from scan line 0, column 0.
// Runs stop at the area's right edge; an end of line or delta above its top ends decoding, and so
// does a stream too short for its next pair, delta or literal bytes. The pixels of a line are
// drawn only at the escape that follows them, so the runs of a last line that no escape closes
// are not drawn.
void decodeRle(std::span<const std::byte> stream, WORD bitCount, RleArea area, RleLine& line);

}  // namespace gdi
