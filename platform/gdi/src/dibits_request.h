#pragma once

#include "bitmap.h"
#include "colour_table.h"
#include "dib_header.h"

#include <optional>

namespace gdi {

// What one GetDIBits request asks of a bitmap: the format its rows are written in and the colour
// information written back into the caller's BITMAPINFO.
struct DibitsRequest {
    DibHeader header;
    // 1, 4 and 8 bpp: the 2^bitCount colours the rows are matched onto.
    ColourTable colours;
    // 16 and 32 bpp: the channels the rows are written with.
    ChannelMasks masks;
    // Whether the masks at offset 40 are rewritten: a bit-fields request at the bitmap's own
    // depth gets the bitmap's masks.
    bool writesMasks = false;

    // Points into `colours`.
    PixelFormat pixelFormat() const;
};

// The request a header makes, or nothing when GetDIBits refuses it: a bit count other than 1, 4,
// 8, 16, 24 or 32, bit fields other than 16 or 32 bits, an RLE request that is top-down or has
// a bits buffer (compressed bits are never produced), any other compression, or biPlanes 0 with
// scan lines asked for.
std::optional<DibitsRequest> readDibitsRequest(const BITMAPINFO* bmi, const Bitmap& bitmap,
                                               UINT usage, UINT cLines, bool withBits);

// Writes the request's colour information into the caller's BITMAPINFO: the colour table after
// the header (RGBQUADs, or with DIB_PAL_COLORS the indices 0, 1, ... 2^bitCount - 1) and the
// masks it rewrites.
void writeColourInfo(const DibitsRequest& request, UINT usage, BITMAPINFO* bmi);

}  // namespace gdi
