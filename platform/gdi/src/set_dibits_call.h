#pragma once

#include "bitmap.h"
#include "dib_header.h"
#include "geometry/call_geometry.h"

#include <span>

namespace gdi {

// Decodes an RLE source and draws the pixels its stream sets inside the geometry's window;
// returns the geometry's result.
int drawRle(const geometry::RleGeometry& geometry, const BITMAPINFO* bmi, const DibHeader& header,
            UINT colorUse, std::span<const std::byte> bits, const Bitmap& surface);

}  // namespace gdi
