#pragma once

#include "bench_scenario.h"
#include "scenario_rules.h"
#include "tool_pair.h"

#include <array>
#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace difftest {

struct ScenarioTally {
    std::uint64_t compared = 0;
    // Scenarios per ScenarioAgreement, in its order.
    std::array<std::uint64_t, 6> agreements{};
    FormatPairCounts pairs;
    // Of those, the scenarios counted apart for a departure.
    FormatPairCounts departed;

    void add(const BenchScenario& scenario, std::optional<ScenarioAgreement> agreement);
    std::string summary() const;
};

// Runs the scenarios through both diblab-script builds, `batchSize` scenarios a script, two
// batches at a time, and compares each scenario's output by compareScenario. Stops at the first
// batch with a difference, writing the scenario's number, its script and the difference; ends
// with the tally. True when every scenario agreed.
bool compareScenarios(const std::vector<BenchScenario>& scenarios, const ToolPair& runners,
                      std::size_t batchSize, std::ostream& report);

}  // namespace difftest
