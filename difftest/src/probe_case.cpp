#include "probe_case.h"

#include <cstdio>

namespace difftest {

std::string toCaseLine(const ProbeCase& c) {
    char line[256];
    const int length = std::snprintf(
        line, sizeof line, "%u %u %d %08x %u %u %d %08x %d %d %d %d %d %d %d %d", c.destWidth,
        c.destHeight, c.destTopDown ? 1 : 0, c.fill, c.sourceWidth, c.sourceHeight,
        c.sourceTopDown ? 1 : 0, c.base, c.xDest, c.yDest, std::int32_t(c.width),
        std::int32_t(c.height), c.xSrc, c.ySrc, std::int32_t(c.startScan), std::int32_t(c.cLines));
    return std::string(line, std::size_t(length));
}

}  // namespace difftest
