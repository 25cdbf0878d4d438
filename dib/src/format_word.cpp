#include "dib/format_word.h"

#include "dib/quoted_text.h"

#include <array>
#include <cstdio>

namespace dib {

namespace {

constexpr std::array<std::string_view, 3> channelNames{"red", "green", "blue"};

gdi::DibFormat layout(WORD bitCount, DWORD compression, gdi::ChannelMasks masks = {}) {
    gdi::DibFormat format;
    format.bitCount = bitCount;
    format.compression = compression;
    format.masks = masks;
    return format;
}

FormatWordReading refused(std::string_view word, const std::string& reason) {
    return {std::nullopt, "bad format word " + quoted(word) + ": " + reason};
}

std::optional<DWORD> hexValue(std::string_view digits) {
    DWORD value = 0;
    for (const char c : digits) {
        const int digit = c >= '0' && c <= '9'   ? c - '0'
                          : c >= 'a' && c <= 'f' ? c - 'a' + 10
                          : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                 : -1;
        if (digit < 0) {
            return std::nullopt;
        }
        value = value << 4 | DWORD(digit);
    }
    return value;
}

// "RRRR:GGGG:BBBB" after "16:" or "32:": three masks of at most bitCount / 4 digits each.
FormatWordReading readMasks(std::string_view word, WORD bitCount, FormatRole role) {
    const std::size_t maxDigits = bitCount / 4u;
    std::string_view rest = word.substr(3);
    std::array<DWORD, 3> masks{};
    for (std::size_t i = 0; i < masks.size(); ++i) {
        const std::size_t colon = rest.find(':');
        const bool last = i + 1 == masks.size();
        if ((colon == std::string_view::npos) != last) {
            return refused(word, "bit fields need three masks, red:green:blue, after " +
                                     std::to_string(bitCount) + ":");
        }
        const std::string_view digits = rest.substr(0, colon);
        const std::string channel(channelNames[i]);
        const std::optional<DWORD> mask = hexValue(digits);
        if (digits.empty() || !mask) {
            return refused(word, "the " + channel + " mask " + quoted(digits) +
                                     " is not a hexadecimal number");
        }
        if (digits.size() > maxDigits) {
            return refused(word, "the " + channel + " mask " + quoted(digits) + " has more than " +
                                     std::to_string(maxDigits) + " digits for " +
                                     std::to_string(bitCount) + " bits per pixel");
        }
        if (*mask == 0 && role == FormatRole::Destination) {
            return refused(word,
                           "the " + channel + " mask is 0, and a DIB section needs every channel");
        }
        masks[i] = *mask;
        rest.remove_prefix(last ? rest.size() : colon + 1);
    }
    return {layout(bitCount, BI_BITFIELDS, {masks[0], masks[1], masks[2]}), {}};
}

std::string hex(DWORD value) {
    char text[9];
    std::snprintf(text, sizeof text, "%x", unsigned(value));
    return text;
}

}  // namespace

FormatWordReading readFormatWord(std::string_view word, FormatRole role) {
    constexpr std::array<std::pair<std::string_view, WORD>, 6> rgbWords{
        {{"1", 1}, {"4", 4}, {"8", 8}, {"16", 16}, {"24", 24}, {"32", 32}}};
    for (const auto& [name, bitCount] : rgbWords) {
        if (word == name) {
            return {layout(bitCount, BI_RGB), {}};
        }
    }
    if (word == "rle8" || word == "rle4") {
        if (role == FormatRole::Destination) {
            return refused(word, "RLE is a source format only; a DIB section is uncompressed");
        }
        return {word == "rle8" ? layout(8, BI_RLE8) : layout(4, BI_RLE4), {}};
    }
    if (word.starts_with("16:") || word.starts_with("32:")) {
        return readMasks(word, word[0] == '1' ? 16 : 32, role);
    }
    return refused(word,
                   "not one of 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB, "
                   "32:RRRRRRRR:GGGGGGGG:BBBBBBBB, rle8, rle4");
}

std::string formatWord(const gdi::DibFormat& format) {
    switch (format.compression) {
        case BI_RLE8:
            return "rle8";
        case BI_RLE4:
            return "rle4";
        case BI_BITFIELDS:
            return std::to_string(format.bitCount) + ':' + hex(format.masks.red) + ':' +
                   hex(format.masks.green) + ':' + hex(format.masks.blue);
        default:
            return std::to_string(format.bitCount);
    }
}

void applyFormatWord(const gdi::DibFormat& word, gdi::DibFormat& format) {
    format.bitCount = word.bitCount;
    format.compression = word.compression;
    format.masks = word.masks;
}

}  // namespace dib
