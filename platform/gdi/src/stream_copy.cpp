#include "stream_copy.h"

#include <emmintrin.h>

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gdi {

void streamCopy(std::byte* to, const std::byte* from, std::size_t bytes) {
    constexpr std::size_t vector = sizeof(__m128i);
    constexpr std::size_t step = 4 * vector;
    // Streaming stores need an aligned destination: the bytes before the first aligned one are
    // copied as usual.
    const std::size_t head =
        std::min(bytes, (vector - reinterpret_cast<std::uintptr_t>(to) % vector) % vector);
    std::memcpy(to, from, head);
    std::size_t done = head;
    for (; done + step <= bytes; done += step) {
        const auto* source = reinterpret_cast<const __m128i*>(from + done);
        auto* destination = reinterpret_cast<__m128i*>(to + done);
        const __m128i a = _mm_loadu_si128(source);
        const __m128i b = _mm_loadu_si128(source + 1);
        const __m128i c = _mm_loadu_si128(source + 2);
        const __m128i d = _mm_loadu_si128(source + 3);
        _mm_stream_si128(destination, a);
        _mm_stream_si128(destination + 1, b);
        _mm_stream_si128(destination + 2, c);
        _mm_stream_si128(destination + 3, d);
    }
    // Later loads and stores must see the streamed bytes.
    _mm_sfence();
    std::memcpy(to + done, from + done, bytes - done);
}

}  // namespace gdi
