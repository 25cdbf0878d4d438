#include "probe_output.h"

#include <iostream>
#include <string>
#include <string_view>

#include "product/command_line.h"
#include "product/standard_streams.h"

namespace {

constexpr const char* helpText = R"(Usage: diblab-probe [--grid] [--explain] < cases
       diblab-probe --help | --version

Evaluates SetDIBitsToDevice calls. Each input line holds one case, fields separated by blanks:

  DW DH DTD FILL SW SH STD BASE XDest YDest Width Height XSrc YSrc StartScan cLines
      [OPTION...] [px V0 V1 ... | bits HEX...]

  DW DH      destination size: a DIB section of format dst selected into a memory DC
  DTD        1 = top-down destination, 0 = bottom-up
  FILL       hexadecimal value of the destination's format (an index at 1, 4 and 8 bpp) written
             into every destination pixel before the call
  SW SH      source size: biWidth SW, |biHeight| SH
  STD        1 = top-down source (biHeight -SH), 0 = bottom-up
  BASE       hexadecimal; the pixel in picture row r (0 = top) and column c is V = BASE + r * 256
             + c (modulo 2^32) at 32 bpp, and the top bpp bits of V * 9E3779B1 (modulo 2^32) below
  px V0 ...  instead of the BASE pattern: SW * SH hexadecimal values, top row first, each
             fitting the source's bits per pixel
  bits HEX   instead: the exact bytes of the source buffer, two hexadecimal digits a byte, in one
             or more tokens; it may be shorter than the image. Required for rle8 and rle4
  the eight call arguments are decimal 32-bit values (-1 as Width means 0xFFFFFFFF)

The BASE and px pixels are packed into SH rows of a DWORD-aligned stride, padding bytes 0, in the
row order STD chooses; at 1 and 4 bpp the leftmost pixel takes the high bits of a byte.

Options, NAME=VALUE after cLines, in any order, each at most once:
  src=FORMAT    the source's format (default 32)
  dst=FORMAT    the destination's format (default 32); not rle8 or rle4
  srcpal=V,...  the source colour table: hexadecimal RRGGBB entries, or with use=pal decimal
                palette indexes 0..65535; at most 256 entries
  dstpal=V,...  the destination's colour table (1, 4 and 8 bpp): RRGGBB, at most 2^bpp entries;
                the entries it does not give are black
  use=rgb|pal   DIB_RGB_COLORS (default) or DIB_PAL_COLORS, against the default palette
  clrused=N     the source's biClrUsed (default: the number of srcpal entries, else 0)
  sizeimage=N   the source's biSizeImage (default: the byte count of bits for rle8 and rle4,
                else 0)
  hdr=N         the source's biSize: 40 (default), 108 or 124

FORMAT is 1, 4, 8, 16, 24 or 32 (BI_RGB; 16 is 5-5-5), 16:RRRR:GGGG:BBBB or
32:RRRRRRRR:GGGGGGGG:BBBBBBBB (BI_BITFIELDS with these hexadecimal masks), rle8 or rle4 (BI_RLE8,
BI_RLE4). Without srcpal or dstpal a format of 1, 4 or 8 bpp or RLE has 2^bpp entries, entry i
being ((i + 1) * 9E3779B1 modulo 2^32) >> 8 as RRGGBB; with use=pal, source entry i is i mod 20.

Sizes are at least 1; DW * DH and SW * SH are at most 16777216 pixels, bits at most 67108864
bytes, and a line at most 201330688 bytes (the longest legal case: bits with every byte a token).
Hexadecimal values have at most 8 digits and no prefix. Empty lines and lines starting with '#'
are skipped.

Output, one line per case: the call's result in decimal, then the DW * DH destination pixels
after the call, top row first, left to right, separated by single blanks, in lowercase
hexadecimal of the destination's width: 1 digit at 1 and 4 bpp, 2 at 8, 4 at 16, 6 at 24, 8 at
32. A line that cannot be read gives "error: REASON" naming the field or option, and the
following lines are still processed; the exit status is then 1, otherwise 0. A token in REASON
is quoted with at most its first 40 bytes (then "..."), a backslash written \\ and any byte
outside printable ASCII \xHH.

  --grid     print each case as "result N" followed by one labelled row of pixels per
             destination row and an empty line
  --explain  print before each case's output one line "# " and the account of its call:
             the result and the rule that gave it, which source rows (counted from the top)
             were drawn to which destination rows, and what kept the rest of the rectangle
             from being drawn; StartScan and cLines are called Start and #Lines there
  --help     print this text and exit
  --version  print the program's name and version and exit

Unknown options print a usage note and exit with status 2. When the input cannot be read or the
output cannot be written, one line on standard error says so and the exit status is 1.
)";

}

int main(int argc, char** argv) {
    constexpr std::string_view program = "diblab-probe";
    product::StandardStreams streams(program);
    probe::OutputStyle style = probe::OutputStyle::Line;
    probe::Account account = probe::Account::Omitted;
    for (int i = 1; i < argc; ++i) {
        const std::string_view option = argv[i];
        if (option == "--help") {
            std::cout << helpText;
            return streams.finish(0);
        }
        if (option == "--version") {
            std::cout << product::versionText(program);
            return streams.finish(0);
        }
        if (option == "--grid") {
            style = probe::OutputStyle::Grid;
        } else if (option == "--explain") {
            account = probe::Account::Explained;
        } else {
            const std::string problem = option.starts_with('-')
                                            ? "unknown option '" + std::string(option) + "'"
                                            : "unexpected argument '" + std::string(option) +
                                                  "': the cases are read from standard input";
            std::cerr << product::usageErrorText(program, problem);
            return product::kUsageErrorStatus;
        }
    }
    int status = 0;
    try {
        status = probe::runProbe(std::cin, std::cout, style, account);
    } catch (const std::ios_base::failure& failure) {
        status = streams.fail("cannot read standard input", failure.code());
    }
    return streams.finish(status);
}
