#pragma once

#include <cstdint>
#include <optional>

namespace numbers {

// Rounds to the nearest integer, halves to the even neighbour (0.5 -> 0, 1.5 -> 2, 2.5 -> 2).
double roundHalfEven(double value);

// The rounded value as a 16-bit or 32-bit integer; empty when it lies outside the type's range.
std::optional<std::int16_t> toInt16(double value);
std::optional<std::int32_t> toInt32(double value);

}  // namespace numbers
