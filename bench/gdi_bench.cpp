#include "gdi/dib_section_dc.h"

#include <benchmark/benchmark.h>

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

}  // namespace

BENCHMARK_MAIN();
