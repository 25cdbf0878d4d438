#pragma once

#include "dib/dib.h"

#include <span>
#include <string>
#include <vector>

namespace dib {

// The DIB as the call receives it, for people to read: every BITMAPINFOHEADER field with its
// value and meaning, ColorUse, the masks, the colour table (colours, or palette indices with the
// colour each stands for in `palette`, the DC's palette) and the bits buffer byte by byte, one
// line a row in memory order with the padding marked, or for RLE one line per run or escape.
std::vector<std::string> listDib(const Dib& dib, std::span<const DWORD> palette);

// The stream of an RLE8 (bitCount 8) or RLE4 (bitCount 4) DIB `height` rows high, one line per
// run or escape, each with its bytes, what it does and the pixels it sets.
std::vector<std::string> listRleStream(std::span<const std::byte> stream, WORD bitCount,
                                       LONG height);

}  // namespace dib
