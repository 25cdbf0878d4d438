#pragma once

#include "gdi/dib_section_dc.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Helpers for tests of every DIB format: pixels are handled as stored values (an index, a 16-,
// 24- or 32-bit value), packed and read here independently of the layer under test.
namespace gditest {

// A bottom-up DIB of the given bit count and size; masks make a 16- or 32-bit one BI_BITFIELDS.
gdi::DibFormat dib(WORD bitCount, LONG width, LONG height = 1, std::vector<DWORD> colours = {},
                   gdi::ChannelMasks masks = {});

// Stored values, top row first, packed into the rows of a DIB of that format.
std::vector<std::byte> packed(const gdi::DibFormat& format, std::span<const std::uint32_t> values);

// The stored values of a DIB's rows, top row first.
std::vector<std::uint32_t> unpacked(const gdi::DibFormat& format, std::span<const std::byte> bits);

// A DIB section of any uncompressed format in a memory DC, every pixel holding `fill`.
class Section {
public:
    Section(const gdi::DibFormat& format, std::uint32_t fill);

    HDC dc() const { return m_section.dc(); }
    HBITMAP bitmap() const { return m_section.bitmap(); }
    bool created() const { return m_section.created(); }
    std::span<std::byte> bits() const { return m_section.bits(); }
    // Stored values, top row first.
    std::vector<std::uint32_t> values() const;

private:
    gdi::DibFormat m_format;
    gdi::DibSectionDC m_section;
};

// Values as hexadecimal text on one line.
std::string hexList(std::span<const std::uint32_t> values);

}  // namespace gditest
