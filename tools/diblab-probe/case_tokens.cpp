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

std::optional<std::uint32_t> readDecimal(std::string_view text) {
    const bool negative = text.starts_with('-');
    text.remove_prefix(negative ? 1 : 0);
    const std::size_t zeros = std::min(text.find_first_not_of('0'), text.size());
    // Ten digits hold every magnitude in range, and more than ten none.
    if (text.empty() || text.size() - zeros > 10) {
        return std::nullopt;
    }
    std::uint64_t magnitude = 0;
    for (const char c : text.substr(zeros)) {
        const auto digit = std::uint32_t(c - '0');
        if (digit > 9) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + digit;
    }
    if (magnitude > (negative ? std::uint64_t(1) << 31 : UINT32_MAX)) {
        return std::nullopt;
    }
    return std::uint32_t(negative ? 0 - magnitude : magnitude);
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
