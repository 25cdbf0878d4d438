#pragma once

#include "probe_case.h"
#include "random_draw.h"

#include <cstdint>
#include <vector>

namespace difftest {

// The parts of a format case that the uncompressed and the RLE sets draw alike.

// Colours that make exact ties in a destination colour table: every entry `midpoints[k]` lies
// exactly halfway between two entries of the table. Each channel of a midpoint is 4 modulo 8, so
// that the 5-bit reduction of 8-bpp destinations leaves it as it is.
struct TieColours {
    std::vector<std::uint32_t> midpoints;
};

// The eight arguments around and beyond the edges of both pictures, up to the extremes of 32
// bits; the random 32-bpp set draws them the same way.
void drawExtremeArguments(Draw& draw, ProbeCase& c);

// A value of the format's pixel width, any bits set.
std::uint32_t anyPixel(Draw& draw, const TestFormat& format);

// The colour 0xRRGGBB as a pixel of a direct-colour format: each channel's top bits in its
// mask's lowest run of set bits (0 for an empty mask).
std::uint32_t encodeColour(const TestFormat& format, std::uint32_t colour);

// The destination: size, orientation, FILL and, for indexed formats, the default table or an
// explicit one that is random, has repeated entries, stops short of 2^bpp entries (the rest are
// black) or is built around tie midpoints. Returns the midpoints, if any.
TieColours drawDestination(Draw& draw, ProbeCase& probeCase);

// The source colour table of an indexed source: the default, RGB colours (the midpoints where
// there are any), or DIB_PAL_COLORS indices from 0 to 39 (so that some lie past the entries read);
// biClrUsed at its default, 0, below or above the entries given.
void drawSourceTable(Draw& draw, const TieColours& ties, ProbeCase& probeCase);

// biSize 40, 108 or 124; a larger header only where the colour table the call reads lies within
// the entries given, since the probe's storage holds no more than a BITMAPINFO besides them.
void drawHeaderSize(Draw& draw, ProbeCase& probeCase);

}  // namespace difftest
