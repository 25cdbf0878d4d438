#pragma once

#include "probe_case.h"

namespace difftest {

// What Wine is given for a case, and so how the two outputs are compared.
enum class WineRun {
    // The very same line.
    SameCase,
    // Departure 1: palette indices that ours wraps modulo 20 and Wine modulo the number read.
    // Wine draws the same call with those colours as an RGB table.
    RgbTable,
    // Departure 2: a buffer short of the image, which ours reads only as far as whole rows go and
    // Wine reads past or refuses. Wine draws the whole buffer; ours must match it on the rows held
    // and leave the pixels of the missing rows unchanged.
    WholeBuffer,
    // Departure 2 for RLE: biSizeImage past the buffer's end, where ours stops and Wine reads on.
    // Wine decodes the same stream with biSizeImage set to the buffer's length.
    StreamWithinBuffer,
    // Wine's limit: an RLE8 absolute run of 255 pixels, which it misreads. Wine decodes the same
    // pixels written as runs of 254 and 1.
    SplitLongRuns,
    // Wine's limit: an RLE decode area too large for it. Wine decodes the call with the area cut
    // to what the stream reaches.
    CutDecodeArea,
    // Wine's limit, with no pixel the stream could set in view: not sent. Ours must draw nothing
    // and give the rule's result.
    NotSent,
};

struct PlannedCase {
    ProbeCase ours;
    // The case Wine runs; unused with NotSent.
    ProbeCase wine;
    WineRun run = WineRun::SameCase;
};

// Decides by the rules what Wine runs for a case. Where several departures apply, Wine's case
// carries every change, and `run` names the first of NotSent, CutDecodeArea, WholeBuffer,
// SplitLongRuns, StreamWithinBuffer and RgbTable.
PlannedCase planCase(const ProbeCase& probeCase);

}  // namespace difftest
