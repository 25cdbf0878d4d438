#include "colour_tables.h"

#include "case_tokens.h"

#include <array>

namespace probe {

namespace {

constexpr std::size_t maxTableEntries = 256;
constexpr DWORD defaultPaletteSize = 20;

constexpr std::array<DWORD, maxTableEntries> unevenColours = [] {
    std::array<DWORD, maxTableEntries> colours{};
    for (std::size_t i = 0; i < colours.size(); ++i) {
        colours[i] = DWORD((std::uint32_t(i + 1) * 0x9E3779B1u) >> 8);
    }
    return colours;
}();

std::optional<DWORD> readEntry(std::string_view text, ColourList kind) {
    if (kind == ColourList::Rgb) {
        return readHex(text, 6);
    }
    const std::optional<std::uint64_t> index = readCount(text);
    return index && *index <= 0xFFFF ? std::optional<DWORD>(DWORD(*index)) : std::nullopt;
}

}  // namespace

std::vector<DWORD> defaultColours(WORD bitCount) {
    return {unevenColours.begin(), unevenColours.begin() + (std::size_t(1) << bitCount)};
}

std::vector<DWORD> defaultPaletteIndexes(WORD bitCount) {
    std::vector<DWORD> indexes(std::size_t(1) << bitCount);
    for (std::size_t i = 0; i < indexes.size(); ++i) {
        indexes[i] = DWORD(i % defaultPaletteSize);
    }
    return indexes;
}

std::string readColourList(std::string_view option, std::string_view list, ColourList kind,
                          std::size_t maxEntries, std::vector<DWORD>& colours) {
    colours.clear();
    for (;;) {
        const std::size_t comma = list.find(',');
        const std::string_view text = list.substr(0, comma);
        const std::optional<DWORD> entry = readEntry(text, kind);
        if (!entry) {
            const char* what = kind == ColourList::Rgb ? "bad colour " : "bad palette index ";
            const char* expected = kind == ColourList::Rgb ? ": RRGGBB, 1 to 6 hexadecimal digits"
                                                           : ": a decimal index from 0 to 65535";
            return what + quoted(text) + " in " + std::string(option) + expected;
        }
        if (colours.size() == maxEntries) {
            return std::string(option) + " is too large: at most " + std::to_string(maxEntries) +
                   " entries";
        }
        colours.push_back(*entry);
        if (comma == std::string_view::npos) {
            return {};
        }
        list.remove_prefix(comma + 1);
    }
}

}  // namespace probe
