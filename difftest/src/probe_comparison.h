#pragma once

#include "probe_case.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace difftest {

// What the comparison of one case found, when the two outputs agree well enough.
enum class CaseAgreement {
    // Same result, same pixels.
    Identical,
    // Same pixels, nothing drawn, and the results differ exactly where Wine is known to depart
    // from Windows: ours gives Windows' result, Wine its own.
    WineDeparture,
    // A top-down band of 2^31 rows or more: ours fails as Windows does (0, nothing drawn), while
    // Wine draws from the rows it has.
    WindowsRefusesBand,
    // A rectangle edge beyond the range of an int, where Wine's wrapped sums draw a different
    // rectangle: ours keeps Windows' result and draws as the arguments say (nothing for a
    // "negative" Width or Height), while Wine's wrapped rectangle is empty or not.
    WrappedRectangle,
};

struct CaseComparison {
    std::optional<CaseAgreement> agreement;
    // Why the case failed, when `agreement` is empty.
    std::string difference;
};

// Compares diblab-probe's output line for one case on the emulation with the line the same case
// gave on the real gdi32 (a trailing carriage return is ignored).
CaseComparison compareProbeLines(const ProbeCase& probeCase, std::string_view ours,
                                 std::string_view windows);

struct ProbeTally {
    std::uint64_t compared = 0;
    std::uint64_t identical = 0;
    std::uint64_t wineDepartures = 0;
    std::uint64_t refusedBands = 0;
    std::uint64_t wrappedRectangles = 0;

    // Counts one compared case; an empty agreement is a mismatch.
    void add(std::optional<CaseAgreement> agreement);
    std::string summary() const;
};

}  // namespace difftest
