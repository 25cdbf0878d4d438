#include "pixel_fill.h"

#include "colour_matcher.h"
#include "pixel_codecs.h"
#include "row_converter.h"

#include <algorithm>

namespace gdi {

namespace {

constexpr std::uint32_t white = 0xFFFFFF;

template <class Codec>
void fillWith(std::byte* row, std::size_t x, std::size_t count, std::uint32_t value) {
    typename Codec::Writer writer(row, x, count);
    for (std::size_t i = 0; i < count; ++i) {
        writer.put(value);
    }
    writer.finish();
}

template <std::size_t... kinds>
void fillAny(PixelKind kind, std::byte* row, std::size_t x, std::size_t count, std::uint32_t value,
             std::index_sequence<kinds...>) {
    ((kind == PixelKind(kinds)
          ? fillWith<std::tuple_element_t<kinds, codecs::All>>(row, x, count, value)
          : void()),
     ...);
}

}  // namespace

void fillPixels(PixelKind kind, std::byte* row, std::size_t x, std::size_t count,
                std::uint32_t value) {
    // A writer touches the byte at x, which an empty segment at the row's end does not own.
    if (count == 0) {
        return;
    }
    fillAny(kind, row, x, count, value, std::make_index_sequence<std::tuple_size_v<codecs::All>>{});
}

std::uint32_t brushValue(const PixelFormat& format, std::uint32_t rgb) {
    if (!format.isPalettized()) {
        return encodeColour(format, rgb);
    }
    const ColourMatcher matcher(format.colours);
    if (format.bitCount != 1) {
        return matcher.nearest(rgb);
    }
    const auto exact = std::ranges::find(format.colours, rgb);
    if (exact != format.colours.end()) {
        return std::uint32_t(exact - format.colours.begin());
    }
    const unsigned background = matcher.nearest(white);
    return rgb == white ? background : 1 - background;
}

}  // namespace gdi
