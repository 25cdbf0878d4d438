#include "rgb24_unpack.h"

#include "pixel_codecs.h"
#include "processor.h"

#include <immintrin.h>

namespace gdi {

namespace {

// Four pixels are twelve of the sixteen bytes of a load, put into four lanes by one shuffle;
// the last load of a step reads four bytes past its pixels, so steps stop while those still
// belong to the row.
__attribute__((target("avx2"))) std::size_t unpackAvx2(const std::byte* from, std::size_t count,
                                                       std::uint32_t* values) {
    const __m256i lanes = _mm256_setr_epi8(0, 1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1, 0,
                                           1, 2, -1, 3, 4, 5, -1, 6, 7, 8, -1, 9, 10, 11, -1);
    std::size_t i = 0;
    for (; 3 * i + 28 <= 3 * count; i += 8) {
        const auto* low = reinterpret_cast<const __m128i*>(from + 3 * i);
        const auto* high = reinterpret_cast<const __m128i*>(from + 3 * i + 12);
        const __m256i bytes = _mm256_loadu2_m128i(high, low);
        _mm256_storeu_si256(reinterpret_cast<__m256i*>(values + i),
                            _mm256_shuffle_epi8(bytes, lanes));
    }
    return i;
}

}  // namespace

void unpackRgb24(const std::byte* from, std::size_t count, std::uint32_t* values) {
    std::size_t i = hasAvx2() ? unpackAvx2(from, count, values) : 0;
    for (; i < count; ++i) {
        values[i] = codecs::Rgb24::load(from, i);
    }
}

}  // namespace gdi
