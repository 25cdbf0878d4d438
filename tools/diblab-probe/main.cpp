#include "probe_output.h"

#include <cstring>
#include <iostream>

namespace {

constexpr const char* helpText = R"(Usage: diblab-probe [--grid] [--explain] < cases
       diblab-probe --help

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
  --explain  print before each case's output one line "# " and the account of its call:
             the result and the rule that gave it, which source rows (counted from the top)
             were drawn to which destination rows, and what kept the rest of the rectangle
             from being drawn; StartScan and cLines are called Start and #Lines there
  --help     print this text

Unknown options print a usage note and exit with status 2.
)";

}

int main(int argc, char** argv) {
    probe::OutputStyle style = probe::OutputStyle::Line;
    probe::Account account = probe::Account::Omitted;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0) {
            std::cout << helpText;
            return 0;
        }
        if (std::strcmp(argv[i], "--grid") == 0) {
            style = probe::OutputStyle::Grid;
        } else if (std::strcmp(argv[i], "--explain") == 0) {
            account = probe::Account::Explained;
        } else {
            std::cerr << "diblab-probe: unknown option '" << argv[i]
                      << "'; try diblab-probe --help\n";
            return 2;
        }
    }
    std::ios::sync_with_stdio(false);
    return probe::runProbe(std::cin, std::cout, style, account);
}
