#include "probe_output.h"

#include <iostream>
#include <string>
#include <string_view>

#include "product/command_line.h"

namespace {

constexpr const char* helpText = R"(Usage: diblab-probe [--grid] < cases
       diblab-probe --help | --version

Evaluates SetDIBitsToDevice calls. Each input line holds one case, fields separated by blanks:

  DW DH DTD FILL SW SH STD BASE XDest YDest Width Height XSrc YSrc StartScan cLines [px V0 V1 ...]

  DW DH      destination size: a 32-bpp DIB section selected into a memory DC
  DTD        1 = top-down destination, 0 = bottom-up
  FILL       hexadecimal value written into every destination pixel before the call
  SW SH      source size: biWidth SW, |biHeight| SH
  STD        1 = top-down source (biHeight -SH), 0 = bottom-up; the source buffer holds exactly
             the SW x SH image in that row order and the bits pointer is its start
  BASE       hexadecimal; the pixel in picture row r (0 = top) and column c is
             BASE + r * 256 + c (modulo 2^32)
  px V0 ...  instead of the BASE pattern: SW * SH hexadecimal values, top row first
  the eight call arguments are decimal 32-bit values (-1 as Width means 0xFFFFFFFF)

Sizes are at least 1; DW * DH and SW * SH are at most 16777216 pixels. Hexadecimal values have
at most 8 digits and no prefix. Empty lines and lines starting with '#' are skipped.

Output, one line per case: the call's result in decimal, then the DW * DH destination pixels
after the call as 8 lowercase hexadecimal digits each, top row first, left to right, separated
by single blanks. A line that cannot be read gives "error: REASON" and the following lines are
still processed; the exit status is then 1, otherwise 0.

  --grid     print each case as "result N" followed by one labelled row of pixels per
             destination row and an empty line
  --help     print this text and exit
  --version  print the program's name and version and exit

Unknown options print a usage note and exit with status 2.
)";

}

int main(int argc, char** argv) {
    constexpr std::string_view program = "diblab-probe";
    probe::OutputStyle style = probe::OutputStyle::Line;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help") {
            std::cout << helpText;
            return 0;
        }
        if (option == "--version") {
            std::cout << product::versionText(program);
            return 0;
        }
        if (option != "--grid") {
            std::cerr << product::usageErrorText(program,
                                                 "unknown option '" + std::string(option) + "'");
            return product::kUsageErrorStatus;
        }
        style = probe::OutputStyle::Grid;
    }
    std::ios::sync_with_stdio(false);
    return probe::runProbe(std::cin, std::cout, style);
}
