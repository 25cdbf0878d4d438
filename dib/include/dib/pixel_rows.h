#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace dib {

// Pixel values in the packed rows of an uncompressed DIB of 1, 4, 8, 16, 24 or 32 bits per pixel.
// Sub-byte pixels fill a byte from its high bits (the leftmost pixel is bit 7 at 1 bpp, the high
// nibble at 4 bpp); wider pixels are little-endian, as Windows keeps them in memory.

// The largest value a pixel of `bitCount` bits holds.
constexpr std::uint32_t maxPixelValue(unsigned bitCount) {
    return bitCount >= 32 ? UINT32_MAX : (std::uint32_t(1) << bitCount) - 1;
}

// The hexadecimal digits that show every value of such a pixel: 1 for 1 and 4 bpp, 2 for 8, 4 for
// 16, 6 for 24 and 8 for 32.
constexpr int hexDigitsOf(unsigned bitCount) {
    return int(bitCount + 3) / 4;
}

// Reads the first values.size() pixels of a row.
void readRow(const std::byte* row, unsigned bitCount, std::span<std::uint32_t> values);

// Writes the values, each fitting `bitCount` bits, as the first pixels of a row whose bytes are 0.
void writeRow(std::byte* row, unsigned bitCount, std::span<const std::uint32_t> values);

// Sets the first `count` pixels of a row to one value that fits `bitCount` bits.
void fillRow(std::byte* row, unsigned bitCount, std::size_t count, std::uint32_t value);

}  // namespace dib
