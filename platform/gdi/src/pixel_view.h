#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gdi {

// A non-owning window onto 32-bit pixels. Rows are reached from the top row through a signed
// stride, so a bottom-up bitmap is simply a negative stride and every loop walks rows alike.
struct PixelView {
    std::uint32_t* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;

    std::uint32_t* rowStart(int y) const {
        assert(y >= 0 && y < height);
        return top + y * stride;
    }

    std::span<std::uint32_t> row(int y) const {
        return {rowStart(y), static_cast<std::size_t>(width)};
    }
};

}  // namespace gdi
