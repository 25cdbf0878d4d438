#pragma once

// How one pixel value of a DIB format becomes a pixel value of another, restated plainly from
// the rules: palettized pixels through their colour table, direct-colour pixels through their
// channel fields, verbatim where source and destination formats are the same.

#include "colour_rules.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace fuzzcheck {

struct PixelFormat {
    int bitCount = 32;
    // Red, green and blue masks of 16- and 32-bpp pixels; BI_RGB uses 5-5-5 and 8-8-8.
    std::array<std::uint32_t, 3> masks{0xFF0000, 0x00FF00, 0x0000FF};
    // 1, 4 and 8 bpp: all 2^bitCount colours, black beyond the entries given.
    std::vector<Rgb> table;

    bool palettized() const { return bitCount <= 8; }
};

PixelFormat rgb32Format();
std::array<std::uint32_t, 3> defaultMasks(int bitCount);

// Bytes per row: the row's bits rounded up to whole DWORDs.
std::uint64_t strideOf(std::uint64_t width, int bitCount);

// Pixel `x` of a row; 24-bpp values are 0xRRGGBB (bytes blue, green, red).
std::uint32_t readPixel(const std::byte* row, std::uint64_t x, int bitCount);
void writePixel(std::byte* row, std::uint64_t x, int bitCount, std::uint32_t value);

Rgb colourOf(const PixelFormat& format, std::uint32_t value);

// The destination pixel value for a source pixel value.
std::uint32_t convertPixel(const PixelFormat& from, std::uint32_t value, const PixelFormat& to);

}  // namespace fuzzcheck
