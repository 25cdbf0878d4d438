#pragma once

// How GetDIBits reads a bitmap into a DIB of any format, restated plainly from the rules: which
// requests it takes, the result, the rows it writes and what it writes back into the caller's
// BITMAPINFO (biSizeImage, biClrUsed 0, the colour table, the masks of a bit-fields request at
// the bitmap's own depth).

#include "gdi_call_checks.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace fuzzcheck {

// What the rules know of the bitmap read: its size and bit count (GetObjectA), and its format
// when known (a section whose pixels the caller holds, or a 32-bpp device-compatible bitmap).
struct DibitsBitmap {
    int width = 0;
    int height = 0;
    int bitCount = 0;
    std::optional<PixelFormat> format;
    const SectionPixels* pixels = nullptr;
};

struct DibitsAnswer {
    int result = 0;
    // Whether the call writes rows or colour information at all.
    bool accepted = false;
    HeaderFields header;
    std::uint64_t stride = 0;
    // Scan lines first..end-1 are written, one buffer row each; none for a query.
    std::int64_t firstScan = 0;
    std::int64_t endScan = 0;
    // The rows' format, and the colour table bytes written after the header: nothing where they
    // depend on a bitmap's table or masks the rules do not know.
    std::optional<PixelFormat> format;
    std::optional<std::vector<std::byte>> table;
    std::size_t tableBytes = 0;
    // A bit-fields request at the bitmap's own depth rewrites the masks at offset 40.
    bool rewritesMasks = false;
};

// The bytes of the BITMAPINFO a request may touch: the header, the masks of BI_BITFIELDS and the
// colour table of a 1-, 4- or 8-bit request; at least 40.
std::size_t dibitsInfoBytes(const BITMAPINFOHEADER& header, UINT usage);

// GetDIBits' answer for a DC with a bitmap selected, a live bitmap and a header whose bit count
// is not 0 (a query of the bitmap's own format).
DibitsAnswer expectedDibits(std::span<const std::byte> info, const DibitsBitmap& bitmap,
                            UINT startScan, UINT cLines, std::span<const std::byte> bits,
                            UINT usage);

// The BITMAPINFO after the call: as before but for what the answer writes.
void checkDibitsInfo(std::span<const std::byte> after, std::span<const std::byte> before,
                     const DibitsAnswer& answer);

// The buffer after the call: the covered rows as the bitmap's pixels converted (zeros past the
// bitmap and in the padding) when they are known, every other byte still `untouched`.
void checkDibitsBuffer(std::span<const std::byte> bits, std::byte untouched,
                       const DibitsAnswer& answer, const DibitsBitmap& bitmap);

}  // namespace fuzzcheck
