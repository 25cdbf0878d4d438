#include "rle_decoder.h"

#include <algorithm>

namespace gdi {

RleCanvas::RleCanvas(std::int64_t left, std::int64_t bottom, std::int64_t width,
                     std::int64_t height)
    : m_left(left),
      m_bottom(bottom),
      m_width(width),
      m_height(height),
      m_indices(std::size_t(width * height)),
      m_marks(std::size_t(width * height)) {}

void RleCanvas::mark(std::int64_t scanLine, std::int64_t from, std::int64_t to) {
    const std::int64_t y = scanLine - m_bottom;
    const std::int64_t first = std::max(from - m_left, std::int64_t(0));
    const std::int64_t end = std::min(to - m_left, m_width);
    if (y >= 0 && y < m_height && first < end) {
        std::fill_n(m_marks.begin() + y * m_width + first, end - first, std::uint8_t(1));
    }
}

const std::byte* RleCanvas::indices(std::int64_t scanLine) const {
    return m_indices.data() + (scanLine - m_bottom) * m_width;
}

const std::uint8_t* RleCanvas::marks(std::int64_t scanLine) const {
    return m_marks.data() + (scanLine - m_bottom) * m_width;
}

namespace {

enum class Escape : std::uint8_t { EndOfLine = 0, EndOfBitmap = 1, Delta = 2 };

// Walks the stream pair by pair, tracking the position and the pixels set since the last escape.
class RleDecoder {
public:
    RleDecoder(std::span<const std::byte> stream, WORD bitCount, RleArea area, RleCanvas& canvas)
        : m_stream(stream), m_bitCount(bitCount), m_area(area), m_canvas(canvas) {}

    void run() {
        while (m_next + 2 <= m_stream.size()) {
            const std::uint32_t count = byteAt(m_next);
            const std::uint32_t value = byteAt(m_next + 1);
            m_next += 2;
            if (count > 0) {
                encodedRun(count, value);
            } else if (value >= 3) {
                if (!absoluteRun(value)) {
                    return;
                }
            } else if (!escape(Escape(value))) {
                return;
            }
        }
    }

private:
    std::uint32_t byteAt(std::size_t offset) const {
        return std::to_integer<std::uint32_t>(m_stream[offset]);
    }

    std::int64_t clippedCount(std::uint32_t count) const {
        return std::min<std::int64_t>(count, m_area.width - m_column);
    }

    // RLE4 runs alternate the high and the low nibble, starting high whatever the column.
    void encodedRun(std::uint32_t count, std::uint32_t value) {
        const std::int64_t drawn = clippedCount(count);
        if (m_bitCount == 8) {
            m_canvas.put(m_column, m_line, drawn, [value](std::int64_t) { return value; });
        } else {
            m_canvas.put(m_column, m_line, drawn,
                         [value](std::int64_t k) { return value >> (k % 2 ? 0 : 4) & 0xF; });
        }
        m_column += drawn;
    }

    // The literal bytes must all be present; a padding byte keeps the stream at even offsets and
    // may be missing at its end.
    bool absoluteRun(std::uint32_t count) {
        const std::size_t bytes = (count * m_bitCount + 7) / 8;
        if (bytes > m_stream.size() - m_next) {
            return false;
        }
        const std::int64_t drawn = clippedCount(count);
        const std::byte* literal = m_stream.data() + m_next;
        if (m_bitCount == 8) {
            m_canvas.put(m_column, m_line, drawn, [literal](std::int64_t k) { return literal[k]; });
        } else {
            m_canvas.put(m_column, m_line, drawn, [literal](std::int64_t k) {
                return std::to_integer<std::uint32_t>(literal[k / 2]) >> (k % 2 ? 0 : 4) & 0xF;
            });
        }
        m_column += drawn;
        m_next += bytes + bytes % 2;
        return true;
    }

    bool escape(Escape escape) {
        m_canvas.mark(m_line, m_lineStart, m_column);
        switch (escape) {
            case Escape::EndOfLine:
                m_column = m_lineStart = 0;
                return ++m_line < m_area.height;
            case Escape::EndOfBitmap:
                return false;
            case Escape::Delta:
                if (m_stream.size() - m_next < 2) {
                    return false;
                }
                m_column = m_lineStart = std::min(m_column + byteAt(m_next), m_area.width);
                m_line += byteAt(m_next + 1);
                m_next += 2;
                return m_line < m_area.height;
        }
        return false;
    }

    std::span<const std::byte> m_stream;
    WORD m_bitCount;
    RleArea m_area;
    RleCanvas& m_canvas;
    std::size_t m_next = 0;
    std::int64_t m_column = 0;
    std::int64_t m_line = 0;
    // The column where the pixels not yet marked on this line begin.
    std::int64_t m_lineStart = 0;
};

}  // namespace

void decodeRle(std::span<const std::byte> stream, WORD bitCount, RleArea area, RleCanvas& canvas) {
    RleDecoder(stream, bitCount, area, canvas).run();
}

}  // namespace gdi
