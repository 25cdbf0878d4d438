#pragma once

#include <span>
#include <string>
#include <string_view>

#include "dib/dib.h"
#include "gdi/gdi.h"

namespace testrun {

// A pixel listing of a DIB of any uncompressed format, as the report shows it when the bench is
// not at 32 bpp on both sides: the header line "<side> Pixels (<format>: <what a value is>) are",
// then one line a buffer row, "N: " and the row's values as the DIB holds them: an index with the
// colour it stands for ("7=808080"; with palette indexes the colour of the DC's `palette`), a
// 16-bit value ("F800"), or RRGGBB; every line ends in CR LF. `name` is how the format is called,
// e.g. "4 bpp, 16-colour table" or "RLE8" for the indices an RLE source encodes.
std::string formatDibListing(std::string_view side, std::string_view name, const dib::Dib& dib,
                             std::span<const DWORD> palette);

}  // namespace testrun
