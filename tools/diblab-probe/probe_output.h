#pragma once

#include "probe_eval.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace probe {

enum class OutputStyle { Line, Grid };
// Whether each case's output is preceded by "# " and the account of its call.
enum class Account { Omitted, Explained };

// Appends one case's output: "RESULT P0 P1 ..." on one line, or a labelled grid of rows. Each
// pixel takes the hexadecimal digits of the destination's bits per pixel.
void appendOutcome(std::string& out, const ProbeOutcome& outcome, const gdi::DibFormat& destination,
                   OutputStyle style);

// Parses, evaluates and formats one input line; appends nothing for a skipped line. Returns
// false when the line gave an error line.
bool processLine(std::string_view line, OutputStyle style, std::string& out,
                 Account account = Account::Omitted);

// Processes every line of the input, up to the first write to `out` that fails. The lines at hand
// are answered together, on several threads where the processor has them, and in their order;
// every line read is answered before the input is waited for. Returns the exit status: 1 if any
// line gave an error. A failed read is passed on as std::ios_base::failure.
int runProbe(std::istream& in, std::ostream& out, OutputStyle style,
             Account account = Account::Omitted);

}  // namespace probe
