#pragma once

// Independent restatements of how the GDI calls behave, for the fuzz targets to hold the emulated
// layer against: the result each call must give and the pixels it must leave.

#include "dib_header_rules.h"
#include "fuzz_check.h"
#include "gdi/gdi.h"
#include "pixel_rules.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fuzzcheck {

using Screen = std::vector<std::uint32_t>;  // pixel values, top row first, left to right

// A DIB section's pixels seen through the address CreateDIBSection returned.
struct SectionPixels {
    std::byte* memory = nullptr;
    int width = 0;
    int height = 0;
    bool topDown = false;
    PixelFormat format;

    std::uint64_t stride() const { return strideOf(std::uint64_t(width), format.bitCount); }
    std::span<std::byte> bytes() const;
    // Pixel (x, y) with y = 0 the top row.
    std::uint32_t value(int x, int y) const;
    void setValue(int x, int y, std::uint32_t pixel) const;
    Screen screen() const;
};

struct DibitsCall {
    int xDest, yDest;
    DWORD width, height;
    int xSrc, ySrc;
    UINT startScan, cLines;
};

// SetDIBitsToDevice's result for a source it accepts and a call with a DC and cLines > 0.
int expectedSetDibitsResult(const SourceDib& source, const DibitsCall& call);

// Checks the surface after SetDIBitsToDevice drew whatever `bits` holds: every pixel the rules
// draw holds the source pixel converted, every other pixel is unchanged.
void checkSetDibitsScreen(const Screen& after, const Screen& before, int surfaceWidth,
                          const PixelFormat& surfaceFormat, const SourceDib& source,
                          const DibitsCall& call, std::span<const std::byte> bits, int result);

struct BlitCall {
    int xDest, yDest, width, height, xSrc, ySrc;
};

struct BlitSurface {
    const Screen& pixels;
    int width;
    const PixelFormat& format;
};

// The destination after a SRCCOPY BitBlt from `source`.
Screen expectedBitBltScreen(const BlitSurface& destination, const BlitSurface& source,
                            const BlitCall& call);

}  // namespace fuzzcheck
