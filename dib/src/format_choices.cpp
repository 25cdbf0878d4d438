#include "dib/format_choices.h"

#include "dib/format_word.h"

#include <array>

namespace dib {

namespace {

constexpr std::array<FormatChoice, 9> choices{{
    {"1", "1 bpp, 2-colour table", true, true},
    {"4", "4 bpp, 16-colour table", true, true},
    {"8", "8 bpp, 256-colour table", true, true},
    {"16", "16 bpp 5-5-5", true, true},
    {"16:f800:7e0:1f", "16 bpp 5-6-5 (BI_BITFIELDS)", true, true},
    {"24", "24 bpp", true, true},
    {"32", "32 bpp", true, true},
    {"rle8", "RLE8", true, false},
    {"rle4", "RLE4", true, false},
}};

bool sameLayout(const gdi::DibFormat& a, const gdi::DibFormat& b) {
    return a.bitCount == b.bitCount && a.compression == b.compression &&
           (a.compression != BI_BITFIELDS || a.masks == b.masks);
}

}  // namespace

gdi::DibFormat FormatChoice::format() const {
    return *readFormatWord(word, FormatRole::Source).format;
}

std::span<const FormatChoice> formatChoices() {
    return choices;
}

const FormatChoice* findChoice(std::string_view word) {
    for (const FormatChoice& choice : choices) {
        if (choice.word == word) {
            return &choice;
        }
    }
    return nullptr;
}

const FormatChoice* findChoice(const gdi::DibFormat& format) {
    for (const FormatChoice& choice : choices) {
        if (sameLayout(choice.format(), format)) {
            return &choice;
        }
    }
    return nullptr;
}

std::string formatName(const gdi::DibFormat& format) {
    if (const FormatChoice* choice = findChoice(format)) {
        return std::string(choice->name);
    }
    const std::string bits = std::to_string(format.bitCount) + " bpp";
    if (format.compression != BI_BITFIELDS) {
        return bits;
    }
    const std::string word = formatWord(format);
    return bits + " bit fields " + word.substr(word.find(':') + 1) + " (BI_BITFIELDS)";
}

}  // namespace dib
