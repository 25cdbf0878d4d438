#pragma once

#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace script {

// Thrown by a command that cannot run; the runner turns it into a ScriptError with the line.
struct LineFailure {
    std::string reason;
};

[[noreturn]] void fail(std::string reason);

// Splits "WORD REST" at the first blank; REST is everything after that one blank.
std::pair<std::string_view, std::string_view> splitAtBlank(std::string_view text);

// A command whose only argument is one word; trailing blanks are forgiven.
std::string_view singleArgument(std::string_view command, std::string_view arguments,
                                std::string_view what);

// The words of a command's arguments, split at single blanks; trailing blanks are forgiven.
std::vector<std::string_view> words(std::string_view arguments);

}  // namespace script
