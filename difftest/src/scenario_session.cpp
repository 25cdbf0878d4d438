#include "scenario_session.h"

#include "child_process.h"
#include "text_file.h"

#include <algorithm>
#include <charconv>
#include <map>
#include <numeric>

namespace difftest {

namespace {

constexpr std::string_view markerPrefix = "Text3.Text = scenario ";
constexpr std::size_t batchesAtOnce = 2;

using ScenarioOutputs = std::map<std::size_t, std::vector<std::string_view>>;

// Each scenario's lines, from its marker to the next.
ScenarioOutputs scenarioOutputs(std::string_view text) {
    ScenarioOutputs outputs;
    std::vector<std::string_view>* current = nullptr;
    for (const std::string_view line : splitLines(text)) {
        const std::string_view number = line.substr(std::min(markerPrefix.size(), line.size()));
        std::size_t scenario = 0;
        const auto [end, error] =
            std::from_chars(number.data(), number.data() + number.size(), scenario);
        if (line.starts_with(markerPrefix) && error == std::errc{} &&
            end == number.data() + number.size()) {
            current = &outputs[scenario];
        }
        if (current != nullptr) {
            current->push_back(line);
        }
    }
    return outputs;
}

struct Batch {
    std::size_t first = 0;
    std::size_t end = 0;
    std::filesystem::path oursScript;
    std::filesystem::path windowsScript;
    std::filesystem::path oursOutput;
    std::filesystem::path windowsOutput;
};

Batch writeBatch(const std::vector<BenchScenario>& scenarios, std::size_t first, std::size_t end,
                 std::size_t slot, const std::filesystem::path& work) {
    const std::string name = "scenarios-" + std::to_string(slot);
    Batch batch{first,
                end,
                work / (name + "-ours.dls"),
                work / (name + "-windows.dls"),
                work / (name + "-ours.txt"),
                work / (name + "-windows.txt")};
    BenchScriptWriter ours;
    BenchScriptWriter windows;
    for (std::size_t i = first; i < end; ++i) {
        ours.add(i, scenarios[i]);
        if (sentToWine(scenarios[i])) {
            windows.add(i, scenarios[i]);
        }
    }
    writeFile(batch.oursScript, ours.text());
    writeFile(batch.windowsScript, windows.text());
    return batch;
}

// The script goes as the FILE argument: the Windows C run-time on Wine reads a file many times
// faster than its standard input.
ChildRun scriptRun(std::vector<std::string> command, const std::filesystem::path& script,
                   const std::filesystem::path& output) {
    command.push_back(script.string());
    return {std::move(command), "/dev/null", output};
}

bool runBatches(const std::vector<Batch>& batches, const ToolPair& runners, std::ostream& report) {
    std::vector<ChildRun> runs;
    for (const Batch& batch : batches) {
        runs.push_back(scriptRun(runners.ours, batch.oursScript, batch.oursOutput));
        runs.push_back(scriptRun(runners.windows, batch.windowsScript, batch.windowsOutput));
    }
    const std::vector<int> statuses = runAll(runs);
    for (std::size_t i = 0; i < runs.size(); ++i) {
        if (statuses[i] != 0) {
            report << "FAIL: " << (i % 2 == 0 ? "our" : "the Windows") << " diblab-script ended "
                   << "with status " << statuses[i] << " on " << runs[i].command.back() << '\n';
            return false;
        }
    }
    return true;
}

void reportFailure(std::size_t number, const BenchScenario& s, const std::string& difference,
                   std::ostream& report) {
    BenchScriptWriter alone;
    alone.add(number, s);
    report << "FAIL: scenario " << number << " (source " << s.source->label << ", destination "
           << s.dest->label << "): " << difference << "\nits script:\n"
           << alone.text();
}

bool compareBatch(const std::vector<BenchScenario>& scenarios, const Batch& batch,
                  ScenarioTally& tally, std::ostream& report) {
    const std::string oursText = readFile(batch.oursOutput);
    const std::string windowsText = withUnixLineEnds(readFile(batch.windowsOutput));
    const ScenarioOutputs ours = scenarioOutputs(oursText);
    const ScenarioOutputs windows = scenarioOutputs(windowsText);
    for (std::size_t i = batch.first; i < batch.end; ++i) {
        const BenchScenario& s = scenarios[i];
        const auto a = ours.find(i);
        const auto b = windows.find(i);
        ScenarioComparison comparison;
        if (a == ours.end() || (sentToWine(s) && b == windows.end())) {
            comparison.difference = "no output from our tool or the Windows one";
        } else {
            comparison = compareScenario(
                s, a->second,
                b == windows.end() ? std::span<const std::string_view>() : std::span(b->second));
        }
        tally.add(s, comparison.agreement);
        if (!comparison.agreement) {
            reportFailure(i, s, comparison.difference, report);
            return false;
        }
    }
    return true;
}

std::string countLine(std::uint64_t count, std::string_view what) {
    return "\n  " + std::to_string(count) + ' ' + std::string(what);
}

}  // namespace

void ScenarioTally::add(const BenchScenario& s, std::optional<ScenarioAgreement> agreement) {
    ++compared;
    ++pairs[{s.source->label, s.dest->label}];
    if (agreement) {
        ++agreements[std::size_t(*agreement)];
    }
    if (agreement && *agreement != ScenarioAgreement::Identical) {
        ++departed[{s.source->label, s.dest->label}];
    }
}

std::string ScenarioTally::summary() const {
    const std::uint64_t matched =
        std::accumulate(agreements.begin(), agreements.end(), std::uint64_t(0));
    std::string text = std::to_string(compared) + " scenarios compared, " +
                       std::to_string(matched) +
                       " matched:" + countLine(agreements[0], "with identical output");
    for (const ScenarioAgreement departure :
         {ScenarioAgreement::WineDeparture, ScenarioAgreement::WindowsRefusesBand,
          ScenarioAgreement::PaletteWrap}) {
        text += countLine(agreements[std::size_t(departure)],
                          agreementMeaning(*probeAgreement(departure)));
    }
    text += countLine(agreements[std::size_t(ScenarioAgreement::SourceMasksIgnored)],
                      "with a 5-6-5 source, which Wine's GetDIBits reads back with masks of its "
                      "own: every line but the source's and the destination's values identical, "
                      "and every pixel the call does not draw; our result by the Windows rule");
    text += countLine(agreements[std::size_t(ScenarioAgreement::DestinationNotSent)],
                      "with a 5-6-5 destination, which Wine's GetDIBits cannot convert a "
                      "picture into: not sent to Wine; our result by the Windows rule");
    std::vector<std::string_view> columns;
    for (const TestFormat* dest : benchDestinationFormats()) {
        columns.push_back(dest->label);
    }
    return text + "\nscenarios per format pair (source down, destination across):\n" +
           formatPairTable(pairs, columns) + "\nof which counted apart for a departure:\n" +
           formatPairTable(departed, columns);
}

bool compareScenarios(const std::vector<BenchScenario>& scenarios, const ToolPair& runners,
                      std::size_t batchSize, std::ostream& report) {
    ScenarioTally tally;
    bool same = true;
    for (std::size_t first = 0; same && first < scenarios.size();
         first += batchSize * batchesAtOnce) {
        std::vector<Batch> batches;
        for (std::size_t slot = 0; slot < batchesAtOnce; ++slot) {
            const std::size_t begin = std::min(first + slot * batchSize, scenarios.size());
            const std::size_t end = std::min(begin + batchSize, scenarios.size());
            if (begin < end) {
                batches.push_back(writeBatch(scenarios, begin, end, slot, runners.work));
            }
        }
        same = runBatches(batches, runners, report);
        for (std::size_t b = 0; same && b < batches.size(); ++b) {
            same = compareBatch(scenarios, batches[b], tally, report);
        }
    }
    report << tally.summary() << '\n';
    return same && tally.compared == scenarios.size();
}

}  // namespace difftest
