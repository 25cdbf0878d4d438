#include "command_arguments.h"

#include "dib/quoted_text.h"

namespace script {

[[noreturn]] void fail(std::string reason) {
    throw LineFailure{std::move(reason)};
}

std::pair<std::string_view, std::string_view> splitAtBlank(std::string_view text) {
    const std::size_t blank = text.find(' ');
    if (blank == std::string_view::npos) return {text, {}};
    return {text.substr(0, blank), text.substr(blank + 1)};
}

std::string_view singleArgument(std::string_view command, std::string_view arguments,
                                std::string_view what) {
    while (!arguments.empty() && arguments.back() == ' ') arguments.remove_suffix(1);
    if (arguments.empty()) fail(std::string(command) + " needs " + std::string(what));
    const auto [word, rest] = splitAtBlank(arguments);
    if (!rest.empty() || arguments.size() != word.size()) {
        fail("unexpected text after " + dib::quoted(word) + ": " + dib::quoted(rest));
    }
    return word;
}

std::vector<std::string_view> words(std::string_view arguments) {
    while (!arguments.empty() && arguments.back() == ' ') arguments.remove_suffix(1);
    std::vector<std::string_view> found;
    while (!arguments.empty()) {
        const auto [word, rest] = splitAtBlank(arguments);
        found.push_back(word);
        arguments = rest;
    }
    return found;
}

}  // namespace script
