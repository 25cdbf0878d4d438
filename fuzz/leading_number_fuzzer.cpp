// Reads arbitrary text as a leading number and compares the result with a plain restatement of
// the rules, then converts it (and the raw input bytes as a double) to 16- and 32-bit integers.

#include "numbers/integer_conversion.h"
#include "numbers/leading_number.h"

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

namespace {

[[noreturn]] void failure(const char* what) {
    std::fprintf(stderr, "fuzz check failed: %s\n", what);
    std::abort();
}

void check(bool condition, const char* what) {
    if (!condition) {
        failure(what);
    }
}

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

std::string withoutIgnored(std::string_view text) {
    std::string compact;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\n') {
            compact.push_back(c);
        }
    }
    return compact;
}

std::optional<double> referenceRadix(std::string_view digits, int base) {
    std::uint64_t value = 0;
    for (const char c : digits) {
        int digit = base;
        if (isDigit(c)) {
            digit = c - '0';
        } else if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) {
            digit = (c | 0x20) - 'a' + 10;
        }
        if (digit >= base) {
            break;
        }
        value = value * std::uint64_t(base) + std::uint64_t(digit);
        if (value > 0xFFFFFFFFu) {
            return std::nullopt;
        }
    }
    return double(std::int32_t(std::uint32_t(value)));
}

// The longest prefix of the form [+-] digits [. digits] [(e|d) [+-] digits], read by strtod.
std::optional<double> referenceDecimal(std::string_view text) {
    std::size_t at = 0;
    std::string number;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        number.push_back(text[at++]);
    }
    bool digits = false;
    bool point = false;
    for (; at < text.size() && (isDigit(text[at]) || (text[at] == '.' && !point)); ++at) {
        point = point || text[at] == '.';
        digits = digits || text[at] != '.';
        number.push_back(text[at]);
    }
    if (!digits) {
        return 0.0;
    }
    if (at + 1 < text.size() && std::string_view("eEdD").find(text[at]) != std::string_view::npos) {
        std::size_t end = at + 1;
        if (text[end] == '+' || text[end] == '-') {
            ++end;
        }
        if (end < text.size() && isDigit(text[end])) {
            number += 'e';
            number.append(text.substr(at + 1, end - at - 1));
            for (; end < text.size() && isDigit(text[end]); ++end) {
                number.push_back(text[end]);
            }
        }
    }
    const double value = std::strtod(number.c_str(), nullptr);
    if (std::isinf(value)) {
        return std::nullopt;
    }
    return value;
}

std::optional<double> referenceLeadingNumber(std::string_view text) {
    const std::string compact = withoutIgnored(text);
    if (compact.empty() || compact[0] != '&') {
        return referenceDecimal(compact);
    }
    const char radix = compact.size() > 1 ? char(compact[1] | 0x20) : '\0';
    if (radix == 'h') {
        return referenceRadix(std::string_view(compact).substr(2), 16);
    }
    if (radix == 'o') {
        return referenceRadix(std::string_view(compact).substr(2), 8);
    }
    return 0.0;
}

template <typename Integer>
void checkConversion(double value, std::optional<Integer> converted) {
    const double rounded = std::nearbyint(value);
    const bool fits = rounded >= double(std::numeric_limits<Integer>::min()) &&
                      rounded <= double(std::numeric_limits<Integer>::max());
    check(converted.has_value() == fits, "integer conversion accepts exactly the values in range");
    if (fits) {
        check(double(*converted) == rounded, "integer conversion rounds halves to even");
    }
}

void checkNumber(double value) {
    if (std::isfinite(value)) {
        check(numbers::roundHalfEven(value) == std::nearbyint(value), "roundHalfEven");
    }
    checkConversion(value, numbers::toInt16(value));
    checkConversion(value, numbers::toInt32(value));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const std::optional<double> read = numbers::readLeadingNumber(text);
    const std::optional<double> expected = referenceLeadingNumber(text);
    check(read.has_value() == expected.has_value(), "leading number: held or not held");
    if (read) {
        check(*read == *expected, "leading number: value");
        checkNumber(*read);
    }
    if (size >= sizeof(double)) {
        double raw = 0;
        std::memcpy(&raw, data, sizeof raw);
        checkNumber(raw);
    }
    return 0;
}
