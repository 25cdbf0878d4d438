#include <fstream>
#include <iostream>
#include <string_view>

#include "product/command_line.h"
#include "script/script_runner.h"

namespace {

constexpr std::string_view kHelp = R"(Usage: diblab-script [FILE]
       diblab-script --help | --version

Runs the DIB Lab window without showing it, from a script read from FILE or, without FILE, from
standard input. Each line holds one command; empty lines and lines starting with # are skipped.
CONTROL is a control's name as the form knows it (Text1(0), Label1(7), srcPic, Check1) or
frmBench for the window itself.

  set CONTROL TEXT         the text box's Text becomes TEXT (the rest of the line after one
                           blank, may be empty), as a paste would: no key filter
  type CONTROL TEXT        CONTROL gets the focus, then TEXT is typed one character at a time
                           through the window's key preview; Backspace deletes the last
                           character, Enter adds nothing to a single-line box
  click CONTROL            a mouse click: a button runs its Click; a check box toggles its
                           Value between 0 and 1 and then runs its Click; a text box or a
                           picture takes the focus
  dblclick CONTROL         a double-click on a text box
  print CONTROL.PROPERTY   writes "CONTROL.PROPERTY = VALUE"; PROPERTY is one of Caption, Text,
                           Value, Tag, ToolTipText, Left, Top, Width, Height (pixels),
                           ScaleWidth, ScaleHeight, BackColor (colour reference in decimal),
                           TabIndex, FontName, FontSize (points), Alignment (0 left, 1 right,
                           2 centre); frmBench has Caption, ScaleWidth and ScaleHeight
                           (its client area in pixels), FontName and FontSize
  pixels CONTROL           writes the picture's image, top row first, one line a row:
                           "CONTROL row Y: " and each pixel as 8 hexadecimal digits
  lines CONTROL            writes the text box's text one line at a time, as the window
                           shows it: "CONTROL line N: TEXT"
  setpixel PICTURE X Y VALUE
                           sets the pixel in column X, row Y (0 = top) of the picture's
                           image to VALUE, 6 hexadecimal digits RRGGBB or 8 with the top
                           byte first; for srcPic and destPic the magnified view is then
                           redrawn, as Set Point does
  explain                  writes the last SetDIBitsToDevice run's account as "account: "
                           and one sentence: the result and the rule that gave it, which
                           source rows were drawn to which destination rows, and what kept
                           the rest of the rectangle from being drawn

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
        std::cout << kHelp;
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
