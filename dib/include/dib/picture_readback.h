#pragma once

// Turning a picture into a DIB of a chosen format as a Windows program does it: GetDIBits into
// that format (the layer's emulation here, the real gdi32 in the Windows build), and for RLE this
// program's own encoder over the 8- or 4-bpp indices.

#include "dib/dib.h"
#include "gdi/gdi.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace dib {

// How the colour table is handed over: as the RGBQUAD colours (DIB_RGB_COLORS), or replaced by
// the 16-bit indices 0, 1, ... n - 1 with DIB_PAL_COLORS, so that each pixel's index picks the
// DC's palette entry instead. Formats without a table ignore it.
enum class TableUse { Colours, PaletteIndexes };

struct ReadbackChoice {
    // The bit count, compression and masks, as a format word gives them.
    gdi::DibFormat word;
    // Top-down gives every format a negative biHeight, RLE included (which the call refuses).
    gdi::RowOrder order = gdi::RowOrder::BottomUp;
    TableUse table = TableUse::Colours;
};

// The whole picture `bitmap` (selected into `dc` or not) as the DIB the call gets, the size the
// bitmap has. Nothing when GetDIBits refuses the request.
std::optional<PictureDib> readPicture(HDC dc, HBITMAP bitmap, const ReadbackChoice& choice);

// What GetDIBits answers for `request` without bits: the header it fills and the colour table it
// writes (2^bitCount colours, or with DIB_PAL_COLORS the indices). Nothing when it refuses.
std::optional<gdi::DibFormat> queryDibits(HDC dc, HBITMAP bitmap, const gdi::DibFormat& request,
                                          UINT colorUse);

// The DC's logical palette, the default palette of a memory DC, as GetDIBits shows it: the first
// and the last ten entries of the 256-colour table it writes for an 8-bpp request.
std::vector<DWORD> defaultPalette(HDC dc, HBITMAP bitmap);

}  // namespace dib
