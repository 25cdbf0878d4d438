#include "byte_index_lookup.h"

#include "processor.h"

#include <immintrin.h>

namespace gdi {

namespace {

struct EntryBytes {
    __m256i low, high;
};

[[gnu::always_inline]] inline __attribute__((target("avx2"))) __m256i shuffled(
    const std::uint8_t* slice, __m256i nibble) {
    return _mm256_shuffle_epi8(
        _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(slice))),
        nibble);
}

// Each byte's entries in the 2^level slices from `first` on, of both tables: every slice
// shuffled by the index's low nibble, the halves then chosen between by a blend on the index's
// bit 3 + level, shifted up to bit 7 (which is what a blend looks at) in `bitsUp`. Depth
// first, so that few values are live at once.
template <int level>
[[gnu::always_inline]] inline __attribute__((target("avx2"))) EntryBytes entriesOf(
    const ShuffleTables& tables, int first, __m256i nibble, const __m256i (&bitsUp)[4]) {
    if constexpr (level == 0) {
        return {shuffled(tables.low + 16 * first, nibble),
                shuffled(tables.high + 16 * first, nibble)};
    } else {
        const EntryBytes clear = entriesOf<level - 1>(tables, first, nibble, bitsUp);
        const EntryBytes set =
            entriesOf<level - 1>(tables, first + (1 << (level - 1)), nibble, bitsUp);
        return {_mm256_blendv_epi8(clear.low, set.low, bitsUp[level - 1]),
                _mm256_blendv_epi8(clear.high, set.high, bitsUp[level - 1])};
    }
}

__attribute__((target("avx2"))) std::size_t lookUpAvx2(const ShuffleTables& tables,
                                                       const std::byte* indices,
                                                       std::size_t count, std::byte* to) {
    const __m256i lowNibble = _mm256_set1_epi8(0x0F);
    std::size_t i = 0;
    for (; i + 32 <= count; i += 32) {
        const __m256i index = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(indices + i));
        // A shuffle gives 0 for a byte whose bit 7 is set: it sees the low nibble alone.
        const __m256i nibble = _mm256_and_si256(index, lowNibble);
        const __m256i bitsUp[4] = {_mm256_slli_epi16(index, 3), _mm256_slli_epi16(index, 2),
                                   _mm256_slli_epi16(index, 1), index};
        const EntryBytes entries = entriesOf<4>(tables, 0, nibble, bitsUp);
        // The unpacks work in 128-bit lanes: pixels 0-7 and 16-23, then 8-15 and 24-31.
        const __m256i first = _mm256_unpacklo_epi8(entries.low, entries.high);
        const __m256i second = _mm256_unpackhi_epi8(entries.low, entries.high);
        auto* stored = reinterpret_cast<__m256i*>(to + 2 * i);
        _mm256_storeu_si256(stored, _mm256_permute2x128_si256(first, second, 0x20));
        _mm256_storeu_si256(stored + 1, _mm256_permute2x128_si256(first, second, 0x31));
    }
    return i;
}

}  // namespace

ShuffleTables ShuffleTables::of(const std::uint32_t* entries) {
    ShuffleTables tables;
    for (std::size_t i = 0; i < 256; ++i) {
        tables.low[i] = std::uint8_t(entries[i]);
        tables.high[i] = std::uint8_t(entries[i] >> 8);
    }
    return tables;
}

std::size_t lookUpIndices16(const ShuffleTables& tables, const std::byte* indices,
                            std::size_t count, std::byte* to) {
    return hasAvx2() ? lookUpAvx2(tables, indices, count, to) : 0;
}

}  // namespace gdi
