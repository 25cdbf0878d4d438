#pragma once

#include <optional>
#include <string_view>

namespace numbers {

// The number at the start of a text field, read the way the bench reads every field: blanks, tabs
// and line feeds anywhere are skipped; "&H" and "&O" (any case) introduce hexadecimal or octal
// digits taken as a 32-bit two's-complement value; otherwise the longest leading decimal number
// (optional sign, digits with at most one point, optional exponent marked E or D) counts, and a
// text that does not begin with a number reads as 0. Empty when the number cannot be held: a
// decimal beyond a double's range (1e999, -1e999) or hexadecimal or octal digits beyond 32 bits.
// A decimal too small to represent (1e-999) reads as 0.
std::optional<double> readLeadingNumber(std::string_view text);

}  // namespace numbers
