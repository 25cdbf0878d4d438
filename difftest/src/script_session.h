#pragma once

#include "tool_pair.h"

#include <filesystem>
#include <ostream>
#include <vector>

namespace difftest {

// Runs every script through both diblab-script builds and requires the same output, byte for
// byte (after the Windows C run-time's CR LF line ends). Stops at the first difference, writing
// the script and the first differing line; ends with the tally. True when all matched.
bool compareScripts(const std::vector<std::filesystem::path>& scripts, const ToolPair& runners,
                    std::ostream& report);

}  // namespace difftest
