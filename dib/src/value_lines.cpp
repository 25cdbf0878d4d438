#include "dib/value_lines.h"

#include "dib/format_word.h"
#include "dib/pixel_rows.h"

#include <cstdint>
#include <cstdio>

namespace dib {

std::vector<std::string> valueLines(std::string_view picture, const PictureDib& dib) {
    const std::string name(picture);
    std::vector<std::string> lines{name + " format: " + formatWord(dib.dib.format)};
    const gdi::DibFormat& format = dib.uncompressed.format;
    const auto width = std::size_t(format.width);
    const auto height = std::size_t(format.height);
    const int digits = hexDigitsOf(format.bitCount);
    std::vector<std::uint32_t> values(width);
    for (std::size_t y = 0; y < height; ++y) {
        const std::size_t bufferRow = gdi::bufferRowOf(y, height, format.order);
        readRow(dib.uncompressed.bits.data() + bufferRow * format.stride(), format.bitCount,
                values);
        std::string line = name + " row " + std::to_string(y) + ":";
        for (const std::uint32_t value : values) {
            char text[12];
            std::snprintf(text, sizeof text, " %0*x", digits, unsigned(value));
            line += text;
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace dib
