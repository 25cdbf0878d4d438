#include "rgb24_pack.h"

#include "pixel_codecs.h"
#include "processor.h"

#include <immintrin.h>

namespace gdi {

namespace {

// Eight pixels are the first 24 bytes of one store: a shuffle puts each half's twelve bytes at
// its start and a permutation joins the halves. The store writes eight bytes past its pixels,
// so steps stop while those still belong to the row; the next step writes them again.
__attribute__((target("avx2"))) std::size_t packAvx2(const std::uint32_t* values,
                                                     std::size_t count, std::byte* to) {
    const __m256i bytes = _mm256_setr_epi8(0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1,
                                           0, 1, 2, 4, 5, 6, 8, 9, 10, 12, 13, 14, -1, -1, -1, -1);
    const __m256i halves = _mm256_setr_epi32(0, 1, 2, 4, 5, 6, 3, 7);
    std::size_t i = 0;
    for (; 3 * i + 32 <= 3 * count; i += 8) {
        const __m256i eight = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(values + i));
        const __m256i packed =
            _mm256_permutevar8x32_epi32(_mm256_shuffle_epi8(eight, bytes), halves);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(to + 3 * i), packed);
    }
    return i;
}

}  // namespace

void packRgb24(const std::uint32_t* values, std::size_t count, std::byte* to) {
    std::size_t i = hasAvx2() ? packAvx2(values, count, to) : 0;
    for (; i < count; ++i) {
        codecs::Rgb24::store(to, i, values[i]);
    }
}

}  // namespace gdi
