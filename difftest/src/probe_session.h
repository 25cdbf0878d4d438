#pragma once

#include "probe_case.h"
#include "tool_pair.h"

#include <cstddef>
#include <functional>
#include <ostream>
#include <vector>

namespace difftest {

// Hands out the cases of a run a part at a time, so that a long run is never held whole; an
// empty part ends the run.
using CaseFeed = std::function<std::vector<ProbeCase>()>;

// Feeds the cases to both diblab-probe builds in batches of at least `batchSize` (one process each
// per batch, run at the same time) and compares them case by case; Wine gets each case as
// planCase decides. Stops at the first difference, writing it with its case line. Ends with the
// tally; true when every case matched.
bool compareProbeFeed(const CaseFeed& feed, const ToolPair& probes, std::size_t batchSize,
                      std::ostream& report);

bool compareProbes(const std::vector<ProbeCase>& cases, const ToolPair& probes,
                   std::size_t batchSize, std::ostream& report);

}  // namespace difftest
