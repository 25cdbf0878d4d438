#pragma once

#include "child_process.h"

#include <filesystem>
#include <string>
#include <vector>

namespace difftest {

// The same tool built twice: on the emulation, and for Windows with the real gdi32, run through
// Wine. Both read the same input file; their outputs go to files in `work`.
struct ToolPair {
    std::vector<std::string> ours;
    std::vector<std::string> windows;
    std::filesystem::path work;

    // Runs both on `input` at the same time; false (said on standard error) unless both end with
    // status 0.
    bool run(const std::filesystem::path& input, const std::filesystem::path& oursOutput,
             const std::filesystem::path& windowsOutput) const;
    // The same with an input of its own for each.
    bool run(const std::filesystem::path& oursInput, const std::filesystem::path& windowsInput,
             const std::filesystem::path& oursOutput,
             const std::filesystem::path& windowsOutput) const;
};

}  // namespace difftest
