#pragma once

#include <cassert>
#include <cstddef>

namespace gdi {

// A non-owning window onto a bitmap's rows. Rows are reached from the top row through a signed
// stride in bytes, so a bottom-up bitmap is simply a negative stride and every loop walks rows
// alike, whatever the pixel format.
struct SurfaceView {
    std::byte* top = nullptr;
    std::ptrdiff_t stride = 0;
    int width = 0;
    int height = 0;

    std::byte* rowStart(int y) const {
        assert(y >= 0 && y < height);
        return top + y * stride;
    }
};

}  // namespace gdi
