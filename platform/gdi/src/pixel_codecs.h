#pragma once

#include "pixel_format.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <tuple>

// One reader and writer per pixel kind: load and store a pixel's stored value at column x of a
// row, and for direct-colour kinds turn that value into 0x00RRGGBB and back. The converters are
// generated from the list at the end, so a new format is one more entry there.
namespace gdi::codecs {

inline std::uint32_t byteAt(const std::byte* row, std::size_t offset) {
    return std::to_integer<std::uint32_t>(row[offset]);
}

// Bit 7 of each byte is the leftmost pixel.
struct Index1 {
    static constexpr PixelKind kind = PixelKind::Index1;
    static constexpr bool indexed = true;
    static constexpr std::size_t bytesPerPixel = 0;

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        return byteAt(row, x >> 3) >> (7 - (x & 7)) & 1;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t index) {
        const auto bit = std::byte(0x80 >> (x & 7));
        row[x >> 3] = index & 1 ? row[x >> 3] | bit : row[x >> 3] & ~bit;
    }
};

// The high nibble is the left pixel.
struct Index4 {
    static constexpr PixelKind kind = PixelKind::Index4;
    static constexpr bool indexed = true;
    static constexpr std::size_t bytesPerPixel = 0;

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        return byteAt(row, x >> 1) >> (x & 1 ? 0 : 4) & 0xF;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t index) {
        const unsigned shift = x & 1 ? 0 : 4;
        const auto kept = row[x >> 1] & std::byte(~(0xF << shift));
        row[x >> 1] = kept | std::byte((index & 0xF) << shift);
    }
};

struct Index8 {
    static constexpr PixelKind kind = PixelKind::Index8;
    static constexpr bool indexed = true;
    static constexpr std::size_t bytesPerPixel = 1;

    static std::uint32_t load(const std::byte* row, std::size_t x) { return byteAt(row, x); }
    static void store(std::byte* row, std::size_t x, std::uint32_t index) {
        row[x] = std::byte(index);
    }
};

struct Bits16 {
    static constexpr PixelKind kind = PixelKind::Bits16;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 2;

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        std::uint16_t value;
        std::memcpy(&value, row + 2 * x, sizeof value);
        return value;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t value) {
        const auto narrow = std::uint16_t(value);
        std::memcpy(row + 2 * x, &narrow, sizeof narrow);
    }
    static std::uint32_t toRgb(const ChannelFields& fields, std::uint32_t value) {
        return fields.toRgb(value);
    }
    static std::uint32_t fromRgb(const ChannelFields& fields, std::uint32_t rgb) {
        return fields.fromRgb(rgb);
    }
};

// Bytes blue, green, red.
struct Rgb24 {
    static constexpr PixelKind kind = PixelKind::Rgb24;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 3;

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        const std::byte* pixel = row + 3 * x;
        return byteAt(pixel, 0) | byteAt(pixel, 1) << 8 | byteAt(pixel, 2) << 16;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t rgb) {
        std::byte* pixel = row + 3 * x;
        pixel[0] = std::byte(rgb);
        pixel[1] = std::byte(rgb >> 8);
        pixel[2] = std::byte(rgb >> 16);
    }
    static std::uint32_t toRgb(const ChannelFields&, std::uint32_t value) { return value; }
    static std::uint32_t fromRgb(const ChannelFields&, std::uint32_t rgb) { return rgb; }
};

// The top byte is no channel: reading drops it, writing a colour leaves it 0.
struct Xrgb32 {
    static constexpr PixelKind kind = PixelKind::Xrgb32;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 4;

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        std::uint32_t value;
        std::memcpy(&value, row + 4 * x, sizeof value);
        return value;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t value) {
        std::memcpy(row + 4 * x, &value, sizeof value);
    }
    static std::uint32_t toRgb(const ChannelFields&, std::uint32_t value) {
        return value & 0xFFFFFF;
    }
    static std::uint32_t fromRgb(const ChannelFields&, std::uint32_t rgb) { return rgb; }
};

struct Bits32 {
    static constexpr PixelKind kind = PixelKind::Bits32;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 4;

    static std::uint32_t load(const std::byte* row, std::size_t x) { return Xrgb32::load(row, x); }
    static void store(std::byte* row, std::size_t x, std::uint32_t value) {
        Xrgb32::store(row, x, value);
    }
    static std::uint32_t toRgb(const ChannelFields& fields, std::uint32_t value) {
        return fields.toRgb(value);
    }
    static std::uint32_t fromRgb(const ChannelFields& fields, std::uint32_t rgb) {
        return fields.fromRgb(rgb);
    }
};

// Every pixel kind, in the order of PixelKind.
using All = std::tuple<Index1, Index4, Index8, Bits16, Rgb24, Xrgb32, Bits32>;

}  // namespace gdi::codecs
