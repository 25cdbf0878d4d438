#pragma once

#include "probe_case.h"
#include "probe_tally.h"
#include "wine_plan.h"

#include <optional>
#include <string>
#include <string_view>

namespace difftest {

struct CaseComparison {
    std::optional<CaseAgreement> agreement;
    // Why the case failed, when `agreement` is empty.
    std::string difference;
};

// Compares diblab-probe's output line for one case on the emulation with the line the same case
// gave on the real gdi32 (a trailing carriage return is ignored). Besides matching Wine, our
// result must be the one the Windows rule gives.
CaseComparison compareProbeLines(const ProbeCase& probeCase, std::string_view ours,
                                 std::string_view windows);

// Compares our output for `planned.ours` with Wine's for `planned.wine` as `planned.run` says;
// `windows` is not read when the case was not sent.
CaseComparison comparePlannedCase(const PlannedCase& planned, std::string_view ours,
                                  std::string_view windows);

}  // namespace difftest
