#pragma once

#include "gdi/dib_format.h"

#include <cstddef>
#include <vector>

namespace dib {

// A DIB as a call receives it: the header fields with the masks and the colour table (a
// gdi::DibInfo of `format` is the BITMAPINFO), and the bits buffer.
struct Dib {
    gdi::DibFormat format;
    std::vector<std::byte> bits;
};

inline bool isRle(const gdi::DibFormat& format) {
    return format.compression == BI_RLE8 || format.compression == BI_RLE4;
}

// A picture as a DIB of a chosen format: the DIB the call gets, and the uncompressed DIB it was
// made from. They are the same DIB for every format but RLE, whose stream encodes the 8- or
// 4-bpp indices of `uncompressed`.
struct PictureDib {
    Dib dib;
    Dib uncompressed;
};

}  // namespace dib
