#pragma once

#include <cstddef>

#include "dib/dib.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace workbench {

// Makes the picture's persistent image a DIB section of the format (its bit count, compression
// and masks, as a format word gives them) holding the picture as
// GetDIBits turns it into that format: palettized formats get the table GetDIBits writes and each
// pixel its nearest colour, 16-bit formats keep the top bits of each channel. Returns how many
// pixels changed colour on the way, none where the format holds every colour.
std::size_t convertPicture(ui::Picture& picture, const gdi::DibFormat& format);

// Redraws `bigPic` eight times enlarged from a DIB as SetDIBitsToDevice reads it: each pixel in
// the colour the call takes for it (through the colour table, or the DC's palette for palette
// indexes). A DIB section that cannot be created is reported through `form`.
void zoomDib(const dib::Dib& dib, ui::Picture& bigPic, const ui::Window& form);

}  // namespace workbench
