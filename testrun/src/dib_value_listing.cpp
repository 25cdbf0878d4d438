#include "testrun/dib_value_listing.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "dib/pixel_rows.h"

namespace testrun {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string hexDigits(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*X", digits, unsigned(value));
    return text;
}

bool palettized(const gdi::DibFormat& format) {
    return format.bitCount <= 8;
}

std::string whatValuesAre(const gdi::DibFormat& format) {
    if (!palettized(format)) return format.bitCount == 16 ? "16-bit values" : "RRGGBB";
    if (format.colorUse == DIB_PAL_COLORS) {
        return "table of palette indexes, INDEX=RRGGBB of the DC's palette";
    }
    return "INDEX=RRGGBB";
}

// The colour an index stands for: its table entry, or the palette entry a palette index picks.
std::uint32_t colourOf(const gdi::DibFormat& format, std::uint32_t index,
                       std::span<const DWORD> palette) {
    const std::uint32_t entry = index < format.colours.size() ? format.colours[index] : 0;
    if (format.colorUse != DIB_PAL_COLORS) return entry;
    return palette.empty() ? 0 : palette[entry % palette.size()];
}

std::string valueText(const gdi::DibFormat& format, std::uint32_t value,
                      std::span<const DWORD> palette) {
    if (palettized(format)) {
        return hexDigits(value, dib::hexDigitsOf(format.bitCount)) + "=" +
               hexDigits(colourOf(format, value, palette), 6);
    }
    return format.bitCount == 16 ? hexDigits(value, 4) : hexDigits(value & 0xFFFFFF, 6);
}

}  // namespace

std::string formatDibListing(std::string_view side, std::string_view name, const dib::Dib& dib,
                             std::span<const DWORD> palette) {
    const gdi::DibFormat& format = dib.format;
    std::string text = std::string(side) + " Pixels (" + std::string(name) + ": " +
                       whatValuesAre(format) + ") are" + std::string(kLineEnd);
    const auto width = std::size_t(std::max<LONG>(format.width, 0));
    std::vector<std::uint32_t> values(width);
    for (std::size_t row = 0; row < std::size_t(std::max<LONG>(format.height, 0)); ++row) {
        const std::size_t offset = row * format.stride();
        if (offset + format.stride() > dib.bits.size()) break;
        dib::readRow(dib.bits.data() + offset, format.bitCount, values);
        text += std::to_string(row + 1) + ": ";
        for (std::size_t column = 0; column < width; ++column) {
            if (column > 0) text += ", ";
            text += valueText(format, values[column], palette);
        }
        text += kLineEnd;
    }
    return text;
}

}  // namespace testrun
