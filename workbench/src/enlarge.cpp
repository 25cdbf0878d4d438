#include "workbench/enlarge.h"

#include <algorithm>
#include <cstddef>

namespace workbench {
namespace {

std::int32_t opaque(std::int32_t pixel) {
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(pixel) | 0xFF000000u);
}

std::size_t area(PixelSize size) {
    return static_cast<std::size_t>(std::max(size.width, 0)) *
           static_cast<std::size_t>(std::max(size.height, 0));
}

}  // namespace

std::vector<std::int32_t> enlargePixels(std::span<const std::int32_t> small, PixelSize smallSize,
                                        PixelSize bigSize) {
    std::vector<std::int32_t> big(area(bigSize), 0);
    const std::size_t smallCount = std::min(small.size(), area(smallSize));
    for (std::size_t index = 0; index < smallCount; ++index) {
        const int x = static_cast<int>(index % static_cast<std::size_t>(smallSize.width));
        const int y = static_cast<int>(index / static_cast<std::size_t>(smallSize.width));
        const int right = std::min(kZoomFactor * (x + 1), bigSize.width);
        const int top = std::min(kZoomFactor * (y + 1), bigSize.height);
        for (int bigY = kZoomFactor * y; bigY < top; ++bigY) {
            for (int bigX = kZoomFactor * x; bigX < right; ++bigX) {
                big[static_cast<std::size_t>(bigY) * static_cast<std::size_t>(bigSize.width) +
                    static_cast<std::size_t>(bigX)] = opaque(small[index]);
            }
        }
    }
    return big;
}

}  // namespace workbench
