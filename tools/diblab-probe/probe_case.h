#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace probe {

inline constexpr std::uint64_t maxPixels = 16u * 1024 * 1024;

enum class RowOrder { BottomUp, TopDown };

// One SetDIBitsToDevice experiment: the destination DIB, the source picture and the call's eight
// arguments as the 32-bit values the call receives.
struct ProbeCase {
    std::uint32_t destWidth = 0;
    std::uint32_t destHeight = 0;
    RowOrder destOrder = RowOrder::BottomUp;
    std::uint32_t fill = 0;
    std::uint32_t srcWidth = 0;
    std::uint32_t srcHeight = 0;
    RowOrder srcOrder = RowOrder::BottomUp;
    // The picture's pixels, top row first, left to right.
    std::vector<std::uint32_t> picture;
    std::int32_t xDest = 0;
    std::int32_t yDest = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int32_t xSrc = 0;
    std::int32_t ySrc = 0;
    std::uint32_t startScan = 0;
    std::uint32_t cLines = 0;
};

struct ParseError {
    std::string reason;
};

// True for a line that carries no case: empty, blank or a comment starting with '#'.
bool isSkippedLine(std::string_view line);

std::variant<ProbeCase, ParseError> parseCase(std::string_view line);

}  // namespace probe
