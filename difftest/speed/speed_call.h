#pragma once

#include "gdi/dib_section_dc.h"
#include "test_formats.h"

#include <cstdint>
#include <memory>
#include <vector>

namespace difftest {

// The source of a timed call: a bottom-up picture of a format, its bits (noise, or for RLE a
// stream of encoded and absolute runs that covers every pixel) and its header with the probe's
// default colour table.
class SpeedSource {
public:
    SpeedSource(const TestFormat& format, std::uint32_t width, std::uint32_t height);

    std::uint32_t width() const { return m_width; }
    std::uint32_t height() const { return m_height; }
    const std::vector<std::byte>& bits() const { return m_bits; }
    const BITMAPINFO* info() const { return m_info->get(); }

private:
    std::uint32_t m_width;
    std::uint32_t m_height;
    std::vector<std::byte> m_bits;
    std::unique_ptr<gdi::DibInfo> m_info;
};

// A DIB section of a format and size (with the default colour table for indexed formats) in a
// memory DC, and the call that draws a whole source onto it.
class SpeedTarget {
public:
    SpeedTarget(const TestFormat& format, std::uint32_t width, std::uint32_t height);

    bool created() const { return m_dc.created(); }
    // SetDIBitsToDevice of the whole source at (0, 0); returns the call's result.
    int draw(const SpeedSource& source) const;

private:
    gdi::DibSectionDC m_dc;
};

// The probe's default colour table of 2^bpp entries.
std::vector<DWORD> defaultColourTable(const TestFormat& format);

}  // namespace difftest
