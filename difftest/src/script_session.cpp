#include "script_session.h"

#include "text_file.h"

#include <algorithm>
#include <string>

namespace difftest {

namespace {

void reportFirstDifference(const std::filesystem::path& script, std::string_view ours,
                           std::string_view windows, std::ostream& report) {
    const std::vector<std::string_view> a = splitLines(ours);
    const std::vector<std::string_view> b = splitLines(windows);
    std::size_t line = 0;
    while (line < a.size() && line < b.size() && a[line] == b[line]) {
        ++line;
    }
    report << "FAIL: " << script.filename().string() << ", output line " << line + 1
           << "\n  ours:    " << (line < a.size() ? a[line] : "(end of output)")
           << "\n  Windows: " << (line < b.size() ? b[line] : "(end of output)") << '\n';
}

}  // namespace

bool compareScripts(const std::vector<std::filesystem::path>& scripts, const ToolPair& runners,
                    std::ostream& report) {
    const auto oursOutput = runners.work / "script-ours.txt";
    const auto windowsOutput = runners.work / "script-windows.txt";
    std::size_t compared = 0;
    std::size_t matched = 0;
    std::uintmax_t bytes = 0;
    for (const std::filesystem::path& script : scripts) {
        ++compared;
        if (!runners.run(script, oursOutput, windowsOutput)) {
            break;
        }
        const std::string ours = readFile(oursOutput);
        const std::string windows = withUnixLineEnds(readFile(windowsOutput));
        if (ours != windows || ours.empty()) {
            reportFirstDifference(script, ours, windows, report);
            break;
        }
        ++matched;
        bytes += ours.size();
    }
    report << compared << " scripts compared, " << matched << " matched (" << bytes
           << " bytes of output identical)\n";
    return matched == scripts.size();
}

}  // namespace difftest
