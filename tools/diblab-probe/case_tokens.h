#pragma once

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

// The token as an error line shows it: in single quotes, at most its first `quotedBytes` bytes and
// then "..." if it is longer, with a backslash as \\ and any byte outside printable ASCII as \xHH.
inline constexpr std::size_t quotedBytes = 40;
std::string quoted(std::string_view token);

}  // namespace probe
