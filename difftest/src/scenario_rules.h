#pragma once

#include "bench_scenario.h"
#include "probe_tally.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace difftest {

// What a line of diblab-script's output for a scenario shows.
enum class OutputLine {
    // dstRet's caption: the call's result.
    Result,
    // The account of the run, which states the result.
    Account,
    // Values of the source DIB: its format word, rows, masks, colour table, bits, and the
    // report's source listing.
    SourceValues,
    // Values of the destination: its rows and the report's destination listing.
    DestinationValues,
    Other,
};

// The kind of each line of one scenario's output, in order.
std::vector<OutputLine> outputLineKinds(std::span<const std::string_view> lines);

// Wine's gdi32 ignores the masks of a GetDIBits request for 16 bpp BI_BITFIELDS from a picture
// of another depth: it converts with masks of its own, left uninitialised, and writes those back
// into the caller's BITMAPINFO (gdi-getdibits.md §2; seen as "srcPic format: 16:808040:a08040:
// c08040" from a request for 16:f800:7e0:1f). The window reads the picture back so for a 5-6-5
// source at every run, and for a 5-6-5 destination when it converts the picture into it; Windows
// honours the masks, and so does ours.
//
// A 5-6-5 destination section made so on Wine has masks that GetDIBits then refuses, and every
// later run in the process would depend on it: such scenarios are not sent to Wine.
bool sentToWine(const BenchScenario& scenario);

// How a scenario's outputs agreed. The departures the probe knows keep their meaning
// (agreementMeaning); the last two are Wine's mask gap above.
enum class ScenarioAgreement {
    Identical,
    WineDeparture,
    WindowsRefusesBand,
    PaletteWrap,
    // A 5-6-5 source: every line but the source's and the destination's values identical, and
    // in the destination's rows (bits destPic) every pixel the call does not draw.
    SourceMasksIgnored,
    // A 5-6-5 destination: not sent; ours gives the result by the Windows rule.
    DestinationNotSent,
};

// The departures of the probe, with their description; none for the two of the mask gap.
std::optional<CaseAgreement> probeAgreement(ScenarioAgreement agreement);

struct ScenarioComparison {
    std::optional<ScenarioAgreement> agreement;
    // Why the scenario failed, when `agreement` is empty.
    std::string difference;
};

// Compares our output for a scenario with Wine's (not read when it was not sent). The outputs
// must be identical, except on the lines a known departure of the scenario explains; and where
// the run makes its call, our result must be the Windows rule's.
ScenarioComparison compareScenario(const BenchScenario& scenario,
                                   std::span<const std::string_view> ours,
                                   std::span<const std::string_view> windows);

}  // namespace difftest
