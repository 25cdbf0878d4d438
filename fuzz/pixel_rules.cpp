#include "pixel_rules.h"

namespace fuzzcheck {

namespace {

std::uint32_t packDirect(const PixelFormat& format, Rgb colour) {
    if (format.bitCount == 24) {
        return colour;
    }
    std::uint64_t value = 0;
    for (int c = 0; c < 3; ++c) {
        value |= fieldBits((colour >> (16 - 8 * c)) & 0xFF, fieldOf(format.masks[c]));
    }
    return std::uint32_t(format.bitCount == 16 ? value & 0xFFFF : value);
}

bool sameFormat(const PixelFormat& from, const PixelFormat& to) {
    if (from.bitCount != to.bitCount) {
        return false;
    }
    if (from.palettized()) {
        return from.table == to.table;
    }
    return from.bitCount == 24 || from.masks == to.masks;
}

}  // namespace

PixelFormat rgb32Format() {
    return {};
}

std::array<std::uint32_t, 3> defaultMasks(int bitCount) {
    if (bitCount == 16) {
        return {0x7C00, 0x03E0, 0x001F};
    }
    return {0xFF0000, 0x00FF00, 0x0000FF};
}

std::uint64_t strideOf(std::uint64_t width, int bitCount) {
    return (width * std::uint64_t(bitCount) + 31) / 32 * 4;
}

std::uint32_t readPixel(const std::byte* row, std::uint64_t x, int bitCount) {
    switch (bitCount) {
        case 1:
            return std::uint32_t(row[x / 8] >> (7 - x % 8)) & 1;
        case 4:
            return std::uint32_t(row[x / 2] >> (x % 2 ? 0 : 4)) & 0xF;
        case 8:
            return std::uint32_t(row[x]);
        default: {
            const std::uint64_t bytes = std::uint64_t(bitCount) / 8;
            std::uint32_t value = 0;
            for (std::uint64_t b = 0; b < bytes; ++b) {
                value |= std::uint32_t(row[x * bytes + b]) << (8 * b);
            }
            return value;
        }
    }
}

void writePixel(std::byte* row, std::uint64_t x, int bitCount, std::uint32_t value) {
    if (bitCount < 8) {
        const std::uint64_t perByte = 8 / std::uint64_t(bitCount);
        const auto shift = int(8 - bitCount * (x % perByte + 1));
        const auto mask = std::uint32_t((1 << bitCount) - 1) << shift;
        std::byte& target = row[x / perByte];
        target = std::byte((std::uint32_t(target) & ~mask) | ((value << shift) & mask));
        return;
    }
    const std::uint64_t bytes = std::uint64_t(bitCount) / 8;
    for (std::uint64_t b = 0; b < bytes; ++b) {
        row[x * bytes + b] = std::byte(value >> (8 * b));
    }
}

Rgb colourOf(const PixelFormat& format, std::uint32_t value) {
    if (format.palettized()) {
        return format.table[value];
    }
    if (format.bitCount == 24) {
        return value;
    }
    Rgb colour = 0;
    for (int c = 0; c < 3; ++c) {
        colour |= channelOf(value, fieldOf(format.masks[c])) << (16 - 8 * c);
    }
    return colour;
}

std::uint32_t convertPixel(const PixelFormat& from, std::uint32_t value, const PixelFormat& to) {
    if (sameFormat(from, to)) {
        return value;
    }
    const Rgb colour = colourOf(from, value);
    if (!to.palettized()) {
        return packDirect(to, colour);
    }
    const bool reduce = to.bitCount == 8 && !from.palettized();
    return nearestIndex(to.table, reduce ? reducedToFiveBits(colour) : colour);
}

}  // namespace fuzzcheck
