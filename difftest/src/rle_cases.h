#pragma once

#include "probe_case.h"
#include "probe_session.h"
#include "random_draw.h"

#include <cstdint>
#include <vector>

namespace difftest {

// An RLE8 (bitCount 8) or RLE4 (4) stream for a picture about `width` x `height`: lines of
// encoded runs, absolute runs and deltas, each closed by an end of line, some runs and deltas
// past the right edge, sometimes more lines than the picture, sometimes an absolute run without
// its padding byte. It ends with an end of bitmap, with nothing (the last line has no escape), cut
// inside a run or delta, or followed by stray bytes; now and then the whole stream is random
// bytes. Never empty.
std::vector<std::uint8_t> drawRleStream(Draw& draw, std::uint32_t bitCount, std::uint32_t width,
                                        std::uint32_t height);

// One call with an RLE `source` onto `dest`: a stream of drawRleStream, biSizeImage as the probe
// sets it, shorter, longer than the bytes given, 0 or 1; a top-down header now and then; mostly
// arguments around the picture, including decode areas past biWidth x biHeight; sometimes a
// Width or Height of 2^28 or more; the tables of case_parts.
ProbeCase randomRleCase(Draw& draw, const TestFormat& source, const TestFormat& dest);

// Both RLE formats onto every destination format, `perPair` calls a pair, one pair per part.
CaseFeed rleCases(std::uint32_t seed, std::size_t perPair);

}  // namespace difftest
