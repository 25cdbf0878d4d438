#include "dib/pixel_rows.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace dib {

namespace {

// On a little-endian machine a 32-bpp row is the values' own memory.
constexpr bool rowIsMemory = std::endian::native == std::endian::little;

template <unsigned Bytes>
void readWholeBytes(const std::byte* row, std::span<std::uint32_t> values) {
    if constexpr (Bytes == 4 && rowIsMemory) {
        std::memcpy(values.data(), row, values.size_bytes());
        return;
    }
    for (std::uint32_t& value : values) {
        value = 0;
        for (unsigned i = 0; i < Bytes; ++i) {
            value |= std::uint32_t(row[i]) << (8 * i);
        }
        row += Bytes;
    }
}

template <unsigned Bytes>
void writeWholeBytes(std::byte* row, std::span<const std::uint32_t> values) {
    if constexpr (Bytes == 4 && rowIsMemory) {
        std::memcpy(row, values.data(), values.size_bytes());
        return;
    }
    for (const std::uint32_t value : values) {
        for (unsigned i = 0; i < Bytes; ++i) {
            row[i] = std::byte(value >> (8 * i));
        }
        row += Bytes;
    }
}

// The shift of a sub-byte pixel inside its byte: the leftmost pixel sits in the high bits.
unsigned subByteShift(std::size_t column, unsigned bitCount) {
    const unsigned perByte = 8 / bitCount;
    return (perByte - 1 - unsigned(column % perByte)) * bitCount;
}

}  // namespace

void readRow(const std::byte* row, unsigned bitCount, std::span<std::uint32_t> values) {
    switch (bitCount) {
        case 32:
            return readWholeBytes<4>(row, values);
        case 24:
            return readWholeBytes<3>(row, values);
        case 16:
            return readWholeBytes<2>(row, values);
        case 8:
            return readWholeBytes<1>(row, values);
        default:
            for (std::size_t column = 0; column < values.size(); ++column) {
                const auto byte = std::uint32_t(row[column * bitCount / 8]);
                values[column] = (byte >> subByteShift(column, bitCount)) & maxPixelValue(bitCount);
            }
    }
}

void writeRow(std::byte* row, unsigned bitCount, std::span<const std::uint32_t> values) {
    switch (bitCount) {
        case 32:
            return writeWholeBytes<4>(row, values);
        case 24:
            return writeWholeBytes<3>(row, values);
        case 16:
            return writeWholeBytes<2>(row, values);
        case 8:
            return writeWholeBytes<1>(row, values);
        default:
            for (std::size_t column = 0; column < values.size(); ++column) {
                row[column * bitCount / 8] |=
                    std::byte(values[column] << subByteShift(column, bitCount));
            }
    }
}

void fillRow(std::byte* row, unsigned bitCount, std::size_t count, std::uint32_t value) {
    if (bitCount < 8) {
        std::uint32_t pattern = 0;
        for (unsigned shift = 0; shift < 8; shift += bitCount) {
            pattern |= value << shift;
        }
        // Whole bytes take the pattern; a last partial byte only its pixels' high bits, so the
        // row's padding bits stay 0.
        const std::size_t whole = count * bitCount / 8;
        std::memset(row, int(pattern & 0xFF), whole);
        if (const auto rest = unsigned(count * bitCount % 8)) {
            row[whole] = std::byte(pattern & (0xFF00u >> rest));
        }
        return;
    }
    const std::size_t bytes = bitCount / 8;
    for (std::size_t i = 0; i < bytes; ++i) {
        row[i] = std::byte(value >> (8 * i));
    }
    for (std::size_t filled = 1; filled < count; filled *= 2) {
        std::memcpy(row + filled * bytes, row, std::min(filled, count - filled) * bytes);
    }
}

}  // namespace dib
