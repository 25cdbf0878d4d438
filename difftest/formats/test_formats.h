#pragma once

#include "gdi/dib_format.h"

#include <span>
#include <string_view>

namespace difftest {

// One DIB format as diblab-probe names it, with the header fields it stands for.
struct TestFormat {
    // The probe's FORMAT: "8", "16:f800:7e0:1f", "rle4", ...
    std::string_view token;
    // A short name for tables.
    std::string_view label;
    WORD bitCount;
    DWORD compression;
    gdi::ChannelMasks masks;

    bool rle() const { return compression == BI_RLE8 || compression == BI_RLE4; }
    // Pixels are indices into a colour table (1, 4 and 8 bpp and RLE).
    bool indexed() const { return bitCount <= 8; }
    // A pixel of this format written as hexadecimal in probe output: 1, 2, 4, 6 or 8 digits.
    int hexDigits() const;
    // Bytes from one row to the next in an uncompressed image `width` pixels wide.
    std::size_t stride(std::uint32_t width) const;
    // The header of an image of this format (without a colour table).
    gdi::DibFormat dibFormat(LONG width, LONG height, gdi::RowOrder order) const;
};

// Every source format: palettized, 5-5-5, bit fields with usual and odd masks (narrow,
// non-contiguous, zero), 24 and 32 bpp, and both RLE kinds.
std::span<const TestFormat> sourceFormats();

// Every destination format a DIB section can have.
std::span<const TestFormat> destinationFormats();

// The 32-bpp BI_RGB format, the default of a case line.
const TestFormat& rgb32Format();

}  // namespace difftest
