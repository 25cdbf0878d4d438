#include "rle_decoder.h"

#include <algorithm>

namespace gdi {

RleLine::RleLine(geometry::Span columns, geometry::Span scanLines, Draw draw)
    : m_columns(columns),
      m_scanLines(scanLines),
      m_draw(std::move(draw)),
      m_indices(std::size_t(columns.size()) + slackBytes) {}

void RleLine::draw(std::int64_t scanLine, std::int64_t from, std::int64_t to) const {
    const std::int64_t first = std::max(from, m_columns.begin);
    const std::int64_t end = std::min(to, m_columns.end);
    if (m_scanLines.contains(scanLine) && first < end) {
        m_draw(scanLine, first, m_indices.data() + (first - m_columns.begin),
               std::size_t(end - first));
    }
}

namespace {

enum class Escape : std::uint8_t { EndOfLine = 0, EndOfBitmap = 1, Delta = 2 };

// Walks the stream pair by pair, tracking the position and the pixels set since the last escape.
template <WORD bitCount>
class RleDecoder {
public:
    RleDecoder(std::span<const std::byte> stream, RleArea area, RleLine& line)
        : m_stream(stream), m_area(area), m_line(line) {}

    void run() {
        while (m_next + 2 <= m_stream.size()) {
            const std::uint32_t count = byteAt(m_next);
            const std::byte value = m_stream[m_next + 1];
            m_next += 2;
            if (count > 0) {
                encodedRun(count, value);
            } else if (value >= std::byte{3}) {
                if (!absoluteRun(std::to_integer<std::uint32_t>(value))) {
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
    void encodedRun(std::uint32_t count, std::byte value) {
        const std::int64_t drawn = clippedCount(count);
        if constexpr (bitCount == 8) {
            m_line.fill(m_column, m_scanLine, drawn, value);
        } else {
            m_line.alternate(m_column, m_scanLine, drawn, value >> 4, value & std::byte{0xF});
        }
        m_column += drawn;
    }

    // The literal bytes must all be present; a padding byte keeps the stream at even offsets and
    // may be missing at its end.
    bool absoluteRun(std::uint32_t count) {
        const std::size_t bytes = (count * bitCount + 7) / 8;
        if (bytes > m_stream.size() - m_next) {
            return false;
        }
        const std::int64_t drawn = clippedCount(count);
        const std::byte* literal = m_stream.data() + m_next;
        if constexpr (bitCount == 8) {
            m_line.copy(m_column, m_scanLine, drawn, literal, m_stream.size() - m_next);
        } else {
            m_line.unpack(m_column, m_scanLine, drawn, literal, m_stream.size() - m_next);
        }
        m_column += drawn;
        m_next += bytes + bytes % 2;
        return true;
    }

    bool escape(Escape escape) {
        m_line.draw(m_scanLine, m_lineStart, m_column);
        switch (escape) {
            case Escape::EndOfLine:
                m_column = m_lineStart = 0;
                return ++m_scanLine < m_area.height;
            case Escape::EndOfBitmap:
                return false;
            case Escape::Delta:
                if (m_stream.size() - m_next < 2) {
                    return false;
                }
                m_column = m_lineStart = std::min(m_column + byteAt(m_next), m_area.width);
                m_scanLine += byteAt(m_next + 1);
                m_next += 2;
                return m_scanLine < m_area.height;
        }
        return false;
    }

    std::span<const std::byte> m_stream;
    RleArea m_area;
    RleLine& m_line;
    std::size_t m_next = 0;
    std::int64_t m_column = 0;
    std::int64_t m_scanLine = 0;
    // The column where the pixels not yet drawn on this line begin.
    std::int64_t m_lineStart = 0;
};

}  // namespace

void decodeRle(std::span<const std::byte> stream, WORD bitCount, RleArea area, RleLine& line) {
    if (bitCount == 8) {
        RleDecoder<8>(stream, area, line).run();
    } else {
        RleDecoder<4>(stream, area, line).run();
    }
}

}  // namespace gdi
