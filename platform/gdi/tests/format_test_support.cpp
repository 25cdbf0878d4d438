#include "format_test_support.h"

#include "gdi_test_support.h"

#include <cstring>

namespace gditest {

namespace {

template <class Byte>
Byte* rowOf(std::span<Byte> bits, const gdi::DibFormat& format, std::size_t y) {
    const std::size_t bufferRow = gdi::bufferRowOf(y, std::size_t(format.height), format.order);
    return bits.data() + bufferRow * format.stride();
}

void store(std::byte* row, std::size_t x, WORD bitCount, std::uint32_t value) {
    if (bitCount < 8) {
        const std::size_t bit = x * bitCount;
        const unsigned shift = unsigned(8 - bitCount - bit % 8);
        const unsigned mask = ((1u << bitCount) - 1) << shift;
        row[bit / 8] = (row[bit / 8] & std::byte(~mask)) | std::byte((value << shift) & mask);
        return;
    }
    for (std::size_t k = 0; k < bitCount / 8u; ++k) {
        row[x * bitCount / 8 + k] = std::byte(value >> (8 * k));
    }
}

std::uint32_t load(const std::byte* row, std::size_t x, WORD bitCount) {
    if (bitCount < 8) {
        const std::size_t bit = x * bitCount;
        const auto byte = std::to_integer<std::uint32_t>(row[bit / 8]);
        return byte >> (8 - bitCount - bit % 8) & ((1u << bitCount) - 1);
    }
    std::uint32_t value = 0;
    for (std::size_t k = 0; k < bitCount / 8u; ++k) {
        value |= std::to_integer<std::uint32_t>(row[x * bitCount / 8 + k]) << (8 * k);
    }
    return value;
}

}  // namespace

gdi::DibFormat dib(WORD bitCount, LONG width, LONG height, std::vector<DWORD> colours,
                   gdi::ChannelMasks masks) {
    gdi::DibFormat format = gdi::DibFormat::rgb32(width, height, gdi::RowOrder::BottomUp);
    format.bitCount = bitCount;
    format.colours = std::move(colours);
    format.clrUsed = DWORD(format.colours.size());
    if (masks != gdi::ChannelMasks{}) {
        format.compression = BI_BITFIELDS;
        format.masks = masks;
    }
    return format;
}

std::vector<std::byte> packed(const gdi::DibFormat& format, std::span<const std::uint32_t> values) {
    std::vector<std::byte> bits(format.imageBytes());
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto width = std::size_t(format.width);
        store(rowOf(std::span(bits), format, i / width), i % width, format.bitCount, values[i]);
    }
    return bits;
}

Section::Section(const gdi::DibFormat& format, std::uint32_t fill)
    : m_format(format), m_section(format) {
    const std::vector<std::uint32_t> filled(std::size_t(format.width * format.height), fill);
    const std::vector<std::byte> bits = packed(format, filled);
    std::memcpy(m_section.bits().data(), bits.data(),
                std::min(bits.size(), m_section.bits().size()));
}

std::vector<std::uint32_t> unpacked(const gdi::DibFormat& format, std::span<const std::byte> bits) {
    std::vector<std::uint32_t> values;
    for (std::size_t y = 0; y < std::size_t(format.height); ++y) {
        const std::byte* row = rowOf(bits, format, y);
        for (std::size_t x = 0; x < std::size_t(format.width); ++x) {
            values.push_back(load(row, x, format.bitCount));
        }
    }
    return values;
}

std::vector<std::uint32_t> Section::values() const {
    return unpacked(m_format, m_section.bits());
}

std::string hexList(std::span<const std::uint32_t> values) {
    return hexRows(values, int(values.size()));
}

}  // namespace gditest
