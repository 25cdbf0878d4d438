#include "colour_rules.h"

#include <array>

namespace fuzzcheck {

namespace {

constexpr std::array<Rgb, 20> defaultPalette{0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                             0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                             0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                             0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

std::int64_t channel(Rgb colour, int shift) {
    return (colour >> shift) & 0xFF;
}

}  // namespace

Rgb defaultPaletteEntry(std::uint32_t index) {
    return defaultPalette[index % defaultPalette.size()];
}

ChannelField fieldOf(std::uint32_t mask) {
    ChannelField field;
    if (mask == 0) {
        return field;
    }
    while (!(mask >> field.shift & 1)) {
        ++field.shift;
    }
    while (field.shift + field.length < 32 && (mask >> (field.shift + field.length) & 1)) {
        ++field.length;
    }
    return field;
}

std::uint32_t channelOf(std::uint32_t pixel, ChannelField field) {
    const std::uint64_t value =
        (std::uint64_t(pixel) >> field.shift) & ((std::uint64_t(1) << field.length) - 1);
    if (field.length >= 8) {
        return std::uint32_t(value >> (field.length - 8));
    }
    const std::uint64_t top = value << (8 - field.length);
    return std::uint32_t(top | top >> field.length);
}

std::uint64_t fieldBits(std::uint32_t channel, ChannelField field) {
    if (field.length <= 8) {
        return std::uint64_t(channel >> (8 - field.length)) << field.shift;
    }
    return std::uint64_t(channel) << (field.shift + field.length - 8);
}

Rgb reducedToFiveBits(Rgb colour) {
    return (colour & 0xF8F8F8) + 0x040404;
}

std::uint32_t nearestIndex(std::span<const Rgb> table, Rgb colour) {
    std::uint32_t best = 0;
    std::int64_t bestDistance = -1;
    for (std::uint32_t i = 0; i < table.size(); ++i) {
        std::int64_t distance = 0;
        for (const int shift : {16, 8, 0}) {
            const std::int64_t d = channel(colour, shift) - channel(table[i], shift);
            distance += d * d;
        }
        if (bestDistance < 0 || distance < bestDistance) {
            best = i;
            bestDistance = distance;
        }
    }
    return best;
}

}  // namespace fuzzcheck
