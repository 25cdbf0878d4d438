#pragma once

#include "dib/dib.h"

#include <string>
#include <string_view>
#include <vector>

namespace dib {

// The pixel values of a picture's DIB, as `bits PICTURE` prints them: "PICTURE format: FORMAT"
// with the word of the DIB the call gets, then "PICTURE row Y: V V ...", top row first, the
// values of the uncompressed DIB (an RLE DIB's indices) in lowercase hexadecimal of the probe's
// widths: 1 digit for 1 and 4 bpp, 2 for 8, 4 for 16, 6 for 24 and 8 for 32.
std::vector<std::string> valueLines(std::string_view picture, const PictureDib& dib);

}  // namespace dib
