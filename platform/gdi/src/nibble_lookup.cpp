#include "nibble_lookup.h"

#include "processor.h"

#include <immintrin.h>

namespace gdi {

namespace {

__attribute__((target("avx2"))) std::size_t lookUpAvx2(const std::array<std::uint8_t, 16>& table,
                                                       const std::byte* indices,
                                                       std::size_t count, std::uint8_t* entries) {
    const __m256i entriesTwice =
        _mm256_broadcastsi128_si256(_mm_loadu_si128(reinterpret_cast<const __m128i*>(&table)));
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i some = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(indices + i));
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(entries + i),
                            _mm256_shuffle_epi8(entriesTwice, some));
    }
    return i;
}

}  // namespace

void lookUpNibbles(const std::array<std::uint8_t, 16>& table, const std::byte* indices,
                   std::size_t count, std::uint8_t* entries) {
    std::size_t i = hasAvx2() ? lookUpAvx2(table, indices, count, entries) : 0;
    for (; i < count; ++i) {
        entries[i] = table[std::to_integer<std::uint8_t>(indices[i])];
    }
}

}  // namespace gdi
