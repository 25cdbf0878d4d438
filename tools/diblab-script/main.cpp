#include <cerrno>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>

#include "product/command_line.h"
#include "product/standard_streams.h"
#include "script/script_runner.h"

namespace {

constexpr std::string_view kHelpBeforeCommands = R"(Usage: diblab-script [FILE]
       diblab-script --help | --version

Runs the DIB Lab window without showing it, from a script read from FILE or, without FILE, from
standard input. Each line holds one command; empty lines and lines starting with # are skipped.
CONTROL is a control's name as the form knows it (Text1(0), Label1(7), srcPic, Check1) or
frmBench for the window itself.

)";

constexpr std::string_view kHelpAfterCommands = R"(
Experiments saved by the window (File > Save Experiment) are scripts of these commands: run
them here to print the captions, pictures, report and account the window showed.

Escapes in TEXT and in printed values: \n, \r, \t, \b (Backspace), \\ and \xNN (the character
with that code), so that every printed value stays on one line.

Every message box the program shows is written as "message: TEXT" and answered with OK.

A line that cannot be run (unknown command, control or property, a missing argument, a property
the control does not have) stops the script with "error: line N: REASON" on standard error and
exit status 2. A script or standard output that cannot be read or written gives one line on
standard error naming it and exit status 1. Exit status 0 means every line ran.

  --help     print this text and exit
  --version  print the program's name and version and exit
)";

// Runs the script read from `source`, which is named `name` in a failure's message.
int runScript(std::istream& source, std::string_view name, product::StandardStreams& streams) {
    std::optional<script::ScriptError> error;
    try {
        script::ScriptRunner runner(std::cout);
        error = runner.run(source);
    } catch (const std::ios_base::failure& failure) {
        return streams.finish(streams.fail("cannot read " + std::string(name), failure.code()));
    }
    const int status = streams.finish(error ? 2 : 0);
    if (error) std::cerr << script::formatScriptError(*error) << '\n';
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    product::StandardStreams streams("diblab-script");
    if (argc > 2) {
        std::cerr << "error: at most one script file; see diblab-script --help\n";
        return 2;
    }
    if (argc == 1) return runScript(std::cin, "standard input", streams);
    const std::string_view argument = argv[1];
    if (argument == "--help" || argument == "-h") {
        std::cout << kHelpBeforeCommands << script::describeCommands() << kHelpAfterCommands;
        return streams.finish(0);
    }
    if (argument == "--version") {
        std::cout << product::versionText("diblab-script");
        return streams.finish(0);
    }
    if (argument.starts_with("-")) {
        std::cerr << "error: unknown option " << argument << "; see diblab-script --help\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        return streams.fail("cannot open " + std::string(argument),
                            std::error_code(errno, std::generic_category()));
    }
    file.exceptions(std::ios::badbit);
    return runScript(file, argument, streams);
}
