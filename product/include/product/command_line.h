#pragma once

#include <string>
#include <string_view>

#include "product/version.h"

// The command-line conventions all DIB Lab programs share, as GNU programs have them: --help and
// --version answer on standard output with exit status 0; a misused command line gets one line on
// standard error and exit status 2.
namespace product {

inline constexpr int kUsageErrorStatus = 2;

// The answer to --version: "PROGRAM (DIB Lab) VERSION" and a line break.
inline std::string versionText(std::string_view program) {
    return std::string(program) + " (" + kProductTitle + ") " + kVersionString + '\n';
}

// The line for standard error when the command line is wrong: what is wrong and where to look.
inline std::string usageErrorText(std::string_view program, std::string_view problem) {
    const std::string name(program);
    return name + ": " + std::string(problem) + "; try " + name + " --help\n";
}

}  // namespace product
