#pragma once

#include "gdi/dib_format.h"

#include <cstdint>
#include <span>

namespace gdi {

// How pixels are stored, one kind per reader and writer in pixel_codecs.h. Xrgb32 is the 32-bit
// layout with the masks FF0000/FF00/FF (BI_RGB or bit fields), the format of the pictures.
enum class PixelKind : std::uint8_t { Index1, Index4, Index8, Bits16, Rgb24, Xrgb32, Bits32 };

inline constexpr ChannelMasks rgb555Masks{0x7C00, 0x03E0, 0x001F};
inline constexpr ChannelMasks xrgbMasks{0xFF0000, 0x00FF00, 0x0000FF};

// One channel of a bit-field pixel: the lowest contiguous run of its mask's set bits, with the
// shift and length that widen it to 8 bits or narrow 8 bits into it by truncation.
struct ChannelField {
    unsigned shift = 0;
    unsigned length = 0;

    static ChannelField of(DWORD mask);

    // Fields wider than 8 bits keep their top 8 bits; narrower ones are put at the top of the
    // byte and one shifted copy is ORed in, which is bit replication from 4 bits on.
    std::uint32_t widen(std::uint32_t pixel) const {
        const unsigned bits = length < 8 ? length : 8;
        const unsigned from = length < 8 ? shift : shift + length - 8;
        const std::uint32_t value = (pixel >> from) & ((1u << bits) - 1);
        const std::uint32_t top = value << (8 - bits);
        return (top | (top >> bits)) & 0xFF;
    }

    // Narrower fields drop the channel's low bits; wider ones get zeros below it.
    std::uint32_t narrow(std::uint32_t channel) const {
        const unsigned bits = length < 8 ? length : 8;
        const unsigned to = length < 8 ? shift : shift + length - 8;
        return (channel >> (8 - bits)) << to;
    }
};

struct ChannelFields {
    ChannelField red, green, blue;

    static ChannelFields of(const ChannelMasks& masks) {
        return {ChannelField::of(masks.red), ChannelField::of(masks.green),
                ChannelField::of(masks.blue)};
    }
    // 0x00RRGGBB from a pixel of these fields.
    std::uint32_t toRgb(std::uint32_t pixel) const {
        return red.widen(pixel) << 16 | green.widen(pixel) << 8 | blue.widen(pixel);
    }
    std::uint32_t fromRgb(std::uint32_t rgb) const {
        return red.narrow(rgb >> 16 & 0xFF) | green.narrow(rgb >> 8 & 0xFF) |
               blue.narrow(rgb & 0xFF);
    }
};

// A pixel format as the converters see it. Palettized formats carry their colour table as
// 0x00RRGGBB entries (a source's entries beyond the table are black) and the bit count whose
// tables must agree for indices to be copied; direct formats carry their channel masks.
struct PixelFormat {
    PixelKind kind = PixelKind::Xrgb32;
    WORD bitCount = 32;
    ChannelMasks masks = xrgbMasks;
    std::span<const std::uint32_t> colors;

    bool isPalettized() const { return bitCount <= 8; }

    static PixelFormat palettized(WORD bitCount, std::span<const std::uint32_t> colors);
    // A 16- or 32-bit format with the given masks, or 24 bits (masks ignored).
    static PixelFormat direct(WORD bitCount, const ChannelMasks& masks);
};

}  // namespace gdi
