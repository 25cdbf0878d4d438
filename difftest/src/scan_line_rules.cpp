#include "scan_line_rules.h"

#include <algorithm>

namespace difftest {

namespace {

constexpr std::int64_t signedLimit = std::int64_t(1) << 31;

// A sum or difference in Wine's 32-bit arithmetic, read back as an int.
std::int32_t wrapped(std::int64_t value) {
    return std::int32_t(std::uint32_t(std::uint64_t(value)));
}

struct Interval {
    std::int32_t low, high;  // [low, high)
};

bool overlap(Interval a, Interval b) {
    return std::max(a.low, b.low) < std::min(a.high, b.high);
}

}  // namespace

std::int64_t windowsScanLines(const ProbeCase& c) {
    if (c.cLines == 0) {
        return 0;
    }
    if (c.sourceTopDown) {
        return windowsRefusesBand(c) ? 0 : c.cLines;
    }
    const std::int64_t h = c.sourceHeight;
    const std::int64_t start = c.startScan;
    const std::int64_t lines = start >= h ? 0 : std::min<std::int64_t>(c.cLines, h - start);
    const std::int64_t rectangleTop = std::int64_t(c.ySrc) + std::int32_t(c.height);
    return std::max<std::int64_t>(0, std::min(start + lines, rectangleTop) - start);
}

bool windowsRefusesBand(const ProbeCase& c) {
    return c.sourceTopDown && c.cLines >= signedLimit;
}

bool edgesOverflowInt(const ProbeCase& c) {
    const auto overflows = [](std::int64_t sum) { return sum != wrapped(sum); };
    const std::int32_t width = std::int32_t(c.width);
    const std::int32_t height = std::int32_t(c.height);
    return overflows(std::int64_t(c.xDest) + width) || overflows(std::int64_t(c.xSrc) + width) ||
           overflows(std::int64_t(c.yDest) + height) || overflows(std::int64_t(c.ySrc) + height);
}

std::int64_t wineScanLines(const ProbeCase& c) {
    if (c.cLines == 0 || c.startScan >= c.sourceHeight) {
        return 0;
    }
    std::uint32_t lines = c.cLines;
    if (!c.sourceTopDown) {
        lines = std::min(lines, c.sourceHeight - c.startScan);
    }
    // The source rectangle's top, counted downward from the band's top row.
    std::int32_t top =
        wrapped(std::int64_t(c.startScan) + lines - (std::int64_t(c.ySrc) + c.height));
    if (top > 0) {
        if (std::uint32_t(top) >= lines) {
            return c.sourceTopDown ? std::int32_t(lines) : 0;
        }
        if (!c.sourceTopDown) {
            lines -= std::uint32_t(top);
            top = 0;
        }
    }
    const auto bandRows = std::int32_t(c.sourceTopDown ? std::min(lines, c.sourceHeight) : lines);
    const bool copiesAny = overlap({c.xSrc, wrapped(std::int64_t(c.xSrc) + c.width)},
                                   {0, std::int32_t(c.sourceWidth)}) &&
                           overlap({top, wrapped(std::int64_t(top) + c.height)}, {0, bandRows});
    return copiesAny ? std::int32_t(lines) : 0;
}

}  // namespace difftest
