#pragma once

#include "dib/quoted_text.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace probe {

struct DecimalToken {
    std::uint32_t value = 0;
    std::string_view text;
};

// Blanks separate tokens: space, tab and the carriage return of a CRLF line end.
constexpr bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}

// The blank-separated tokens of a case line, taken one at a time, so that a line of millions of
// values never becomes a list of millions of views.
class CaseTokens {
public:
    explicit CaseTokens(std::string_view line) : m_rest(line) {}

    bool atEnd() {
        skipBlanks();
        return m_rest.empty();
    }
    // The next token, or an empty view at the end of the line.
    std::string_view next() {
        const std::string_view token = peek();
        m_rest.remove_prefix(token.size());
        return token;
    }
    std::string_view peek() {
        skipBlanks();
        return m_rest.substr(0, tokenLength(m_rest));
    }
    std::size_t countRemaining() const;
    // The next token when it is a decimal 32-bit value (readDecimal), taken in one pass over its
    // characters; nothing, and nothing taken, otherwise.
    std::optional<DecimalToken> takeDecimal();

    static std::size_t tokenLength(std::string_view text) {
        std::size_t length = 0;
        while (length < text.size() && !isBlank(text[length])) {
            ++length;
        }
        return length;
    }

private:
    void skipBlanks() {
        std::size_t first = 0;
        while (first < m_rest.size() && isBlank(m_rest[first])) {
            ++first;
        }
        m_rest.remove_prefix(first);
    }

    std::string_view m_rest;
};

// The value of each hexadecimal digit, -1 for any other byte: a bits line may carry 128 million
// digits, so each is a table look-up.
inline constexpr std::array<std::int8_t, 256> hexDigitValues = [] {
    std::array<std::int8_t, 256> values{};
    values.fill(-1);
    for (int digit = 0; digit < 10; ++digit) {
        values['0' + digit] = std::int8_t(digit);
    }
    for (int digit = 0; digit < 6; ++digit) {
        values['a' + digit] = values['A' + digit] = std::int8_t(10 + digit);
    }
    return values;
}();

constexpr int hexDigitValue(char c) {
    return hexDigitValues[static_cast<unsigned char>(c)];
}

// Hexadecimal digits without prefix, at most `maxDigits` of them.
std::optional<std::uint32_t> readHex(std::string_view text, std::size_t maxDigits = 8);

// A decimal 32-bit value: -2^31 .. 2^32-1, negative numbers wrapping as the call sees them.
std::optional<std::uint32_t> readDecimal(std::string_view text);

// The decimal value at the start of the text, read up to the first byte that is not a digit (the
// sign aside), and how many bytes that is; no value when there are no digits or it is out of range.
struct DecimalPrefix {
    std::optional<std::uint32_t> value;
    std::size_t length = 0;
};
DecimalPrefix readDecimalPrefix(std::string_view text);

// Decimal digits only, saturating at UINT64_MAX so that a huge count still reads as too large.
std::optional<std::uint64_t> readCount(std::string_view text);

// Error lines name a token as dib::quoted shows it.
using dib::quoted;

}  // namespace probe
