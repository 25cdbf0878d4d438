#pragma once

#include "probe_case.h"
#include "tool_pair.h"

#include <cstddef>
#include <ostream>
#include <vector>

namespace difftest {

// Feeds the cases to both diblab-probe builds in batches (one process each per batch) and
// compares them case by case. Stops at the first difference, writing it with its case line.
// Ends with the tally; true when every case matched.
bool compareProbes(const std::vector<ProbeCase>& cases, const ToolPair& probes,
                   std::size_t batchSize, std::ostream& report);

}  // namespace difftest
