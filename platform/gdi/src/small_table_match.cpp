#include "small_table_match.h"

#include "processor.h"

#include <immintrin.h>

#include <algorithm>

namespace gdi {

namespace {

constexpr std::size_t step = 16;

__attribute__((target("avx2"))) __m256i redGreenOf(__m256i pixels) {
    return _mm256_and_si256(
        _mm256_or_si256(_mm256_srli_epi32(pixels, 16), _mm256_slli_epi32(pixels, 8)),
        _mm256_set1_epi32(0x00FF00FF));
}

// The low bytes of the 32-bit lanes of two vectors, in order.
__attribute__((target("avx2"))) __m128i lowBytes(__m256i first, __m256i second) {
    // Within each 128-bit half: four words of the first, four of the second, then as bytes
    // twice; the 32-bit groups are put back in order.
    const __m256i words = _mm256_packus_epi32(first, second);
    const __m256i bytes = _mm256_packus_epi16(words, words);
    const __m256i order = _mm256_setr_epi32(0, 4, 1, 5, 0, 0, 0, 0);
    return _mm256_castsi256_si128(_mm256_permutevar8x32_epi32(bytes, order));
}

// Sixteen colours a step, as two vectors of eight; the entries' operands are broadcast from
// memory as they are used.
__attribute__((target("avx2"))) void matchSteps(const std::uint32_t* colours,
                                                std::uint8_t* indices, std::size_t steps,
                                                const std::int32_t* base,
                                                const std::uint32_t* redGreen,
                                                const std::uint32_t* blue, std::size_t count) {
    const __m256i blueMask = _mm256_set1_epi32(0xFF);
    for (std::size_t s = 0; s < steps; ++s, colours += step, indices += step) {
        const __m256i first = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(colours));
        const __m256i second = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(colours + 8));
        const __m256i rg0 = redGreenOf(first);
        const __m256i rg1 = redGreenOf(second);
        const __m256i b0 = _mm256_and_si256(first, blueMask);
        const __m256i b1 = _mm256_and_si256(second, blueMask);
        __m256i least0 = _mm256_set1_epi32(0x7FFFFFFF);
        __m256i least1 = least0;
        for (std::size_t e = 0; e < count; ++e) {
            const __m256i weightRg = _mm256_set1_epi32(int(redGreen[e]));
            const __m256i weightB = _mm256_set1_epi32(int(blue[e]));
            const __m256i entryBase = _mm256_set1_epi32(base[e]);
            const __m256i dot0 = _mm256_add_epi32(_mm256_madd_epi16(rg0, weightRg),
                                                  _mm256_madd_epi16(b0, weightB));
            const __m256i dot1 = _mm256_add_epi32(_mm256_madd_epi16(rg1, weightRg),
                                                  _mm256_madd_epi16(b1, weightB));
            least0 = _mm256_min_epi32(least0, _mm256_sub_epi32(entryBase, dot0));
            least1 = _mm256_min_epi32(least1, _mm256_sub_epi32(entryBase, dot1));
        }
        const __m256i indexMask = _mm256_set1_epi32(0xF);
        _mm_storeu_si128(reinterpret_cast<__m128i*>(indices),
                         lowBytes(_mm256_and_si256(least0, indexMask),
                                  _mm256_and_si256(least1, indexMask)));
    }
}

std::int32_t channel(std::uint32_t rgb, int shift) {
    return std::int32_t(rgb >> shift & 0xFF);
}

}  // namespace

bool SmallTableMatch::available() {
    return hasAvx2();
}

void SmallTableMatch::reset(std::span<const std::uint32_t> table) {
    // No table: every colour is matched to index 0, as a black entry would be.
    static constexpr std::uint32_t black[] = {0};
    if (table.empty()) {
        table = black;
    }
    m_count = std::min(table.size(), maxEntries);
    for (std::size_t i = 0; i < m_count; ++i) {
        const std::int32_t red = channel(table[i], 16);
        const std::int32_t green = channel(table[i], 8);
        const std::int32_t blue = channel(table[i], 0);
        m_base[i] = 16 * (red * red + green * green + blue * blue) + std::int32_t(i);
        m_redGreen[i] = std::uint32_t(32 * red) | std::uint32_t(32 * green) << 16;
        m_blue[i] = std::uint32_t(32 * blue);
    }
}

void SmallTableMatch::match(const std::uint32_t* colours, std::uint8_t* indices,
                            std::size_t count) const {
    const std::size_t whole = count / step;
    matchSteps(colours, indices, whole, m_base.data(), m_redGreen.data(), m_blue.data(), m_count);
    if (whole * step < count) {
        std::uint32_t last[step] = {};
        std::uint8_t found[step];
        std::copy(colours + whole * step, colours + count, last);
        matchSteps(last, found, 1, m_base.data(), m_redGreen.data(), m_blue.data(), m_count);
        std::copy(found, found + (count - whole * step), indices + whole * step);
    }
}

}  // namespace gdi
