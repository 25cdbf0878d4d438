#pragma once

#include "probe_case.h"

#include <cstdint>
#include <optional>
#include <span>

namespace difftest {

// The rules of SetDIBitsToDevice for every DIB format that the comparison needs, restated here
// from the notes on GDI's behaviour, independently of the emulation.

// Entry `index` (0 to 19) of a memory DC's default palette, as 0xRRGGBB.
std::uint32_t defaultPaletteColour(std::uint32_t index);

// How many colour-table entries the call reads for an indexed source: biClrUsed, 0 meaning 2^bpp,
// never more than 2^bpp.
std::uint32_t colourEntriesRead(const ProbeCase& probeCase);

// Entry `k` of the table the case line writes: srcpal's value, the probe's default table when
// there is no srcpal, and 0 (the bytes past the entries given) otherwise.
std::uint32_t writtenColourEntry(const ProbeCase& probeCase, std::uint32_t k);

// DIB_PAL_COLORS indices past the number of entries read, where that number is below the
// palette's 20: ours wraps them modulo 20, Wine modulo the number read. True when that changes
// the colour of any entry read.
bool palettesWrapApart(const ProbeCase& probeCase);

// The same call with the colours the palette indices stand for (modulo 20) written as an
// ordinary RGB table of as many entries as the call reads.
ProbeCase withRgbTable(const ProbeCase& probeCase);

// Bytes of the bits buffer: `bits` when given, else the whole SW x SH image.
std::size_t bufferBytes(const ProbeCase& probeCase);

// biSizeImage as the header carries it.
std::uint32_t headerSizeImage(const ProbeCase& probeCase);

// The result Windows gives: 0 for a header the rules refuse (an RLE source top-down or with
// biSizeImage 0) and for cLines 0; for RLE the header height, or 0 when Width or Height, read as
// an int, or XSrc + Width or YSrc + Height (32-bit sums) is not positive (the source rectangle is
// empty, as in Wine); otherwise the scan-line rule.
std::int64_t windowsResult(const ProbeCase& probeCase);

// The buffer row of an uncompressed source from which the call takes destination pixel (x, y)
// (device coordinates, top row 0), or none when it leaves that pixel alone.
std::optional<std::uint32_t> bufferRowFor(const ProbeCase& probeCase, std::uint32_t x,
                                          std::uint32_t y);

// An uncompressed source whose `bits` do not hold every row of the image.
bool shortBuffer(const ProbeCase& probeCase);

// The same call with the buffer padded with zero bytes to the whole image.
ProbeCase withWholeBuffer(const ProbeCase& probeCase);

// An RLE source whose biSizeImage reaches past the bytes given.
bool streamPastBuffer(const ProbeCase& probeCase);

// Wine keeps the padded length of an RLE8 absolute run in a byte: a run of 255 pixels (256 bytes
// with its pad) moves it on by nothing, and it reads the literal bytes as codes. The stream with
// each complete run of 255 written as an absolute run of 254 and an encoded run of its last pixel,
// which sets the same pixels in as many bytes; none when the stream has no such run.
std::optional<std::vector<std::uint8_t>> withLongRunsSplit(const ProbeCase& probeCase);

// Every pixel an RLE stream sets lies left of `columns` and below scan line `lines`, however
// large the decode area: a bound found by reading the stream as the decoder does, without its
// clipping.
struct StreamReach {
    std::uint32_t columns = 0;
    std::uint32_t lines = 0;
};
StreamReach streamReach(std::span<const std::uint8_t> stream, std::uint32_t bitCount);

// The bytes an RLE decode area of XSrc + Width by YSrc + Height pixels takes, 0 when either sum
// (32-bit) is not positive.
std::uint64_t decodeAreaBytes(const ProbeCase& probeCase);

// Decode areas above this many bytes are not given to Wine.
inline constexpr std::uint64_t wineDecodeAreaLimit = std::uint64_t(1) << 24;

// An RLE call that Wine would decode into an area larger than the limit: it allocates the whole
// area, and past 2 GiB its size arithmetic overflows and it writes outside the allocation.
bool decodeAreaBeyondWine(const ProbeCase& probeCase);

// The same RLE call with its decode area cut to what the stream reaches: Width and Height
// shortened and YDest moved down so that every scan line stays where it was drawn. Decoding is
// the same, and so is every pixel the call sets. None when no pixel the call could draw is within
// the stream's reach, or the call draws nothing by the rules. Needs edges within an int.
std::optional<ProbeCase> withDecodeAreaCut(const ProbeCase& probeCase);

}  // namespace difftest
