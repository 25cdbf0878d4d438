#pragma once

#include "gdi/dib_format.h"

#include <bit>
#include <cstdint>
#include <span>

namespace gdi {

// How pixels are stored, one kind per reader and writer in pixel_codecs.h. Bits16 and Bits32 take
// any masks; the common masks have kinds of their own so that their shifts are constants: Rgb555
// (BI_RGB), Rgb565, Xrgb32 (FF0000/FF00/FF, BI_RGB, the format of the pictures) and Xbgr32
// (FF/FF00/FF0000).
enum class PixelKind : std::uint8_t {
    Index1,
    Index4,
    Index8,
    Rgb555,
    Rgb565,
    Bits16,
    Rgb24,
    Xrgb32,
    Xbgr32,
    Bits32,
};

inline constexpr ChannelMasks rgb555Masks{0x7C00, 0x03E0, 0x001F};
inline constexpr ChannelMasks rgb565Masks{0xF800, 0x07E0, 0x001F};
inline constexpr ChannelMasks xrgbMasks{0xFF0000, 0x00FF00, 0x0000FF};
inline constexpr ChannelMasks xbgrMasks{0x0000FF, 0x00FF00, 0xFF0000};

// A colour as three 8-bit channels, the form every direct-colour conversion passes through.
struct Rgb {
    std::uint32_t red, green, blue;

    static constexpr Rgb of(std::uint32_t packed) {
        return {packed >> 16 & 0xFF, packed >> 8 & 0xFF, packed & 0xFF};
    }
    // 0x00RRGGBB.
    constexpr std::uint32_t packed() const { return red << 16 | green << 8 | blue; }
    // The 15-bit key of the colour with each channel cut to its top 5 bits.
    constexpr std::uint32_t fiveBitKey() const {
        return (red & 0xF8) << 7 | (green & 0xF8) << 2 | blue >> 3;
    }
};

// One channel of a bit-field pixel: the lowest contiguous run of its mask's set bits. Widening
// takes its top 8 bits when wider, or puts it at the top of the byte and ORs in one shifted copy
// when narrower, which is bit replication from 4 bits on; narrowing truncates 8 bits to the
// field, with zeros below them in wider fields. The shifts are worked out once per mask.
class ChannelField {
public:
    constexpr ChannelField() = default;

    static constexpr ChannelField of(DWORD mask) {
        ChannelField field;
        if (mask == 0) {
            return field;
        }
        const auto shift = std::uint32_t(std::countr_zero(mask));
        const auto length = std::uint32_t(std::countr_one(mask >> shift));
        field.m_bits = length < 8 ? length : 8;
        field.m_shift = shift + length - field.m_bits;
        field.m_valueMask = (1u << field.m_bits) - 1;
        field.m_dropped = 8 - field.m_bits;
        return field;
    }

    constexpr std::uint32_t widen(std::uint32_t pixel) const {
        const std::uint32_t top = ((pixel >> m_shift) & m_valueMask) << m_dropped;
        return (top | (top >> m_bits)) & 0xFF;
    }
    constexpr std::uint32_t narrow(std::uint32_t channel) const {
        return (channel >> m_dropped) << m_shift;
    }

    // Where the top 5 bits of a field of at least 5 bits sit: the top 5 bits of its widened
    // value.
    constexpr std::uint32_t topFiveShift() const { return m_shift + m_bits - 5; }
    constexpr bool hasFiveBits() const { return m_bits >= 5; }
    // The bits of the pixel the widened value is made of: at most 8, from `lowest` up.
    constexpr std::uint32_t width() const { return m_bits; }
    constexpr std::uint32_t lowest() const { return m_shift; }

private:
    // Where the channel's top (at most 8) bits sit, how many there are and how many of an
    // 8-bit channel they leave out.
    std::uint32_t m_shift = 0;
    std::uint32_t m_bits = 0;
    std::uint32_t m_valueMask = 0;
    std::uint32_t m_dropped = 8;
};

struct ChannelFields {
    ChannelField red, green, blue;

    static constexpr ChannelFields of(const ChannelMasks& masks) {
        return {ChannelField::of(masks.red), ChannelField::of(masks.green),
                ChannelField::of(masks.blue)};
    }
    constexpr Rgb toRgb(std::uint32_t pixel) const {
        return {red.widen(pixel), green.widen(pixel), blue.widen(pixel)};
    }
    constexpr std::uint32_t fromRgb(Rgb rgb) const {
        return red.narrow(rgb.red) | green.narrow(rgb.green) | blue.narrow(rgb.blue);
    }
};

// A pixel format as the converters see it. Palettized formats carry their colour table as
// 0x00RRGGBB entries (a source's entries beyond the table are black) and the bit count whose
// tables must agree for indices to be copied; direct formats carry their channel masks.
struct PixelFormat {
    PixelKind kind = PixelKind::Xrgb32;
    WORD bitCount = 32;
    ChannelMasks masks = xrgbMasks;
    std::span<const std::uint32_t> colours;

    bool isPalettized() const { return bitCount <= 8; }
    // Whether stored values are made of the masks' channel fields (all 16- and 32-bit kinds).
    bool hasChannelFields() const { return bitCount == 16 || bitCount == 32; }

    static PixelFormat palettized(WORD bitCount, std::span<const std::uint32_t> colours) {
        const PixelKind kind = bitCount == 1   ? PixelKind::Index1
                               : bitCount == 4 ? PixelKind::Index4
                                               : PixelKind::Index8;
        return {kind, bitCount, {}, colours};
    }

    // A 16- or 32-bit format with the given masks, or 24 bits (masks ignored).
    static PixelFormat direct(WORD bitCount, const ChannelMasks& masks) {
        switch (bitCount) {
            case 16:
                return {masks == rgb555Masks   ? PixelKind::Rgb555
                        : masks == rgb565Masks ? PixelKind::Rgb565
                                               : PixelKind::Bits16,
                        16,
                        masks,
                        {}};
            case 24:
                return {PixelKind::Rgb24, 24, xrgbMasks, {}};
            default:
                return {masks == xrgbMasks   ? PixelKind::Xrgb32
                        : masks == xbgrMasks ? PixelKind::Xbgr32
                                             : PixelKind::Bits32,
                        32,
                        masks,
                        {}};
        }
    }
};

// Whether two direct-colour formats store every colour alike, so that pixels are copied unchanged.
inline bool sameDirectFormat(const PixelFormat& a, const PixelFormat& b) {
    return a.kind == b.kind && (a.kind == PixelKind::Rgb24 || a.masks == b.masks);
}

}  // namespace gdi
