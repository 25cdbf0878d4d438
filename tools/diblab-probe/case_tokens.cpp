#include "case_tokens.h"

#include <charconv>
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

std::size_t tokenLength(std::string_view text) {
    std::size_t length = 0;
    while (length < text.size() && !isBlank(text[length])) {
        ++length;
    }
    return length;
}

}  // namespace

bool CaseTokens::atEnd() {
    m_rest = withoutLeadingBlanks(m_rest);
    return m_rest.empty();
}

std::string_view CaseTokens::next() {
    const std::string_view token = peek();
    m_rest.remove_prefix(token.size());
    return token;
}

std::string_view CaseTokens::peek() {
    m_rest = withoutLeadingBlanks(m_rest);
    return m_rest.substr(0, tokenLength(m_rest));
}

std::size_t CaseTokens::countRemaining() const {
    std::size_t count = 0;
    std::string_view rest = withoutLeadingBlanks(m_rest);
    while (!rest.empty()) {
        ++count;
        rest = withoutLeadingBlanks(rest.substr(tokenLength(rest)));
    }
    return count;
}

std::optional<std::uint32_t> readHex(std::string_view text, std::size_t maxDigits) {
    std::uint32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (error != std::errc{} || end != text.data() + text.size() || text.size() > maxDigits) {
        return std::nullopt;
    }
    return value;
}

std::optional<std::uint32_t> readDecimal(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc{} || end != text.data() + text.size() || value < INT32_MIN ||
        value > std::int64_t(UINT32_MAX)) {
        return std::nullopt;
    }
    return std::uint32_t(value);
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
