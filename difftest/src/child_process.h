#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace difftest {

// A program run with its standard input read from one file and its standard output written to
// another; standard error stays the caller's.
struct ChildRun {
    std::vector<std::string> command;
    std::filesystem::path input;
    std::filesystem::path output;
};

// Starts every run at once and waits for all of them. Returns each run's exit status, or -1 for
// one that could not be started or was ended by a signal (said on standard error).
std::vector<int> runAll(const std::vector<ChildRun>& runs);

}  // namespace difftest
