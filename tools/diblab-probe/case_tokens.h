#pragma once

#include "dib/quoted_text.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace probe {

// The blank-separated tokens of a case line, taken one at a time, so that a line of millions of
// values never becomes a list of millions of views.
class CaseTokens {
public:
    explicit CaseTokens(std::string_view line) : m_rest(line) {}

    bool atEnd();
    // The next token, or an empty view at the end of the line.
    std::string_view next();
    std::string_view peek();
    std::size_t countRemaining() const;

private:
    std::string_view m_rest;
};

// Blanks separate tokens: space, tab and the carriage return of a CRLF line end.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// Hexadecimal digits without prefix, at most `maxDigits` of them.
std::optional<std::uint32_t> readHex(std::string_view text, std::size_t maxDigits = 8);

// A decimal 32-bit value: -2^31 .. 2^32-1, negative numbers wrapping as the call sees them.
std::optional<std::uint32_t> readDecimal(std::string_view text);

// Decimal digits only, saturating at UINT64_MAX so that a huge count still reads as too large.
std::optional<std::uint64_t> readCount(std::string_view text);

// Error lines name a token as dib::quoted shows it.
using dib::quoted;

}  // namespace probe
