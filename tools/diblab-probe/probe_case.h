#pragma once

#include "gdi/dib_format.h"
#include "geometry/call_geometry.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace probe {

// DW x DH and SW x SH, and so each of the four sizes, are at most this many pixels.
inline constexpr std::uint64_t maxPixels = 16u * 1024 * 1024;

// The longest line a legal case can have. The longest data part is "bits" with every byte of its
// 64 MiB as a token of its own (3 characters a byte); the sixteen fields and all eight options at
// their longest (two 256-entry colour lists of "RRGGBB,") take under 4 KiB.
inline constexpr std::size_t maxLineBytes = std::size_t(3) * 64 * 1024 * 1024 + 4096;

// One SetDIBitsToDevice experiment: the destination DIB section, the source DIB's header and
// bits, and the call's eight arguments as the 32-bit values the call receives.
struct ProbeCase {
    // DW x DH, DTD, dst and its colour table (dstpal or the default one).
    gdi::DibFormat destination;
    // Written into every destination pixel before the call; a value of the destination's format.
    std::uint32_t fill = 0;
    // SW x SH, STD, src, srcpal (or the default table), use, clrused, sizeimage and hdr.
    gdi::DibFormat source;
    // The exact buffer handed to the call: the BASE pattern, the px values or the bits bytes.
    std::vector<std::byte> bits;
    geometry::CallArguments arguments;
};

struct ParseError {
    std::string reason;
};

// True for a line that carries no case: empty, blank or a comment starting with '#'.
bool isSkippedLine(std::string_view line);

std::variant<ProbeCase, ParseError> parseCase(std::string_view line);

}  // namespace probe
