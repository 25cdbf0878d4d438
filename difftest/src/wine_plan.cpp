#include "wine_plan.h"

#include "format_rules.h"

namespace difftest {

PlannedCase planCase(const ProbeCase& c) {
    PlannedCase planned{c, c, WineRun::SameCase};
    if (palettesWrapApart(c)) {
        planned.wine = withRgbTable(planned.wine);
        planned.run = WineRun::RgbTable;
    }
    if (streamPastBuffer(c)) {
        planned.wine.sizeImage = std::uint32_t(c.bits->size());
        planned.run = WineRun::StreamWithinBuffer;
    }
    if (auto stream = withLongRunsSplit(c)) {
        planned.wine.bits = std::move(stream);
        planned.run = WineRun::SplitLongRuns;
    }
    if (shortBuffer(c)) {
        planned.wine = withWholeBuffer(planned.wine);
        planned.run = WineRun::WholeBuffer;
    }
    if (decodeAreaBeyondWine(c)) {
        const std::optional<ProbeCase> cut = withDecodeAreaCut(planned.wine);
        planned.run = cut ? WineRun::CutDecodeArea : WineRun::NotSent;
        if (cut) {
            planned.wine = *cut;
        }
    }
    return planned;
}

}  // namespace difftest
