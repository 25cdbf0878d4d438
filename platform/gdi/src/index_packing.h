#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <emmintrin.h>

namespace gdi {

namespace packing {

inline void putIndex(std::byte* row, std::size_t x, unsigned bits, std::uint8_t index) {
    const unsigned shift = 8 - bits - unsigned(x * bits % 8);
    const auto mask = std::byte(((1u << bits) - 1) << shift);
    std::byte& target = row[x * bits / 8];
    target = (target & ~mask) | (std::byte(index << shift) & mask);
}

// Eight indices below 16 as four bytes: each byte with the next one's index in its low nibble,
// then every other byte.
inline std::uint32_t eightNibbles(const std::uint8_t* indices) {
    std::uint64_t word;
    std::memcpy(&word, indices, sizeof word);
    word = ((word << 4) | (word >> 8)) & 0x00FF00FF00FF00FFull;
    word = (word | word >> 8) & 0x0000FFFF0000FFFFull;
    return std::uint32_t(word | word >> 16);
}

// Thirty-two indices below 16 as sixteen bytes: in each 16-bit lane the first index goes to the
// high nibble of the low byte and the second to its low nibble, then the lanes are narrowed.
inline __m128i nibblePairs(__m128i sixteen) {
    return _mm_or_si128(_mm_and_si128(_mm_slli_epi16(sixteen, 4), _mm_set1_epi16(0xF0)),
                        _mm_srli_epi16(sixteen, 8));
}

inline void thirtyTwoNibbles(const std::uint8_t* indices, std::byte* to) {
    const __m128i first = _mm_loadu_si128(reinterpret_cast<const __m128i*>(indices));
    const __m128i second = _mm_loadu_si128(reinterpret_cast<const __m128i*>(indices + 16));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(to),
                     _mm_packus_epi16(nibblePairs(first), nibblePairs(second)));
}

// Eight indices of 0 or 1 as one byte, the first in bit 7: the multiply puts index i's bit,
// from bit 8i of the word, at bit 63 - i, and no two products meet there or carry into it.
inline std::uint8_t eightBits(const std::uint8_t* indices) {
    std::uint64_t word;
    std::memcpy(&word, indices, sizeof word);
    return std::uint8_t((word * 0x8040201008040201ull) >> 56);
}

}  // namespace packing

// Stores `count` indices, one a byte, into a row of `bits`-bit pixels (1, 4 or 8, packed from
// the high end of each byte) from column x. The pixels of the first and last byte that lie
// outside keep their values.
template <unsigned bits>
void packIndices(const std::uint8_t* indices, std::size_t count, std::byte* row, std::size_t x) {
    if constexpr (bits == 8) {
        std::memcpy(row + x, indices, count);
    } else {
        constexpr std::size_t perByte = 8 / bits;
        std::size_t i = 0;
        for (; i < count && (x + i) % perByte != 0; ++i) {
            packing::putIndex(row, x + i, bits, indices[i]);
        }
        std::byte* to = row + (x + i) / perByte;
        if constexpr (bits == 4) {
            for (; i + 32 <= count; i += 32, to += 16) {
                packing::thirtyTwoNibbles(indices + i, to);
            }
        }
        for (; i + 8 <= count; i += 8) {
            if constexpr (bits == 4) {
                const std::uint32_t bytes = packing::eightNibbles(indices + i);
                std::memcpy(to, &bytes, sizeof bytes);
                to += sizeof bytes;
            } else {
                *to++ = std::byte(packing::eightBits(indices + i));
            }
        }
        for (; i + perByte <= count; i += perByte) {
            *to++ = std::byte(indices[i] << 4 | indices[i + 1]);
        }
        for (; i < count; ++i) {
            packing::putIndex(row, x + i, bits, indices[i]);
        }
    }
}

}  // namespace gdi
