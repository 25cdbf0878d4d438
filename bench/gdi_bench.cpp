#include "gdi/dib_section_dc.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstring>
#include <numeric>
#include <vector>

namespace {

// A DIB section of the given size selected into a memory DC, and a source picture to draw.
class Scene {
public:
    explicit Scene(int size)
        : m_size(size),
          m_source(std::size_t(size) * std::size_t(size)),
          m_format(gdi::DibFormat::rgb32(size, size, gdi::RowOrder::BottomUp)),
          m_header(m_format),
          m_destination(m_format) {
        std::iota(m_source.begin(), m_source.end(), 0x00A00000u);
    }

    int draw() const {
        const DWORD size = DWORD(m_size);
        return SetDIBitsToDevice(m_destination.dc(), 0, 0, size, size, 0, 0, 0, size,
                                 std::as_bytes(std::span(m_source)), m_header.get(),
                                 DIB_RGB_COLORS);
    }

    std::size_t bytes() const { return m_source.size() * 4; }

private:
    int m_size;
    std::vector<std::uint32_t> m_source;
    gdi::DibFormat m_format;
    gdi::DibInfo m_header;
    gdi::DibSectionDC m_destination;
};

void setDIBitsToDevice8x8(benchmark::State& state) {
    const Scene scene(8);
    for (auto _ : state) {
        benchmark::DoNotOptimize(scene.draw());
    }
}
BENCHMARK(setDIBitsToDevice8x8);

void setDIBitsToDevice4096x4096(benchmark::State& state) {
    const Scene scene(4096);
    for (auto _ : state) {
        benchmark::DoNotOptimize(scene.draw());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(scene.bytes()));
}
BENCHMARK(setDIBitsToDevice4096x4096)->Unit(benchmark::kMillisecond);

// The yardstick for the large copy: memcpy of the same number of bytes between two buffers.
void memcpy4096x4096(benchmark::State& state) {
    const std::size_t bytes = std::size_t(4096) * 4096 * 4;
    std::vector<std::byte> source(bytes, std::byte{1});
    std::vector<std::byte> destination(bytes);
    for (auto _ : state) {
        std::memcpy(destination.data(), source.data(), bytes);
        benchmark::DoNotOptimize(destination.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(std::int64_t(state.iterations()) * std::int64_t(bytes));
}
BENCHMARK(memcpy4096x4096)->Unit(benchmark::kMillisecond);

constexpr int pairSide = 1024;

// A colour table of uneven colours, as the probe's default tables are.
std::vector<DWORD> unevenColours(std::size_t count) {
    std::vector<DWORD> colours(count);
    for (std::size_t i = 0; i < count; ++i) {
        colours[i] = DWORD((i + 1) * 0x9E3779B1u) >> 8;
    }
    return colours;
}

gdi::DibFormat pairFormat(WORD bitCount, DWORD compression = BI_RGB, gdi::ChannelMasks masks = {}) {
    gdi::DibFormat format = gdi::DibFormat::rgb32(pairSide, pairSide, gdi::RowOrder::BottomUp);
    format.bitCount = bitCount;
    format.compression = compression;
    format.masks = masks;
    if (bitCount <= 8) {
        format.colours = unevenColours(std::size_t(1) << bitCount);
    }
    return format;
}

// Every byte of an uncompressed picture drawn at random, as the speed table's are, so that
// palettized destinations see many distinct colours and neighbouring pixels are unrelated.
std::vector<std::byte> scrambledBits(const gdi::DibFormat& format) {
    std::vector<std::byte> bits(format.imageBytes());
    std::uint32_t state = 1;
    for (std::byte& b : bits) {
        state = state * 1664525u + 1013904223u;
        b = std::byte(state >> 24);
    }
    return bits;
}

// Every row of an RLE picture as runs of 1 to 16 pixels, then an end of line.
std::vector<std::byte> rleBits(gdi::DibFormat& format) {
    std::vector<std::byte> bits;
    for (std::uint32_t row = 0; row < std::uint32_t(pairSide); ++row) {
        for (std::uint32_t column = 0; column < std::uint32_t(pairSide);) {
            const std::uint32_t run = std::min<std::uint32_t>(
                1 + ((row * 31 + column) * 0x9E3779B1u >> 28), std::uint32_t(pairSide) - column);
            bits.push_back(std::byte(run));
            bits.push_back(std::byte((row + column) * 0x9E3779B1u >> 24));
            column += run;
        }
        bits.push_back(std::byte(0));
        bits.push_back(std::byte(0));
    }
    bits.push_back(std::byte(0));
    bits.push_back(std::byte(1));
    format.sizeImage = DWORD(bits.size());
    return bits;
}

// One 1024 x 1024 SetDIBitsToDevice from one format onto a section of another.
void setDIBitsToDevicePair(benchmark::State& state, gdi::DibFormat source,
                           gdi::DibFormat destination) {
    // Source tables run the other way, so that palettized pairs match colours.
    std::reverse(source.colours.begin(), source.colours.end());
    const bool rle = source.compression == BI_RLE8 || source.compression == BI_RLE4;
    const std::vector<std::byte> bits = rle ? rleBits(source) : scrambledBits(source);
    const gdi::DibInfo header(source);
    const gdi::DibSectionDC target(destination);
    for (auto _ : state) {
        benchmark::DoNotOptimize(SetDIBitsToDevice(target.dc(), 0, 0, pairSide, pairSide, 0, 0, 0,
                                                   pairSide, bits, header.get(), DIB_RGB_COLORS));
        benchmark::ClobberMemory();
    }
    // Bytes written into the destination.
    state.SetBytesProcessed(std::int64_t(state.iterations()) *
                            std::int64_t(destination.imageBytes()));
}

const gdi::ChannelMasks masks565{0xF800, 0x07E0, 0x001F};
const gdi::ChannelMasks masks101010{0x3FF00000, 0x000FFC00, 0x000003FF};

BENCHMARK_CAPTURE(setDIBitsToDevicePair, 8to32, pairFormat(8), pairFormat(32));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 4to32, pairFormat(4), pairFormat(32));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 1to32, pairFormat(1), pairFormat(32));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 24to32, pairFormat(24), pairFormat(32));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 555to32, pairFormat(16), pairFormat(32));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 101010to32, pairFormat(32, BI_BITFIELDS, masks101010),
                  pairFormat(32));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 32to24, pairFormat(32), pairFormat(24));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 555to24, pairFormat(16), pairFormat(24));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 565to24, pairFormat(16, BI_BITFIELDS, masks565),
                  pairFormat(24));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 32to565, pairFormat(32),
                  pairFormat(16, BI_BITFIELDS, masks565));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 32to8, pairFormat(32), pairFormat(8));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 32to4, pairFormat(32), pairFormat(4));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 32to1, pairFormat(32), pairFormat(1));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 555to8, pairFormat(16), pairFormat(8));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 8to8, pairFormat(8), pairFormat(8));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 8to565, pairFormat(8),
                  pairFormat(16, BI_BITFIELDS, masks565));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, 24to24, pairFormat(24), pairFormat(24));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, Rle8to32, pairFormat(8, BI_RLE8), pairFormat(32));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, Rle4to8, pairFormat(4, BI_RLE4), pairFormat(8));
BENCHMARK_CAPTURE(setDIBitsToDevicePair, Rle4to4, pairFormat(4, BI_RLE4), pairFormat(4));

}  // namespace

BENCHMARK_MAIN();
