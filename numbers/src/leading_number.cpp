#include "numbers/leading_number.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <string>
#include <system_error>

namespace numbers {
namespace {

// Walks a text, skipping the blanks, tabs and line feeds that may stand anywhere in a number.
class SignificantCharacters {
public:
    explicit SignificantCharacters(std::string_view text) : m_text(text) { skipIgnored(); }

    char peek() const { return m_position < m_text.size() ? m_text[m_position] : '\0'; }
    void advance() {
        ++m_position;
        skipIgnored();
    }
    // Lets a tentative read (an exponent without digits) be undone.
    std::size_t mark() const { return m_position; }
    void reset(std::size_t mark) { m_position = mark; }

private:
    void skipIgnored() {
        while (m_position < m_text.size() &&
               (m_text[m_position] == ' ' || m_text[m_position] == '\t' ||
                m_text[m_position] == '\n')) {
            ++m_position;
        }
    }

    std::string_view m_text;
    std::size_t m_position = 0;
};

bool isDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

int digitValue(char c, int base) {
    int value = base;
    if (c >= '0' && c <= '9') value = c - '0';
    if (c >= 'a' && c <= 'f') value = c - 'a' + 10;
    if (c >= 'A' && c <= 'F') value = c - 'A' + 10;
    return value < base ? value : -1;
}

// Digits after "&H" or "&O": a 32-bit pattern read as a signed value, as the run-time does.
std::optional<double> readRadixDigits(SignificantCharacters& chars, int base) {
    std::uint64_t value = 0;
    for (int digit = digitValue(chars.peek(), base); digit >= 0;
         digit = digitValue(chars.peek(), base)) {
        value = value * static_cast<std::uint64_t>(base) + static_cast<std::uint64_t>(digit);
        if (value > 0xFFFFFFFFu) return std::nullopt;
        chars.advance();
    }
    return static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(value)));
}

// The parts of a decimal number as far as they matter for classifying an out-of-range result.
struct DecimalText {
    std::string compact;  // sign, digits, point and exponent without ignored characters
    bool hasDigits = false;
    bool hasNonZeroDigit = false;
    std::int64_t magnitudeOrder = 0;  // decimal exponent of the leading digit, plus one
};

void readMantissa(SignificantCharacters& chars, DecimalText& number) {
    bool afterPoint = false;
    std::int64_t integerDigits = 0;
    std::int64_t leadingFractionZeros = 0;
    for (char c = chars.peek(); isDecimalDigit(c) || (c == '.' && !afterPoint); c = chars.peek()) {
        number.compact.push_back(c);
        chars.advance();
        if (c == '.') {
            afterPoint = true;
            continue;
        }
        number.hasDigits = true;
        if (c != '0') number.hasNonZeroDigit = true;
        if (!afterPoint && number.hasNonZeroDigit) ++integerDigits;
        if (afterPoint && !number.hasNonZeroDigit) ++leadingFractionZeros;
    }
    number.magnitudeOrder = integerDigits > 0 ? integerDigits : -leadingFractionZeros;
}

void readExponent(SignificantCharacters& chars, DecimalText& number) {
    const char marker = chars.peek();
    if (marker != 'e' && marker != 'E' && marker != 'd' && marker != 'D') return;
    const std::size_t before = chars.mark();
    std::string exponent = "e";
    chars.advance();
    bool negative = false;
    if (chars.peek() == '+' || chars.peek() == '-') {
        negative = chars.peek() == '-';
        exponent.push_back(chars.peek());
        chars.advance();
    }
    if (!isDecimalDigit(chars.peek())) {
        chars.reset(before);
        return;
    }
    constexpr std::int64_t kSaturated = 1'000'000'000'000;
    std::int64_t value = 0;
    for (; isDecimalDigit(chars.peek()); chars.advance()) {
        exponent.push_back(chars.peek());
        value = std::min(kSaturated, value * 10 + (chars.peek() - '0'));
    }
    number.compact += exponent;
    number.magnitudeOrder += negative ? -value : value;
}

std::optional<double> readDecimal(SignificantCharacters& chars) {
    DecimalText number;
    if (chars.peek() == '+' || chars.peek() == '-') {
        if (chars.peek() == '-') number.compact.push_back('-');
        chars.advance();
    }
    readMantissa(chars, number);
    if (!number.hasDigits) return 0.0;
    readExponent(chars, number);
    if (!number.hasNonZeroDigit) return 0.0;

    double value = 0;
    const char* first = number.compact.data();
    const auto result =
        std::from_chars(first, first + number.compact.size(), value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (number.magnitudeOrder > 0) return std::nullopt;
        return 0.0;
    }
    return value;
}

}  // namespace

std::optional<double> readLeadingNumber(std::string_view text) {
    SignificantCharacters chars(text);
    if (chars.peek() != '&') return readDecimal(chars);
    chars.advance();
    const char radix = chars.peek();
    if (radix == 'H' || radix == 'h') {
        chars.advance();
        return readRadixDigits(chars, 16);
    }
    if (radix == 'O' || radix == 'o') {
        chars.advance();
        return readRadixDigits(chars, 8);
    }
    return 0.0;
}

}  // namespace numbers
