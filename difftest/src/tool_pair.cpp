#include "tool_pair.h"

#include <iostream>

namespace difftest {

bool ToolPair::run(const std::filesystem::path& input, const std::filesystem::path& oursOutput,
                   const std::filesystem::path& windowsOutput) const {
    const std::vector<int> statuses =
        runAll({{ours, input, oursOutput}, {windows, input, windowsOutput}});
    if (statuses[0] != 0 || statuses[1] != 0) {
        std::cerr << "FAIL: on " << input.string() << " our tool ended with status " << statuses[0]
                  << ", the Windows one with " << statuses[1] << '\n';
        return false;
    }
    return true;
}

}  // namespace difftest
