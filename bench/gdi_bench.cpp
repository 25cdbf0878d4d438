#include "gdi/gdi.h"

#include <benchmark/benchmark.h>

#include <cstring>
#include <numeric>
#include <vector>

namespace {

// A DIB section of the given size selected into a memory DC, and a source picture to draw.
class Scene {
public:
    explicit Scene(int size) : m_size(size), m_source(std::size_t(size) * std::size_t(size)) {
        std::iota(m_source.begin(), m_source.end(), 0x00A00000u);
        m_header.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        m_header.bmiHeader.biWidth = size;
        m_header.bmiHeader.biHeight = size;
        m_header.bmiHeader.biPlanes = 1;
        m_header.bmiHeader.biBitCount = 32;
        m_header.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        m_dc = CreateCompatibleDC(nullptr);
        m_section = CreateDIBSection(m_dc, &m_header, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_previous = SelectObject(m_dc, m_section);
    }

    ~Scene() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_section);
        DeleteDC(m_dc);
    }

    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    int draw() const {
        const DWORD size = DWORD(m_size);
        return SetDIBitsToDevice(m_dc, 0, 0, size, size, 0, 0, 0, size,
                                 std::as_bytes(std::span(m_source)), &m_header, DIB_RGB_COLORS);
    }

    std::size_t bytes() const { return m_source.size() * 4; }

private:
    int m_size;
    std::vector<std::uint32_t> m_source;
    BITMAPINFO m_header{};
    HDC m_dc = nullptr;
    HBITMAP m_section = nullptr;
    HGDIOBJ m_previous = nullptr;
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
