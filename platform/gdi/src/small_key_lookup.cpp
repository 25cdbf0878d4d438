#include "small_key_lookup.h"

#include "processor.h"

#include <immintrin.h>

#include <algorithm>
#include <array>
#include <cstring>

namespace gdi {

namespace {

constexpr std::size_t shuffled = 32;
constexpr std::size_t loaded = 32;
constexpr std::size_t stepPixels = shuffled + loaded;
constexpr std::size_t slice = 16;

// The parts of a MatchKey that take bits from the pixel, the first `live` of the arrays; a
// channel without bits adds nothing to the key, so it costs nothing either.
struct KeyParts {
    std::size_t live = 0;
    __m128i shifts[3];
    __m256i masks[3];
    __m128i offsets[3];
};

__attribute__((target("avx2"))) KeyParts keyParts(const MatchKey& key) {
    KeyParts parts;
    for (const MatchKey::Part& part : key.parts) {
        if (part.mask != 0) {
            parts.shifts[parts.live] = _mm_cvtsi32_si128(int(part.shift));
            parts.masks[parts.live] = _mm256_set1_epi32(int(part.mask));
            parts.offsets[parts.live] = _mm_cvtsi32_si128(int(part.offset));
            ++parts.live;
        }
    }
    return parts;
}

// The keys of eight pixels, one in each 32-bit lane.
template <std::size_t live>
[[gnu::always_inline]] inline __attribute__((target("avx2"))) __m256i keysOf(
    const KeyParts& parts, const std::byte* from) {
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(from));
    __m256i keys = _mm256_setzero_si256();
    for (std::size_t part = 0; part < live; ++part) {
        const __m256i field =
            _mm256_and_si256(_mm256_srl_epi32(pixels, parts.shifts[part]), parts.masks[part]);
        keys = _mm256_or_si256(keys, _mm256_sll_epi32(field, parts.offsets[part]));
    }
    return keys;
}

// The keys of 32 pixels, one in each byte, in pixel order.
template <std::size_t live>
[[gnu::always_inline]] inline __attribute__((target("avx2"))) __m256i keyBytesOf(
    const KeyParts& parts, const std::byte* from) {
    const __m256i low =
        _mm256_packus_epi32(keysOf<live>(parts, from), keysOf<live>(parts, from + 32));
    const __m256i high =
        _mm256_packus_epi32(keysOf<live>(parts, from + 64), keysOf<live>(parts, from + 96));
    // The packs interleave the 128-bit lanes: put the eight groups of four back in order.
    return _mm256_permutevar8x32_epi32(_mm256_packus_epi16(low, high),
                                       _mm256_setr_epi32(0, 4, 1, 5, 2, 6, 3, 7));
}

template <std::size_t live>
__attribute__((target("avx2"))) std::size_t lookUp(const KeyParts& parts,
                                                   std::span<const std::uint8_t> map,
                                                   const std::byte* from, std::size_t count,
                                                   std::byte* to) {
    // Slice j holds the entries of keys 16j to 16j + 15, in both 128-bit lanes; a map of fewer
    // than 256 entries is read from a copy that goes on with zeros.
    constexpr std::size_t slices = 256 / slice;
    std::array<std::uint8_t, 256> padded;
    const std::uint8_t* entries = map.data();
    if (map.size() < padded.size()) {
        std::fill(std::copy(map.begin(), map.end(), padded.begin()), padded.end(), 0);
        entries = padded.data();
    }
    __m256i tables[slices];
    for (std::size_t j = 0; j < slices; ++j) {
        tables[j] = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(entries + slice * j)));
    }
    // A key less 16j is a shuffle index where it lies in slice j; adding 0x70 with saturation
    // sets the top bit, which makes the shuffle give 0, everywhere else.
    const __m256i outside = _mm256_set1_epi8(0x70);
    const __m256i nextSlice = _mm256_set1_epi8(slice);
    // The keys of the pixels looked up by loads are stored for a piece of eight steps first:
    // read back straight after their stores, they would wait for them.
    constexpr std::size_t steps = 8;
    alignas(32) std::array<std::uint32_t, steps * loaded> keys;
    const std::uint8_t* entryOf = map.data();
    std::size_t i = 0;
    for (; i + stepPixels <= count; i += steps * stepPixels) {
        const std::size_t n = std::min(steps, (count - i) / stepPixels);
        const std::byte* pixels = from + 4 * i;
        for (std::size_t step = 0; step < n; ++step) {
            for (std::size_t k = 0; k < loaded; k += 8) {
                _mm256_store_si256(
                    reinterpret_cast<__m256i*>(keys.data() + step * loaded + k),
                    keysOf<live>(parts, pixels + 4 * (step * stepPixels + shuffled + k)));
            }
        }
        for (std::size_t step = 0; step < n; ++step) {
            __m256i index = keyBytesOf<live>(parts, pixels + 4 * step * stepPixels);
            __m256i entry = _mm256_shuffle_epi8(tables[0], _mm256_adds_epu8(index, outside));
            for (std::size_t j = 1; j < slices; ++j) {
                index = _mm256_sub_epi8(index, nextSlice);
                entry = _mm256_or_si256(
                    entry, _mm256_shuffle_epi8(tables[j], _mm256_adds_epu8(index, outside)));
            }
            std::byte* stored = to + i + step * stepPixels;
            _mm256_storeu_si256(reinterpret_cast<__m256i*>(stored), entry);
            const std::uint32_t* key = keys.data() + step * loaded;
            for (std::size_t k = 0; k < loaded; k += 4) {
                const std::uint32_t four = entryOf[key[k]] | entryOf[key[k + 1]] << 8 |
                                           entryOf[key[k + 2]] << 16 |
                                           std::uint32_t(entryOf[key[k + 3]]) << 24;
                std::memcpy(stored + shuffled + k, &four, sizeof four);
            }
        }
        if (n < steps) {
            return i + n * stepPixels;
        }
    }
    return i;
}

__attribute__((target("avx2"))) std::size_t lookUpAvx2(const MatchKey& key,
                                                       std::span<const std::uint8_t> map,
                                                       const std::byte* from, std::size_t count,
                                                       std::byte* to) {
    const KeyParts parts = keyParts(key);
    switch (parts.live) {
        case 0:
            return lookUp<0>(parts, map, from, count, to);
        case 1:
            return lookUp<1>(parts, map, from, count, to);
        case 2:
            return lookUp<2>(parts, map, from, count, to);
        default:
            return lookUp<3>(parts, map, from, count, to);
    }
}

}  // namespace

std::size_t lookUpSmallKeys32(const MatchKey& key, std::span<const std::uint8_t> map,
                              const std::byte* from, std::size_t count, std::byte* to) {
    return hasAvx2() ? lookUpAvx2(key, map, from, count, to) : 0;
}

}  // namespace gdi
