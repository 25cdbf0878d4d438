#include "speed_call.h"

#include <algorithm>
#include <span>

namespace difftest {

namespace {

// A fixed sequence of bytes (a linear congruential generator), the same in both builds.
class Noise {
public:
    std::uint8_t next() {
        m_state = m_state * 1664525u + 1013904223u;
        return std::uint8_t(m_state >> 24);
    }

private:
    std::uint32_t m_state = 12345;
};

class StreamBuilder {
public:
    explicit StreamBuilder(std::uint32_t bitCount) : m_bitCount(bitCount) {}

    void encoded(std::uint32_t length, std::uint8_t value) { pair(length, value); }

    void absolute(std::uint32_t length, Noise& noise) {
        pair(0, length);
        const std::uint32_t bytes = (length * m_bitCount + 7) / 8;
        for (std::uint32_t i = 0; i < bytes; ++i) {
            m_bytes.push_back(std::byte{noise.next()});
        }
        if (bytes % 2 == 1) {
            m_bytes.push_back(std::byte{0});
        }
    }

    void pair(std::uint32_t first, std::uint32_t second) {
        m_bytes.push_back(std::byte(first));
        m_bytes.push_back(std::byte(second));
    }

    std::vector<std::byte> take() { return std::move(m_bytes); }

private:
    std::uint32_t m_bitCount;
    std::vector<std::byte> m_bytes;
};

// Every line: encoded runs of 1 to 16 pixels alternating with absolute runs of 3 to 16, then an
// end of line; an end of bitmap after the last.
std::vector<std::byte> rleStream(const TestFormat& format, std::uint32_t width,
                                 std::uint32_t height) {
    StreamBuilder stream(format.bitCount);
    Noise noise;
    for (std::uint32_t line = 0; line < height; ++line) {
        std::uint32_t x = 0;
        bool literal = false;
        while (x < width) {
            const std::uint32_t left = width - x;
            const std::uint32_t length = std::min<std::uint32_t>(left, 1 + noise.next() % 16);
            if (literal && length >= 3) {
                stream.absolute(length, noise);
            } else {
                stream.encoded(length, noise.next());
            }
            literal = !literal;
            x += length;
        }
        stream.pair(0, line + 1 < height ? 0 : 1);
    }
    return stream.take();
}

gdi::DibFormat withDefaultTable(gdi::DibFormat format, const TestFormat& test) {
    if (test.indexed()) {
        format.colours = defaultColourTable(test);
    }
    return format;
}

}  // namespace

std::vector<DWORD> defaultColourTable(const TestFormat& format) {
    std::vector<DWORD> table(std::size_t(1) << format.bitCount);
    for (std::size_t i = 0; i < table.size(); ++i) {
        table[i] = DWORD((std::uint32_t(i + 1) * 0x9E3779B1u) >> 8);
    }
    return table;
}

SpeedSource::SpeedSource(const TestFormat& format, std::uint32_t width, std::uint32_t height)
    : m_width(width), m_height(height) {
    gdi::DibFormat header = withDefaultTable(
        format.dibFormat(LONG(width), LONG(height), gdi::RowOrder::BottomUp), format);
    if (format.rle()) {
        m_bits = rleStream(format, width, height);
        header.sizeImage = DWORD(m_bits.size());
    } else {
        Noise noise;
        m_bits.resize(format.stride(width) * height);
        std::generate(m_bits.begin(), m_bits.end(), [&noise] { return std::byte{noise.next()}; });
    }
    m_info = std::make_unique<gdi::DibInfo>(header);
}

SpeedTarget::SpeedTarget(const TestFormat& format, std::uint32_t width, std::uint32_t height)
    : m_dc(withDefaultTable(format.dibFormat(LONG(width), LONG(height), gdi::RowOrder::BottomUp),
                            format)) {}

int SpeedTarget::draw(const SpeedSource& source) const {
    return SetDIBitsToDevice(m_dc.dc(), 0, 0, source.width(), source.height(), 0, 0, 0,
                             source.height(), std::span<const std::byte>(source.bits()),
                             source.info(), DIB_RGB_COLORS);
}

}  // namespace difftest
