#pragma once

#include "probe_case.h"
#include "probe_session.h"
#include "random_draw.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace difftest {

// The arguments around an 11 x 7 source and a 9 x 7 destination for one pair of formats, in all
// four orientation pairs: source columns from -1 to 7 (every bit position of a byte in 1- and
// 4-bpp rows), destination offsets, bands and source rows outside the image. BASE pattern and
// default colour tables.
std::vector<ProbeCase> pairGridCases(const TestFormat& source, const TestFormat& dest);

// One random call from an uncompressed `source` onto `dest`: sizes up to 24 x 12, mostly
// arguments that draw, sometimes extremes; BASE, px values or bits (a tenth of the calls short of
// the image); the tables of case_parts; sometimes a biSizeImage, which uncompressed calls ignore.
ProbeCase randomFormatCase(Draw& draw, const TestFormat& source, const TestFormat& dest);

// Every uncompressed source format onto every destination format, one pair per part: the pair's
// grid, then `randomPerPair` random calls.
CaseFeed formatCases(std::uint32_t seed, std::size_t randomPerPair);

}  // namespace difftest
