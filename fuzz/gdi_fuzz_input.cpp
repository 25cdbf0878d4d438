#include "gdi_fuzz_input.h"

#include <array>
#include <climits>

namespace fuzzinput {

namespace {

constexpr std::array<std::int64_t, 14> edgeValues{0,       1,       -1,       2,         8,
                                                  -8,      0x7FFF,  -0x8000,  0x8001,    0x40000001,
                                                  INT_MAX, INT_MIN, UINT_MAX, 0x80000000};

}  // namespace

// Mostly small values, sometimes a boundary or any 32-bit pattern.
std::int64_t GdiInput::number() {
    const int kind = ConsumeIntegralInRange(0, 15);
    if (kind < 12) {
        return ConsumeIntegralInRange(-3, 14);
    }
    if (kind < 14) {
        return edgeValues[ConsumeIntegralInRange<std::size_t>(0, edgeValues.size() - 1)];
    }
    if (kind == 14) {
        return ConsumeIntegralInRange(-2 * maxSide, 2 * maxSide);
    }
    return ConsumeIntegral<std::int32_t>();
}

// A heap block of exactly the chosen size, so AddressSanitizer sees any access beyond it.
std::vector<std::byte> GdiInput::buffer(std::byte fill) {
    return std::vector<std::byte>(ConsumeIntegralInRange<std::size_t>(0, maxBufferBytes), fill);
}

}  // namespace fuzzinput
