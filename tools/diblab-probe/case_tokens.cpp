#include "case_tokens.h"

#include <algorithm>
#include <cstdint>

namespace probe {

namespace {

std::string_view withoutLeadingBlanks(std::string_view text) {
    std::size_t first = 0;
    while (first < text.size() && isBlank(text[first])) {
        ++first;
    }
    return text.substr(first);
}

}  // namespace

std::optional<DecimalToken> CaseTokens::takeDecimal() {
    skipBlanks();
    const DecimalPrefix prefix = readDecimalPrefix(m_rest);
    if (!prefix.value || (prefix.length < m_rest.size() && !isBlank(m_rest[prefix.length]))) {
        return std::nullopt;
    }
    const DecimalToken token{*prefix.value, m_rest.substr(0, prefix.length)};
    m_rest.remove_prefix(prefix.length);
    return token;
}

std::size_t CaseTokens::countRemaining() const {
    std::size_t count = 0;
    std::string_view rest = withoutLeadingBlanks(m_rest);
    while (!rest.empty()) {
        ++count;
        rest = withoutLeadingBlanks(rest.substr(CaseTokens::tokenLength(rest)));
    }
    return count;
}

std::optional<std::uint32_t> readHex(std::string_view text, std::size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) {
        return std::nullopt;
    }
    // A bad digit's -1 sets the sign bit of `bad`; one test after the loop keeps it free of
    // branches.
    std::uint32_t value = 0;
    int bad = 0;
    for (const char c : text) {
        const int digit = hexDigitValue(c);
        bad |= digit;
        value = value << 4 | std::uint32_t(digit & 0xF);
    }
    if (bad < 0) {
        return std::nullopt;
    }
    return value;
}

DecimalPrefix readDecimalPrefix(std::string_view text) {
    const bool negative = text.starts_with('-');
    std::size_t length = negative ? 1 : 0;
    // Saturated above every magnitude in range, so that any number of digits reads as too large.
    constexpr std::uint64_t tooLarge = std::uint64_t(1) << 33;
    std::uint64_t magnitude = 0;
    for (; length < text.size(); ++length) {
        const auto digit = std::uint32_t(text[length] - '0');
        if (digit > 9) {
            break;
        }
        magnitude = std::min(magnitude * 10 + digit, tooLarge);
    }
    const bool digits = length > (negative ? 1u : 0u);
    if (!digits || magnitude > (negative ? std::uint64_t(1) << 31 : UINT32_MAX)) {
        return {std::nullopt, length};
    }
    return {std::uint32_t(negative ? 0 - magnitude : magnitude), length};
}

std::optional<std::uint32_t> readDecimal(std::string_view text) {
    const DecimalPrefix prefix = readDecimalPrefix(text);
    return prefix.length == text.size() ? prefix.value : std::nullopt;
}

std::optional<std::uint64_t> readCount(std::string_view text) {
    if (text.empty()) {
        return std::nullopt;
    }
    std::uint64_t value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            return std::nullopt;
        }
        const auto digit = std::uint64_t(c - '0');
        value = value > (UINT64_MAX - digit) / 10 ? UINT64_MAX : value * 10 + digit;
    }
    return value;
}

}  // namespace probe
