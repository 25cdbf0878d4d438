#include "probe_case.h"

#include <cstdio>

namespace difftest {

namespace {

void appendHex(std::string& line, std::uint32_t value, int digits) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%0*x", digits, value);
    line.append(text, std::size_t(length));
}

void appendList(std::string& line, const char* name, const std::vector<std::uint32_t>& values,
                bool decimal) {
    if (values.empty()) {
        return;
    }
    line += ' ';
    line += name;
    char separator = '=';
    for (const std::uint32_t value : values) {
        line += separator;
        if (decimal) {
            line += std::to_string(value);
        } else {
            appendHex(line, value, 6);
        }
        separator = ',';
    }
}

void appendNumber(std::string& line, const char* name, const std::optional<std::uint32_t>& value) {
    if (value) {
        line += ' ';
        line += name;
        line += '=';
        line += std::to_string(*value);
    }
}

void appendOptions(std::string& line, const ProbeCase& c) {
    if (c.source->token != "32") {
        line += " src=";
        line += c.source->token;
    }
    if (c.dest->token != "32") {
        line += " dst=";
        line += c.dest->token;
    }
    appendList(line, "srcpal", c.sourceColours, c.paletteIndices);
    appendList(line, "dstpal", c.destColours, false);
    if (c.paletteIndices) {
        line += " use=pal";
    }
    appendNumber(line, "clrused", c.clrUsed);
    appendNumber(line, "sizeimage", c.sizeImage);
    appendNumber(line, "hdr", c.headerSize);
}

void appendSourceBits(std::string& line, const ProbeCase& c) {
    if (!c.pixels.empty()) {
        line += " px";
        for (const std::uint32_t value : c.pixels) {
            line += ' ';
            appendHex(line, value, 1);
        }
    } else if (c.bits) {
        line += " bits ";
        for (const std::uint8_t byte : *c.bits) {
            appendHex(line, byte, 2);
        }
    }
}

}  // namespace

std::string toCaseLine(const ProbeCase& c) {
    char text[256];
    const int length = std::snprintf(
        text, sizeof text, "%u %u %d %0*x %u %u %d %08x %d %d %d %d %d %d %d %d", c.destWidth,
        c.destHeight, c.destTopDown ? 1 : 0, c.dest->hexDigits(), c.fill, c.sourceWidth,
        c.sourceHeight, c.sourceTopDown ? 1 : 0, c.base, c.xDest, c.yDest, std::int32_t(c.width),
        std::int32_t(c.height), c.xSrc, c.ySrc, std::int32_t(c.startScan), std::int32_t(c.cLines));
    std::string line(text, std::size_t(length));
    appendOptions(line, c);
    appendSourceBits(line, c);
    return line;
}

}  // namespace difftest
