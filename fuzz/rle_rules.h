#pragma once

// How SetDIBitsToDevice decodes a BI_RLE8 or BI_RLE4 stream, restated plainly: byte pairs from
// scan line 0 (the bottom) upwards, runs clipped at the decode area's right edge, and only the
// runs an escape has committed are drawn.

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fuzzcheck {

struct RleWindow {
    // The decode area: columns 0..areaWidth-1, scan lines 0..areaHeight-1.
    std::int64_t areaWidth = 0;
    std::int64_t areaHeight = 0;
    // The part of it the caller looks at.
    std::int64_t firstColumn = 0;
    std::int64_t firstLine = 0;
    std::int64_t columns = 0;
    std::int64_t lines = 0;
};

inline constexpr int unsetIndex = -1;

// The index each pixel of the window is drawn with, or unsetIndex; row-major from firstLine.
std::vector<int> decodeRle(std::span<const std::byte> stream, int bitCount,
                           const RleWindow& window);

}  // namespace fuzzcheck
