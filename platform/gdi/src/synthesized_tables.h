#pragma once

#include <cstdint>
#include <span>

namespace gdi {

// The colour table GetDIBits writes for a 1-, 4- or 8-bpp request that does not get the bitmap's
// own table: black and white; the sixteen VGA colours (the default palette without its four
// extra colours, dark grey before light grey); or the 256-colour mix whose first and last ten
// entries are the default palette. Every entry is 0x00RRGGBB; nothing for other bit counts.
std::span<const std::uint32_t> synthesizedTable(unsigned bitCount);

}  // namespace gdi
