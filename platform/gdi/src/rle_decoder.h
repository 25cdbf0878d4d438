#pragma once

#include "gdi/emulated_gdi.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

namespace gdi {

// The part of the decode area whose pixels can reach the destination, in columns and scan lines
// counted from the area's bottom-left corner.
struct RleWindow {
    std::int64_t left, bottom, width, height;
};

// Where a decoder puts its pixels. Those of a line wait in one line of indices until the escape
// that follows them, which draws them; pixels are never visited twice (lines go up, columns go
// right), so nothing else is kept.
class RleLine {
public:
    // Draws `count` indices of a scan line from a column.
    using Draw = std::function<void(std::int64_t scanLine, std::int64_t column,
                                    const std::byte* indices, std::size_t count)>;

    RleLine(RleWindow window, Draw draw);

    // Stores `count` pixels of a scan line from a column; pixel k takes pick(k). Pixels outside
    // the window are dropped.
    template <class Pick>
    void put(std::int64_t column, std::int64_t scanLine, std::int64_t count, Pick pick) {
        const std::int64_t first = std::max(m_window.left - column, std::int64_t(0));
        const std::int64_t end = std::min(m_window.left + m_window.width - column, count);
        if (!holds(scanLine) || first >= end) {
            return;
        }
        std::byte* pixels = m_indices.data() + (column - m_window.left);
        for (std::int64_t k = first; k < end; ++k) {
            pixels[k] = std::byte(pick(k));
        }
    }
    // Draws columns [from, to) of a scan line, as put before.
    void draw(std::int64_t scanLine, std::int64_t from, std::int64_t to) const;

private:
    bool holds(std::int64_t scanLine) const {
        return scanLine >= m_window.bottom && scanLine < m_window.bottom + m_window.height;
    }

    RleWindow m_window;
    Draw m_draw;
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
