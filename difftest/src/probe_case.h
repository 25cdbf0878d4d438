#pragma once

#include "test_formats.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace difftest {

// One SetDIBitsToDevice call in diblab-probe's terms: a DW x DH destination DIB section filled
// with `fill`, a SW x SH source, and the eight arguments as the 32-bit values the call receives.
// The source's pixels follow the BASE pattern unless `pixels` or `bits` is given. The remaining
// members are the line's options; at their defaults none is written, so a 32-bpp case reads as it
// always has.
struct ProbeCase {
    std::uint32_t destWidth = 8;
    std::uint32_t destHeight = 8;
    bool destTopDown = false;
    std::uint32_t fill = 0;
    std::uint32_t sourceWidth = 8;
    std::uint32_t sourceHeight = 8;
    bool sourceTopDown = false;
    std::uint32_t base = 0;
    std::int32_t xDest = 0;
    std::int32_t yDest = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int32_t xSrc = 0;
    std::int32_t ySrc = 0;
    std::uint32_t startScan = 0;
    std::uint32_t cLines = 0;

    const TestFormat* source = &rgb32Format();
    const TestFormat* dest = &rgb32Format();
    // srcpal: RRGGBB colours, or palette indices when `paletteIndices` (use=pal).
    std::vector<std::uint32_t> sourceColours;
    // dstpal: RRGGBB colours.
    std::vector<std::uint32_t> destColours;
    bool paletteIndices = false;
    std::optional<std::uint32_t> clrUsed;
    std::optional<std::uint32_t> sizeImage;
    std::optional<std::uint32_t> headerSize;
    // px: SW x SH pixel values, top row first.
    std::vector<std::uint32_t> pixels;
    // bits: the exact bytes of the bits buffer.
    std::optional<std::vector<std::uint8_t>> bits;
};

// The case as one input line of diblab-probe. The eight arguments are written as signed 32-bit
// decimals, the way the bench's fields show them (Width 0xFFFFFFFF reads -1).
std::string toCaseLine(const ProbeCase& probeCase);

}  // namespace difftest
