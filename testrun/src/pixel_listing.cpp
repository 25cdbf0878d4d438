#include "testrun/pixel_listing.h"

#include <cassert>
#include <charconv>
#include <cstddef>

namespace testrun {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

void appendSixDigits(std::string& text, std::int32_t value) {
    constexpr std::string_view kDigits = "0123456789ABCDEF";
    const auto bits = static_cast<std::uint32_t>(value);
    for (int shift = 20; shift >= 0; shift -= 4) text.push_back(kDigits[(bits >> shift) & 0xF]);
}

void appendLineNumber(std::string& text, int number) {
    char digits[16];
    const auto result = std::to_chars(digits, digits + sizeof digits, number);
    text.append(digits, result.ptr);
    text += ": ";
}

}  // namespace

std::string formatPixelListing(std::string_view header, int width, int height,
                               std::span<const std::int32_t> values) {
    if (width <= 0 || height <= 0) return std::string(header) + std::string(kLineEnd);
    const auto columns = static_cast<std::size_t>(width);
    assert(values.size() >= columns * static_cast<std::size_t>(height));
    std::string text;
    text.reserve(header.size() + 2 + static_cast<std::size_t>(height) * (columns * 8 + 16));
    text += header;
    text += kLineEnd;
    for (int row = 0; row < height; ++row) {
        appendLineNumber(text, row + 1);
        const auto line = values.subspan(static_cast<std::size_t>(row) * columns, columns);
        for (std::size_t column = 0; column < columns; ++column) {
            if (column > 0) text += ", ";
            appendSixDigits(text, line[column]);
        }
        text += kLineEnd;
    }
    return text;
}

void AppendPixelListing(ui::TextBox& report, std::string_view header, int width, int height,
                        std::span<const std::int32_t> values) {
    report.appendText(formatPixelListing(header, width, height, values));
}

}  // namespace testrun
