#include "dib/rle_encoder.h"

#include "dib/pixel_rows.h"

#include <algorithm>
#include <cassert>
#include <cstdint>

namespace dib {

namespace {

constexpr std::size_t longestRun = 255;
// An even count, so that an absolute run of RLE8 bytes needs no padding past 255 bytes: Wine's
// gdi32 misreads an absolute run of 255.
constexpr std::size_t longestAbsoluteRun = 254;

class LineEncoder {
public:
    LineEncoder(unsigned bitCount, std::vector<std::byte>& out)
        : m_bitCount(bitCount), m_out(out) {}

    void encode(std::span<const std::uint32_t> line) {
        m_line = line;
        std::size_t x = 0;
        while (x < line.size()) {
            const std::size_t run = runAt(x);
            if (run >= shortestRun()) {
                putRun(x, run);
                x += run;
                continue;
            }
            std::size_t end = x + 1;
            while (end < line.size() && end - x < longestAbsoluteRun &&
                   runAt(end) < shortestRun()) {
                ++end;
            }
            putLiterals(x, end - x);
            x = end;
        }
        put(0, 0);
    }

private:
    bool rle4() const { return m_bitCount == 4; }
    // RLE4 takes any two pixels in one run, so only three or more are worth one.
    std::size_t shortestRun() const { return rle4() ? 3 : 2; }

    // How many pixels from x one encoded run holds: equal indices, or for RLE4 indices that
    // alternate between the first two.
    std::size_t runAt(std::size_t x) const {
        const std::size_t period = rle4() ? 2 : 1;
        std::size_t length = 1;
        while (x + length < m_line.size() && length < longestRun &&
               (length < period || m_line[x + length] == m_line[x + length - period])) {
            ++length;
        }
        return length;
    }

    void put(std::uint32_t first, std::uint32_t second) {
        m_out.push_back(std::byte(first));
        m_out.push_back(std::byte(second));
    }

    void putRun(std::size_t x, std::size_t count) {
        if (!rle4()) {
            put(std::uint32_t(count), m_line[x]);
            return;
        }
        const std::uint32_t second = count > 1 ? m_line[x + 1] : m_line[x];
        put(std::uint32_t(count), m_line[x] << 4 | second);
    }

    // One or two pixels go as runs; three or more as an absolute run.
    void putLiterals(std::size_t x, std::size_t count) {
        if (count < 3) {
            if (rle4()) {
                putRun(x, count);
            } else {
                for (std::size_t i = 0; i < count; ++i) {
                    putRun(x + i, 1);
                }
            }
            return;
        }
        put(0, std::uint32_t(count));
        const std::size_t start = m_out.size();
        for (std::size_t i = 0; i < count; i += rle4() ? 2 : 1) {
            const std::uint32_t low = rle4() && i + 1 < count ? m_line[x + i + 1] : 0;
            m_out.push_back(std::byte(rle4() ? m_line[x + i] << 4 | low : m_line[x + i]));
        }
        if ((m_out.size() - start) % 2 != 0) {
            m_out.push_back(std::byte{0});
        }
    }

    unsigned m_bitCount;
    std::vector<std::byte>& m_out;
    std::span<const std::uint32_t> m_line;
};

}  // namespace

std::vector<std::byte> encodeRle(const gdi::DibFormat& format, std::span<const std::byte> bits) {
    assert(format.bitCount == 8 || format.bitCount == 4);
    assert(bits.size() >= format.imageBytes());
    std::vector<std::byte> stream;
    const auto width = std::size_t(std::max<LONG>(format.width, 0));
    const auto height = std::size_t(std::max<LONG>(format.height, 0));
    std::vector<std::uint32_t> line(width);
    LineEncoder encoder(format.bitCount, stream);
    for (std::size_t scanLine = 0; scanLine < height; ++scanLine) {
        const std::size_t bufferRow = gdi::bufferRowOf(height - 1 - scanLine, height, format.order);
        readRow(bits.data() + bufferRow * format.stride(), format.bitCount, line);
        encoder.encode(line);
    }
    stream.push_back(std::byte{0});
    stream.push_back(std::byte{1});
    return stream;
}

}  // namespace dib
