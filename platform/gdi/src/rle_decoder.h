#pragma once

#include "gdi/emulated_gdi.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace gdi {

// Decoded RLE pixels, kept for a window of the decode area (the part that can reach the
// destination): one index byte per pixel and a mark for each pixel the stream set. Columns and
// scan lines count from the decode area's bottom-left corner.
class RleCanvas {
public:
    RleCanvas(std::int64_t left, std::int64_t bottom, std::int64_t width, std::int64_t height);

    // Stores `count` pixels from a column; pixel k takes pick(k). Pixels outside the window are
    // dropped.
    template <class Pick>
    void put(std::int64_t column, std::int64_t scanLine, std::int64_t count, Pick pick) {
        const std::int64_t y = scanLine - m_bottom;
        const std::int64_t first = std::max(m_left - column, std::int64_t(0));
        const std::int64_t end = std::min(m_left + m_width - column, count);
        if (y < 0 || y >= m_height || first >= end) {
            return;
        }
        std::byte* row = m_indices.data() + y * m_width + (column - m_left);
        for (std::int64_t k = first; k < end; ++k) {
            row[k] = std::byte(pick(k));
        }
    }
    // Marks columns [from, to) of a scan line as set.
    void mark(std::int64_t scanLine, std::int64_t from, std::int64_t to);

    std::int64_t left() const { return m_left; }
    std::int64_t bottom() const { return m_bottom; }
    std::int64_t width() const { return m_width; }
    std::int64_t height() const { return m_height; }
    const std::byte* indices(std::int64_t scanLine) const;
    const std::uint8_t* marks(std::int64_t scanLine) const;

private:
    std::int64_t m_left, m_bottom, m_width, m_height;
    std::vector<std::byte> m_indices;
    std::vector<std::uint8_t> m_marks;
};

// The size of the decode area in columns and scan lines.
struct RleArea {
    std::int64_t width, height;
};

// Decodes a BI_RLE8 (bitCount 8) or BI_RLE4 (bitCount 4) stream from scan line 0, column 0.
// Runs stop at the area's right edge; an end of line or delta above its top ends decoding, and so
// does a stream too short for its next pair, delta or literal bytes. The pixels of a line are
// marked set only at the escape that follows them, so the runs of a last line that no escape
// closes are not drawn.
void decodeRle(std::span<const std::byte> stream, WORD bitCount, RleArea area, RleCanvas& canvas);

}  // namespace gdi
