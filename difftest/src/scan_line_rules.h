#pragma once

#include "probe_case.h"

#include <cstdint>

namespace difftest {

// The result of SetDIBitsToDevice as Windows gives it, restated here independently of the
// emulation. Bottom-up: the band cut at the image's top and at the source rectangle's top.
// Top-down: cLines, whatever is drawn (0 when cLines reads as negative).
std::int64_t windowsScanLines(const ProbeCase& probeCase);

// A top-down call with cLines of 2^31 or more: Windows would read cLines rows of bits, which no
// buffer holds, so it fails with 0 and draws nothing. Wine draws from the rows it has and returns
// cLines as a negative int.
bool windowsRefusesBand(const ProbeCase& probeCase);

// Whether an edge of the rectangles, XDest or XSrc + Width, YDest or YSrc + Height, with the sizes
// read as ints (a "negative" size makes an empty rectangle), lies beyond the range of an int.
// Wine's sums then wrap around, and its rectangle is not the one the arguments describe; what
// Windows does there is not known.
bool edgesOverflowInt(const ProbeCase& probeCase);

// The result as Wine computes it, in its 32-bit unsigned and wrapping int arithmetic. It agrees
// with Windows except in calls that draw nothing: Wine returns 0 when StartScan is past the image,
// when a bottom-up band lies wholly above the source rectangle, and when no source pixel of the
// rectangle lies in the image and the band; and it returns a huge top-down cLines as a negative
// int.
std::int64_t wineScanLines(const ProbeCase& probeCase);

}  // namespace difftest
