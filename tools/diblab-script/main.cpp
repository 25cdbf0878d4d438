#include <fstream>
#include <iostream>
#include <string_view>

#include "product/command_line.h"
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
exit status 2. Exit status 0 means every line ran.

  --help     print this text and exit
  --version  print the program's name and version and exit
)";

int runScript(std::istream& script) {
    script::ScriptRunner runner(std::cout);
    const auto error = runner.run(script);
    std::cout.flush();
    if (!error) return 0;
    std::cerr << script::formatScriptError(*error) << '\n';
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc > 2) {
        std::cerr << "error: at most one script file; see diblab-script --help\n";
        return 2;
    }
    if (argc == 1) return runScript(std::cin);
    const std::string_view argument = argv[1];
    if (argument == "--help" || argument == "-h") {
        std::cout << kHelpBeforeCommands << script::describeCommands() << kHelpAfterCommands;
        return 0;
    }
    if (argument == "--version") {
        std::cout << product::versionText("diblab-script");
        return 0;
    }
    if (argument.starts_with("-")) {
        std::cerr << "error: unknown option " << argument << "; see diblab-script --help\n";
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    if (!file) {
        std::cerr << "error: cannot open " << argument << '\n';
        return 2;
    }
    return runScript(file);
}
