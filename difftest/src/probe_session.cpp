#include "probe_session.h"

#include "probe_comparison.h"
#include "text_file.h"
#include "wine_plan.h"

#include <algorithm>
#include <string>

namespace difftest {

namespace {

struct Batch {
    std::vector<PlannedCase> cases;
    std::string ourLines;
    std::string windowsLines;

    void add(const ProbeCase& probeCase) {
        PlannedCase planned = planCase(probeCase);
        ourLines += toCaseLine(planned.ours) + '\n';
        if (planned.run != WineRun::NotSent) {
            windowsLines += toCaseLine(planned.wine) + '\n';
        }
        cases.push_back(std::move(planned));
    }
};

void reportFailure(const PlannedCase& planned, const std::string& difference, std::string_view ours,
                   std::string_view windows, std::ostream& report) {
    const std::string ourLine = toCaseLine(planned.ours);
    report << "FAIL: case " << ourLine << '\n';
    if (planned.run != WineRun::SameCase && planned.run != WineRun::NotSent) {
        report << "  Windows ran: " << toCaseLine(planned.wine) << '\n';
    }
    report << "  " << difference << "\n  ours:    " << ours << "\n  Windows: " << windows << '\n';
}

// Compares one batch's outputs; false after writing the first difference.
bool compareBatch(const Batch& batch, std::string_view ours, std::string_view windows,
                  ProbeTally& tally, std::ostream& report) {
    const std::vector<std::string_view> ourLines = splitLines(ours);
    const std::vector<std::string_view> windowsLines = splitLines(windows);
    const std::size_t sent =
        std::size_t(std::count_if(batch.cases.begin(), batch.cases.end(),
                                  [](const PlannedCase& c) { return c.run != WineRun::NotSent; }));
    if (ourLines.size() != batch.cases.size() || windowsLines.size() != sent) {
        report << "FAIL: " << batch.cases.size() << " cases gave " << ourLines.size()
               << " lines on ours and " << windowsLines.size() << " on Windows (" << sent
               << " sent)\n";
        return false;
    }
    std::size_t windowsLine = 0;
    for (std::size_t i = 0; i < batch.cases.size(); ++i) {
        const PlannedCase& planned = batch.cases[i];
        const std::string_view theirs =
            planned.run == WineRun::NotSent ? std::string_view() : windowsLines[windowsLine++];
        const CaseComparison comparison = comparePlannedCase(planned, ourLines[i], theirs);
        tally.add(comparison.agreement, planned.ours.source->label, planned.ours.dest->label);
        if (!comparison.agreement) {
            reportFailure(planned, comparison.difference, ourLines[i], theirs, report);
            return false;
        }
    }
    return true;
}

bool runBatch(const Batch& batch, const ToolPair& probes, ProbeTally& tally, std::ostream& report) {
    const auto ourInput = probes.work / "cases.txt";
    const auto windowsInput = probes.work / "cases-windows.txt";
    const auto oursOutput = probes.work / "ours.txt";
    const auto windowsOutput = probes.work / "windows.txt";
    writeFile(ourInput, batch.ourLines);
    writeFile(windowsInput, batch.windowsLines);
    return probes.run(ourInput, windowsInput, oursOutput, windowsOutput) &&
           compareBatch(batch, readFile(oursOutput), readFile(windowsOutput), tally, report);
}

}  // namespace

bool compareProbeFeed(const CaseFeed& feed, const ToolPair& probes, std::size_t batchSize,
                      std::ostream& report) {
    ProbeTally tally;
    bool same = true;
    bool more = true;
    while (same && more) {
        Batch batch;
        while (more && batch.cases.size() < batchSize) {
            const std::vector<ProbeCase> part = feed();
            more = !part.empty();
            for (const ProbeCase& probeCase : part) {
                batch.add(probeCase);
            }
        }
        if (!batch.cases.empty()) {
            same = runBatch(batch, probes, tally, report);
        }
    }
    report << tally.summary() << '\n';
    return same;
}

bool compareProbes(const std::vector<ProbeCase>& cases, const ToolPair& probes,
                   std::size_t batchSize, std::ostream& report) {
    std::size_t next = 0;
    const CaseFeed feed = [&]() {
        const std::size_t first = next;
        next = std::min(cases.size(), next + batchSize);
        return std::vector<ProbeCase>(cases.begin() + std::ptrdiff_t(first),
                                      cases.begin() + std::ptrdiff_t(next));
    };
    return compareProbeFeed(feed, probes, batchSize, report);
}

}  // namespace difftest
