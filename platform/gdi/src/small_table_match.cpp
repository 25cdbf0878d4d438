#include "small_table_match.h"

#include <immintrin.h>

#include <algorithm>
#include <cstring>

namespace gdi {

namespace {

constexpr std::size_t step = 8;

// The least sum over the entries for eight colours, as eight bytes.
__attribute__((target("avx2"))) std::uint64_t matchStep(const std::uint32_t* colours,
                                                        const std::int32_t* base,
                                                        const std::uint32_t* redGreen,
                                                        const std::uint32_t* blue,
                                                        std::size_t count) {
    const __m256i pixels = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(colours));
    const __m256i rg = _mm256_and_si256(
        _mm256_or_si256(_mm256_srli_epi32(pixels, 16), _mm256_slli_epi32(pixels, 8)),
        _mm256_set1_epi32(0x00FF00FF));
    const __m256i b = _mm256_and_si256(pixels, _mm256_set1_epi32(0xFF));
    __m256i least = _mm256_set1_epi32(0x7FFFFFFF);
    for (std::size_t e = 0; e < count; ++e) {
        const __m256i dot =
            _mm256_add_epi32(_mm256_madd_epi16(rg, _mm256_set1_epi32(int(redGreen[e]))),
                             _mm256_madd_epi16(b, _mm256_set1_epi32(int(blue[e]))));
        least = _mm256_min_epi32(least, _mm256_sub_epi32(_mm256_set1_epi32(base[e]), dot));
    }
    const __m256i indices = _mm256_and_si256(least, _mm256_set1_epi32(0xF));
    const __m256i words = _mm256_packus_epi32(indices, indices);
    const __m256i bytes = _mm256_packus_epi16(words, words);
    return std::uint64_t(std::uint32_t(_mm256_extract_epi32(bytes, 0))) |
           std::uint64_t(std::uint32_t(_mm256_extract_epi32(bytes, 4))) << 32;
}

std::int32_t channel(std::uint32_t rgb, int shift) {
    return std::int32_t(rgb >> shift & 0xFF);
}

}  // namespace

bool SmallTableMatch::available() {
    static const bool avx2 = __builtin_cpu_supports("avx2");
    return avx2;
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
    std::size_t i = 0;
    for (; i + step <= count; i += step) {
        const std::uint64_t found = matchStep(colours + i, m_base.data(), m_redGreen.data(),
                                              m_blue.data(), m_count);
        std::memcpy(indices + i, &found, step);
    }
    if (i < count) {
        std::uint32_t last[step] = {};
        std::copy(colours + i, colours + count, last);
        const std::uint64_t found =
            matchStep(last, m_base.data(), m_redGreen.data(), m_blue.data(), m_count);
        std::memcpy(indices + i, &found, count - i);
    }
}

}  // namespace gdi
