#include "tool_pair.h"

#include <iostream>

namespace difftest {

bool ToolPair::run(const std::filesystem::path& input, const std::filesystem::path& oursOutput,
                   const std::filesystem::path& windowsOutput) const {
    return run(input, input, oursOutput, windowsOutput);
}

bool ToolPair::run(const std::filesystem::path& oursInput,
                   const std::filesystem::path& windowsInput,
                   const std::filesystem::path& oursOutput,
                   const std::filesystem::path& windowsOutput) const {
    const std::vector<int> statuses =
        runAll({{ours, oursInput, oursOutput}, {windows, windowsInput, windowsOutput}});
    if (statuses[0] != 0 || statuses[1] != 0) {
        std::cerr << "FAIL: on " << oursInput.string() << " our tool ended with status "
                  << statuses[0] << ", the Windows one with " << statuses[1] << '\n';
        return false;
    }
    return true;
}

}  // namespace difftest
