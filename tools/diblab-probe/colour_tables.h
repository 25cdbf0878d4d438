#pragma once

#include "gdi/gdi.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace probe {

// The colour table a 1-, 4- or 8-bpp or RLE format gets when the line gives none: 2^bpp entries,
// entry i being ((i + 1) * 0x9E3779B1 mod 2^32) >> 8 as 0x00RRGGBB. The colours are deliberately
// uneven, so that nearest-colour matching has work to do.
std::vector<DWORD> defaultColours(WORD bitCount);

// The DIB_PAL_COLORS table a source gets when the line gives none: entry i is palette index
// i mod 20, always inside the default palette.
std::vector<DWORD> defaultPaletteIndexes(WORD bitCount);

enum class ColourList { Rgb, PaletteIndexes };

// Reads "V0,V1,...": hexadecimal RRGGBB values, or decimal palette indexes 0..65535. Returns the
// reason the list cannot be read, or an empty text.
std::string readColourList(std::string_view option, std::string_view list, ColourList kind,
                          std::size_t maxEntries, std::vector<DWORD>& colours);

}  // namespace probe
