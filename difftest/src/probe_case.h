#pragma once

#include <cstdint>
#include <string>

namespace difftest {

// One SetDIBitsToDevice call in diblab-probe's terms: a DW x DH destination DIB section filled
// with `fill`, a SW x SH source whose picture pixel (row r from the top, column c) is
// base + r * 256 + c, and the eight arguments as the 32-bit values the call receives.
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
};

// The case as one input line of diblab-probe. The eight arguments are written as signed 32-bit
// decimals, the way the bench's fields show them (Width 0xFFFFFFFF reads -1).
std::string toCaseLine(const ProbeCase& probeCase);

}  // namespace difftest
