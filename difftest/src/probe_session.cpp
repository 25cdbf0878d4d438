#include "probe_session.h"

#include "probe_comparison.h"
#include "text_file.h"

#include <algorithm>
#include <span>
#include <string>

namespace difftest {

namespace {

std::string caseLines(std::span<const ProbeCase> cases) {
    std::string text;
    for (const ProbeCase& probeCase : cases) {
        text += toCaseLine(probeCase);
        text += '\n';
    }
    return text;
}

// Compares one batch's outputs; false after writing the first difference.
bool compareBatch(std::span<const ProbeCase> cases, std::string_view ours, std::string_view windows,
                  ProbeTally& tally, std::ostream& report) {
    const std::vector<std::string_view> ourLines = splitLines(ours);
    const std::vector<std::string_view> windowsLines = splitLines(windows);
    if (ourLines.size() != cases.size() || windowsLines.size() != cases.size()) {
        report << "FAIL: " << cases.size() << " cases gave " << ourLines.size()
               << " lines on ours and " << windowsLines.size() << " on Windows\n";
        return false;
    }
    for (std::size_t i = 0; i < cases.size(); ++i) {
        const CaseComparison comparison = compareProbeLines(cases[i], ourLines[i], windowsLines[i]);
        tally.add(comparison.agreement);
        if (!comparison.agreement) {
            report << "FAIL: case " << toCaseLine(cases[i]) << "\n  " << comparison.difference
                   << "\n  ours:    " << ourLines[i] << "\n  Windows: " << windowsLines[i] << '\n';
            return false;
        }
    }
    return true;
}

}  // namespace

bool compareProbes(const std::vector<ProbeCase>& cases, const ToolPair& probes,
                   std::size_t batchSize, std::ostream& report) {
    const auto input = probes.work / "cases.txt";
    const auto oursOutput = probes.work / "ours.txt";
    const auto windowsOutput = probes.work / "windows.txt";
    ProbeTally tally;
    bool same = true;
    for (std::size_t first = 0; same && first < cases.size(); first += batchSize) {
        const auto batch =
            std::span(cases).subspan(first, std::min(batchSize, cases.size() - first));
        writeFile(input, caseLines(batch));
        same = probes.run(input, oursOutput, windowsOutput) &&
               compareBatch(batch, readFile(oursOutput), readFile(windowsOutput), tally, report);
    }
    report << tally.summary() << '\n';
    return same;
}

}  // namespace difftest
