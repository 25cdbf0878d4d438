#include "dib/dib_listing.h"

#include <cstdint>
#include <cstdio>

namespace dib {

namespace {

std::string hexBytes(std::span<const std::byte> bytes) {
    std::string text;
    for (const std::byte b : bytes) {
        char pair[4];
        std::snprintf(pair, sizeof pair, "%02x", std::to_integer<unsigned>(b));
        text += text.empty() ? "" : " ";
        text += pair;
    }
    return text;
}

// Reads the stream pair by pair as the decoder does, keeping the position: x from the left,
// scan lines from the bottom.
class RleReader {
public:
    RleReader(std::span<const std::byte> stream, WORD bitCount, LONG height)
        : m_stream(stream), m_bitCount(bitCount), m_height(height) {}

    std::vector<std::string> lines() {
        std::vector<std::string> out;
        while (m_at < m_stream.size() && !m_ended) {
            out.push_back(nextLine());
        }
        if (m_at < m_stream.size()) {
            out.push_back(hexBytes(m_stream.subspan(m_at)) + ": " +
                          std::to_string(m_stream.size() - m_at) +
                          " bytes after the end of bitmap, never read");
        }
        return out;
    }

private:
    unsigned byteAt(std::size_t offset) const {
        return std::to_integer<unsigned>(m_stream[offset]);
    }

    std::string line(std::size_t bytes, const std::string& meaning) {
        const std::string text = hexBytes(m_stream.subspan(m_at, bytes)) + ": " + meaning;
        m_at += bytes;
        return text;
    }

    // "row 1, x 0-2": where a run's pixels go, rows numbered from 1 in the stream's order, as
    // the window labels them.
    std::string position(std::uint64_t count) const {
        const std::string row = m_scanLine < m_height
                                    ? "row " + std::to_string(m_scanLine + 1)
                                    : "above the top row";
        const std::string last = std::to_string(m_x + count - 1);
        return row + ", x " + std::to_string(m_x) + (count > 1 ? "-" + last : "");
    }

    std::string nextLine() {
        if (m_stream.size() - m_at < 2) {
            return line(1, "1 byte left over, not a whole pair");
        }
        const unsigned count = byteAt(m_at);
        const unsigned value = byteAt(m_at + 1);
        if (count > 0) {
            return encodedRun(count, value);
        }
        switch (value) {
            case 0:
                m_x = 0;
                ++m_scanLine;
                return line(2, "end of line");
            case 1:
                m_ended = true;
                return line(2, "end of bitmap");
            case 2:
                return delta();
            default:
                return absoluteRun(value);
        }
    }

    std::string encodedRun(unsigned count, unsigned value) {
        std::string meaning;
        if (m_bitCount == 8 || value >> 4 == (value & 0xF) || count == 1) {
            const unsigned index = m_bitCount == 8 ? value : value >> 4;
            meaning = "run of " + std::to_string(count) + " \u00d7 index " + std::to_string(index);
        } else {
            meaning = "run of " + std::to_string(count) + " alternating indices " +
                      std::to_string(value >> 4) + " and " + std::to_string(value & 0xF);
        }
        meaning += " (" + position(count) + ")";
        m_x += count;
        return line(2, meaning);
    }

    std::string delta() {
        if (m_stream.size() - m_at < 4) {
            return line(m_stream.size() - m_at, "delta cut short: it needs 2 more bytes");
        }
        const unsigned right = byteAt(m_at + 2);
        const unsigned up = byteAt(m_at + 3);
        m_x += right;
        m_scanLine += up;
        return line(4, "delta: " + std::to_string(right) + " right, " + std::to_string(up) +
                           " up, to " + position(1));
    }

    std::string absoluteRun(unsigned count) {
        const std::size_t dataBytes = m_bitCount == 8 ? count : (count + 1) / 2;
        const std::size_t padBytes = dataBytes % 2;
        if (m_stream.size() - m_at - 2 < dataBytes + padBytes) {
            return line(m_stream.size() - m_at,
                        "absolute run of " + std::to_string(count) + " cut short: it needs " +
                            std::to_string(dataBytes + padBytes) + " bytes after its 2");
        }
        std::string indices;
        for (unsigned i = 0; i < count; ++i) {
            const unsigned byte = byteAt(m_at + 2 + (m_bitCount == 8 ? i : i / 2));
            const unsigned index = m_bitCount == 8 ? byte : i % 2 == 0 ? byte >> 4 : byte & 0xF;
            indices += (i == 0 ? "" : " ") + std::to_string(index);
        }
        std::string meaning = "absolute run of " + std::to_string(count) + ": " + indices;
        if (padBytes) {
            meaning += ", 1 pad byte";
        }
        meaning += " (" + position(count) + ")";
        m_x += count;
        return line(2 + dataBytes + padBytes, meaning);
    }

    std::span<const std::byte> m_stream;
    WORD m_bitCount;
    std::int64_t m_height;
    std::size_t m_at = 0;
    std::uint64_t m_x = 0;
    std::int64_t m_scanLine = 0;
    bool m_ended = false;
};

}  // namespace

std::vector<std::string> listRleStream(std::span<const std::byte> stream, WORD bitCount,
                                       LONG height) {
    return RleReader(stream, bitCount, height).lines();
}

}  // namespace dib
