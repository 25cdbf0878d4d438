#include "scenario_rules.h"

#include "format_rules.h"
#include "scan_line_rules.h"

#include <algorithm>
#include <cctype>
#include <charconv>

namespace difftest {

namespace {

constexpr std::string_view resultPrefix = "dstRet.Caption = Ret = ";
constexpr std::string_view reportPrefix = "Text3 line ";

// Where the lines of one output stand: in the report's listings, or the header's values.
struct LineSection {
    OutputLine listing = OutputLine::Other;
    bool header = false;
    bool headerValues = false;
};

OutputLine reportLineKind(std::string_view line, LineSection& section) {
    const std::size_t colon = line.find(": ");
    const std::string_view text = colon == std::string_view::npos ? "" : line.substr(colon + 2);
    if (text.starts_with("Src Pixels")) {
        section.listing = OutputLine::SourceValues;
    } else if (text.starts_with("Dst Pixels")) {
        section.listing = OutputLine::DestinationValues;
    } else if (!text.empty() && std::isdigit(static_cast<unsigned char>(text.front())) != 0) {
        return section.listing;
    } else {
        section.listing = OutputLine::Other;
    }
    return OutputLine::Other;
}

OutputLine headerLineKind(std::string_view line, LineSection& section) {
    if (line.starts_with("masks") || line.starts_with("colour table") || line.starts_with("bits")) {
        section.headerValues = true;
    } else if (line.starts_with("  ") && section.headerValues) {
        return OutputLine::SourceValues;
    } else if (!line.starts_with("  ")) {
        section.headerValues = false;
        section.header = line.starts_with("BITMAPINFOHEADER") || line.starts_with("ColorUse");
    }
    return OutputLine::Other;
}

OutputLine lineKind(std::string_view line, LineSection& section) {
    if (line.starts_with("Source DIB as SetDIBitsToDevice receives it")) {
        section.header = true;
        return OutputLine::Other;
    }
    if (section.header) {
        return headerLineKind(line, section);
    }
    if (line.starts_with(resultPrefix)) {
        return OutputLine::Result;
    }
    if (line.starts_with("account: ")) {
        return OutputLine::Account;
    }
    if (line.starts_with("srcPic format: ") || line.starts_with("srcPic row ")) {
        return OutputLine::SourceValues;
    }
    if (line.starts_with("destPic row ")) {
        return OutputLine::DestinationValues;
    }
    if (line.starts_with(reportPrefix)) {
        return reportLineKind(line.substr(reportPrefix.size()), section);
    }
    return OutputLine::Other;
}

std::optional<std::int64_t> resultIn(std::span<const std::string_view> lines) {
    for (const std::string_view line : lines) {
        if (line.starts_with(resultPrefix)) {
            const std::string_view number = line.substr(resultPrefix.size());
            std::int64_t result = 0;
            const auto [end, error] =
                std::from_chars(number.data(), number.data() + number.size(), result);
            if (error == std::errc{} && end == number.data() + number.size()) {
                return result;
            }
        }
    }
    return std::nullopt;
}

// A known departure of a scenario: what it is counted as, the lines it may change, and the result
// Wine then gives (when it is Wine's own).
struct Departure {
    ScenarioAgreement agreement;
    std::vector<OutputLine> lines;
    std::optional<std::int64_t> wineResult;
};

std::vector<Departure> departuresOf(const BenchScenario& s) {
    const ProbeCase c = benchCall(s);
    std::vector<Departure> departures;
    if (s.source->label == "565") {
        std::vector<OutputLine> lines{OutputLine::SourceValues};
        if (makesCall(s)) {
            lines.push_back(OutputLine::DestinationValues);
        }
        departures.push_back({ScenarioAgreement::SourceMasksIgnored, lines, std::nullopt});
    }
    if (makesCall(s) && !s.source->rle()) {
        if (windowsRefusesBand(c)) {
            departures.push_back(
                {ScenarioAgreement::WindowsRefusesBand,
                 {OutputLine::Result, OutputLine::Account, OutputLine::DestinationValues},
                 wineScanLines(c)});
        } else if (windowsResult(c) != wineScanLines(c)) {
            departures.push_back({ScenarioAgreement::WineDeparture,
                                  {OutputLine::Result, OutputLine::Account},
                                  wineScanLines(c)});
        }
    }
    if (palettesWrapApart(c)) {
        departures.push_back(
            {ScenarioAgreement::PaletteWrap, {OutputLine::DestinationValues}, std::nullopt});
    }
    return departures;
}

std::string lineAt(std::span<const std::string_view> lines, std::size_t at) {
    return at < lines.size() ? std::string(lines[at]) : std::string("(end of output)");
}

std::string describeLine(std::span<const std::string_view> ours,
                         std::span<const std::string_view> windows, std::size_t at) {
    return "output line " + std::to_string(at + 1) + "\n  ours:    " + lineAt(ours, at) +
           "\n  Windows: " + lineAt(windows, at);
}

// The result ours gives, which must be the Windows rule's wherever the run makes its call.
std::optional<std::string> resultAgainstRule(const BenchScenario& s,
                                             std::span<const std::string_view> ours) {
    if (!makesCall(s)) {
        return std::nullopt;
    }
    const std::optional<std::int64_t> result = resultIn(ours);
    const std::int64_t expected = windowsResult(benchCall(s));
    if (result && *result == expected) {
        return std::nullopt;
    }
    return "our result " + (result ? std::to_string(*result) : std::string("(none)")) +
           " is not the Windows rule's " + std::to_string(expected);
}

// The values of a "PICTURE row Y: V V ..." line.
std::vector<std::string_view> rowValues(std::string_view line) {
    std::vector<std::string_view> values;
    line.remove_prefix(std::min(line.find(": ") + 2, line.size()));
    while (!line.empty()) {
        const std::size_t blank = std::min(line.find(' '), line.size());
        values.push_back(line.substr(0, blank));
        line.remove_prefix(std::min(blank + 1, line.size()));
    }
    return values;
}

// Under the mask gap alone, a "destPic row Y" line may differ only in the pixels the call draws.
bool undrawnPixelsAgree(const ProbeCase& c, std::string_view ours, std::string_view windows) {
    constexpr std::string_view prefix = "destPic row ";
    std::uint32_t y = 0;
    const std::string_view rest = ours.substr(std::min(prefix.size(), ours.size()));
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), y);
    const std::vector<std::string_view> a = rowValues(ours);
    const std::vector<std::string_view> b = rowValues(windows);
    if (!ours.starts_with(prefix) || error != std::errc{} || a.size() != b.size()) {
        return false;
    }
    for (std::uint32_t x = 0; x < a.size(); ++x) {
        if (a[x] != b[x] && !bufferRowFor(c, x, y)) {
            return false;
        }
    }
    return true;
}

bool onlyMaskGapMovesDestination(const std::vector<Departure>& departures) {
    return std::all_of(departures.begin(), departures.end(), [](const Departure& d) {
        return d.agreement == ScenarioAgreement::SourceMasksIgnored ||
               std::find(d.lines.begin(), d.lines.end(), OutputLine::DestinationValues) ==
                   d.lines.end();
    });
}

bool allows(const std::vector<Departure>& departures, OutputLine kind) {
    return std::any_of(departures.begin(), departures.end(), [kind](const Departure& d) {
        return std::find(d.lines.begin(), d.lines.end(), kind) != d.lines.end();
    });
}

// The departure that explains every differing kind of line, else the first.
ScenarioAgreement explainedBy(const std::vector<Departure>& departures,
                              const std::vector<OutputLine>& differing) {
    for (const Departure& d : departures) {
        if (std::all_of(differing.begin(), differing.end(), [&d](OutputLine kind) {
                return std::find(d.lines.begin(), d.lines.end(), kind) != d.lines.end();
            })) {
            return d.agreement;
        }
    }
    return departures.front().agreement;
}

ScenarioComparison compareSent(const BenchScenario& s, std::span<const std::string_view> ours,
                               std::span<const std::string_view> windows) {
    const std::vector<Departure> departures = departuresOf(s);
    const std::vector<OutputLine> kinds = outputLineKinds(ours);
    const std::vector<OutputLine> windowsKinds = outputLineKinds(windows);
    std::vector<OutputLine> differing;
    for (std::size_t at = 0; at < std::max(ours.size(), windows.size()); ++at) {
        if (at < ours.size() && at < windows.size() && ours[at] == windows[at]) {
            continue;
        }
        if (at >= ours.size() || at >= windows.size() || kinds[at] != windowsKinds[at] ||
            !allows(departures, kinds[at])) {
            return {std::nullopt, describeLine(ours, windows, at)};
        }
        if (kinds[at] == OutputLine::DestinationValues && ours[at].starts_with("destPic row ") &&
            onlyMaskGapMovesDestination(departures) &&
            !undrawnPixelsAgree(benchCall(s), ours[at], windows[at])) {
            return {std::nullopt,
                    "a pixel the call does not draw, " + describeLine(ours, windows, at)};
        }
        differing.push_back(kinds[at]);
    }
    if (differing.empty()) {
        return {ScenarioAgreement::Identical, {}};
    }
    for (const Departure& d : departures) {
        if (d.wineResult && resultIn(windows) != d.wineResult) {
            return {std::nullopt, "Wine's result is not the " + std::to_string(*d.wineResult) +
                                      " it is known to give"};
        }
    }
    return {explainedBy(departures, differing), {}};
}

}  // namespace

std::vector<OutputLine> outputLineKinds(std::span<const std::string_view> lines) {
    std::vector<OutputLine> kinds;
    kinds.reserve(lines.size());
    LineSection section;
    for (const std::string_view line : lines) {
        kinds.push_back(lineKind(line, section));
    }
    return kinds;
}

bool sentToWine(const BenchScenario& s) {
    return s.dest->label != "565";
}

std::optional<CaseAgreement> probeAgreement(ScenarioAgreement agreement) {
    switch (agreement) {
        case ScenarioAgreement::Identical:
            return CaseAgreement::Identical;
        case ScenarioAgreement::WineDeparture:
            return CaseAgreement::WineDeparture;
        case ScenarioAgreement::WindowsRefusesBand:
            return CaseAgreement::WindowsRefusesBand;
        case ScenarioAgreement::PaletteWrap:
            return CaseAgreement::PaletteWrap;
        case ScenarioAgreement::SourceMasksIgnored:
        case ScenarioAgreement::DestinationNotSent:
            break;
    }
    return std::nullopt;
}

ScenarioComparison compareScenario(const BenchScenario& s, std::span<const std::string_view> ours,
                                   std::span<const std::string_view> windows) {
    if (const std::optional<std::string> wrong = resultAgainstRule(s, ours)) {
        return {std::nullopt, *wrong};
    }
    if (!sentToWine(s)) {
        return {ScenarioAgreement::DestinationNotSent, {}};
    }
    return compareSent(s, ours, windows);
}

}  // namespace difftest
