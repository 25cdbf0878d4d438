#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace workbench {

// Every small pixel becomes a block of this many by this many big pixels, whatever the sizes.
inline constexpr int kZoomFactor = 8;

struct PixelSize {
    int width = 0;
    int height = 0;
};

// Enlarges bottom-up scan lines of `smallSize` into bottom-up scan lines of `bigSize`: each small
// pixel fills its block with its value and 0xFF in the top byte. Big pixels outside the blocks stay
// 0, and blocks are cut at the big image's edges rather than wrapping into the next row.
std::vector<std::int32_t> enlargePixels(std::span<const std::int32_t> small, PixelSize smallSize,
                                        PixelSize bigSize);

}  // namespace workbench
