#pragma once

// Independent restatements of how the GDI calls behave, for the fuzz target to hold the emulated
// layer against: the result each call must give and the pixels it must leave.

#include "gdi/gdi.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace fuzzcheck {

// Ends the run with a message libFuzzer reports as a crash.
void check(bool condition, const char* what);

using Screen = std::vector<std::uint32_t>;  // pixels top row first, left to right

// A DIB section's pixels seen through the address CreateDIBSection returned.
struct SectionPixels {
    std::uint32_t* memory = nullptr;
    int width = 0;
    int height = 0;
    bool topDown = false;

    std::uint32_t& at(int x, int y) const;
    Screen screen() const;
};

struct DibitsCall {
    int xDest, yDest;
    DWORD width, height;
    int xSrc, ySrc;
    UINT startScan, cLines;
};

// A header the layer supports: 32-bpp BI_RGB, full size, positive width, non-zero height.
bool supportedHeader(const BITMAPINFOHEADER& header);

// SetDIBitsToDevice's result for a call that passes the failure checks.
int expectedSetDibitsResult(const BITMAPINFOHEADER& header, const DibitsCall& call);

// The surface after SetDIBitsToDevice drew whatever band rows `bits` holds.
Screen expectedSetDibitsScreen(Screen before, int surfaceWidth, const BITMAPINFOHEADER& header,
                               const DibitsCall& call, std::span<const std::byte> bits, int result);

struct BlitCall {
    int xDest, yDest, width, height, xSrc, ySrc;
};

// The destination after a SRCCOPY BitBlt from `source` (both in screen order).
Screen expectedBitBltScreen(Screen destination, int destinationWidth, const Screen& source,
                            int sourceWidth, const BlitCall& call);

struct GetDibitsOutcome {
    int result = 0;
    std::size_t rowsWritten = 0;
};

// GetDIBits' result for a valid DC, a bitmap of the given height and a header with a bit count;
// rows written when it copies.
GetDibitsOutcome expectedGetDibits(const BITMAPINFOHEADER& header, int bitmapHeight, UINT startScan,
                                   UINT cLines, std::span<const std::byte> bits);

// Checks GetDIBits' buffer after it wrote `rows` rows: every byte past them still holds
// `untouched`, and, when the bitmap's pixels are known, covered rows hold its rows or zeros.
void checkGetDibitsBuffer(std::span<const std::byte> bits, std::byte untouched,
                          const BITMAPINFOHEADER& header, const SectionPixels* bitmap,
                          UINT startScan, std::size_t rows);

}  // namespace fuzzcheck
