#include "numbers/integer_conversion.h"

#include <cmath>
#include <limits>

namespace numbers {
namespace {

template <typename Integer>
std::optional<Integer> toInteger(double value) {
    const double rounded = roundHalfEven(value);
    // NaN fails both comparisons and is refused with the values outside the range.
    if (!(rounded >= static_cast<double>(std::numeric_limits<Integer>::min()) &&
          rounded <= static_cast<double>(std::numeric_limits<Integer>::max()))) {
        return std::nullopt;
    }
    return static_cast<Integer>(rounded);
}

}  // namespace

double roundHalfEven(double value) {
    const double below = std::floor(value);
    // Exact for every double: the fraction of a value is always representable.
    const double fraction = value - below;
    if (fraction < 0.5) return below;
    if (fraction > 0.5) return below + 1;
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1;
}

std::optional<std::int16_t> toInt16(double value) {
    return toInteger<std::int16_t>(value);
}

std::optional<std::int32_t> toInt32(double value) {
    return toInteger<std::int32_t>(value);
}

}  // namespace numbers
