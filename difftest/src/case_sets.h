#pragma once

#include "probe_case.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace difftest {

// Every combination of a grid of the eight arguments around an 8 x 8 source and an 8 x 8
// destination, for both source and both destination orientations.
std::vector<ProbeCase> gridCases();

// `count` cases with sizes from 1 to 20 and arguments mixed from small values around the sizes,
// the sizes' edges and the extremes of 32 bits. The same seed gives the same cases on every
// machine: only the standard-defined mt19937 sequence is used, reduced by modulo.
std::vector<ProbeCase> randomCases(std::uint32_t seed, std::size_t count);

}  // namespace difftest
