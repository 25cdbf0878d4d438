#include "rle_rules.h"

#include <algorithm>

namespace fuzzcheck {

namespace {

struct SetPixel {
    std::int64_t column, line;
    int index;
};

class RleDecoder {
public:
    RleDecoder(std::span<const std::byte> stream, int bitCount, const RleWindow& window)
        : m_stream(stream),
          m_bitCount(bitCount),
          m_window(window),
          m_drawn(std::size_t(window.columns * window.lines), unsetIndex) {}

    std::vector<int> run();

private:
    std::uint32_t byteAt(std::size_t i) const { return std::uint32_t(m_stream[i]); }
    std::size_t left() const { return m_stream.size() - m_next; }
    void set(int index);
    void commit();
    // Returns false where decoding stops.
    bool escape(std::uint32_t code);
    bool literal(std::uint32_t count);

    std::span<const std::byte> m_stream;
    int m_bitCount;
    RleWindow m_window;
    std::vector<int> m_drawn;
    std::vector<SetPixel> m_pending;
    std::size_t m_next = 0;
    std::int64_t m_column = 0;
    std::int64_t m_line = 0;
};

// A run's pixel goes to the current column unless that is past the right edge, where it is
// dropped and the column stays.
void RleDecoder::set(int index) {
    if (m_column >= m_window.areaWidth) {
        return;
    }
    const std::int64_t x = m_column - m_window.firstColumn;
    const std::int64_t y = m_line - m_window.firstLine;
    if (x >= 0 && x < m_window.columns && y >= 0 && y < m_window.lines) {
        m_pending.push_back({x, y, index});
    }
    ++m_column;
}

void RleDecoder::commit() {
    for (const SetPixel& pixel : m_pending) {
        m_drawn[std::size_t(pixel.line * m_window.columns + pixel.column)] = pixel.index;
    }
    m_pending.clear();
}

bool RleDecoder::escape(std::uint32_t code) {
    if (code >= 3) {
        return literal(code);
    }
    commit();
    if (code == 1) {
        return false;
    }
    if (code == 0) {
        m_column = 0;
        ++m_line;
        return m_line < m_window.areaHeight;
    }
    if (left() < 2) {
        return false;
    }
    m_column = std::min(m_column + byteAt(m_next), m_window.areaWidth);
    m_line += byteAt(m_next + 1);
    m_next += 2;
    return m_line < m_window.areaHeight;
}

// Literal pixels, high nibble first with RLE4, padded to an even number of bytes.
bool RleDecoder::literal(std::uint32_t count) {
    const std::size_t bytes = (count * std::size_t(m_bitCount) + 7) / 8;
    if (left() < bytes) {
        return false;
    }
    for (std::uint32_t k = 0; k < count; ++k) {
        const std::uint32_t byte = byteAt(m_next + (m_bitCount == 8 ? k : k / 2));
        set(int(m_bitCount == 8 ? byte : (k % 2 ? byte & 0xF : byte >> 4)));
    }
    m_next += bytes + bytes % 2;
    return true;
}

std::vector<int> RleDecoder::run() {
    while (m_next + 2 <= m_stream.size()) {
        const std::uint32_t count = byteAt(m_next);
        const std::uint32_t data = byteAt(m_next + 1);
        m_next += 2;
        if (count == 0) {
            if (!escape(data)) {
                break;
            }
            continue;
        }
        for (std::uint32_t k = 0; k < count; ++k) {
            set(int(m_bitCount == 8 ? data : (k % 2 ? data & 0xF : data >> 4)));
        }
    }
    return m_drawn;
}

}  // namespace

std::vector<int> decodeRle(std::span<const std::byte> stream, int bitCount,
                           const RleWindow& window) {
    return RleDecoder(stream, bitCount, window).run();
}

}  // namespace fuzzcheck
