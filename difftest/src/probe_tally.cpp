#include "probe_tally.h"

#include "test_formats.h"

#include <cstdio>
#include <vector>

namespace difftest {

namespace {

std::string line(std::uint64_t count, const char* what) {
    return "\n  " + std::to_string(count) + ' ' + what;
}

std::string cell(std::string_view text) {
    char padded[32];
    const int length = std::snprintf(padded, sizeof padded, "%7.*s", int(text.size()), text.data());
    return std::string(padded, std::size_t(length));
}

}  // namespace

std::uint64_t& ProbeTally::counter(CaseAgreement agreement) {
    switch (agreement) {
        case CaseAgreement::Identical:
            return identical;
        case CaseAgreement::WineDeparture:
            return wineDepartures;
        case CaseAgreement::WindowsRefusesBand:
            return refusedBands;
        case CaseAgreement::WrappedRectangle:
            return wrappedRectangles;
        case CaseAgreement::PaletteWrap:
            return paletteWraps;
        case CaseAgreement::ShortBuffer:
            return shortBuffers;
        case CaseAgreement::ShortStream:
            return shortStreams;
        case CaseAgreement::LongRunSplit:
            return splitLongRuns;
        case CaseAgreement::DecodeAreaCut:
            return cutDecodeAreas;
        case CaseAgreement::DecodeAreaNotSent:
            break;
    }
    return decodeAreasNotSent;
}

void ProbeTally::add(std::optional<CaseAgreement> agreement) {
    ++compared;
    if (!agreement) {
        return;
    }
    ++counter(*agreement);
}

void ProbeTally::add(std::optional<CaseAgreement> agreement, std::string_view source,
                     std::string_view dest) {
    add(agreement);
    ++pairs[{source, dest}];
}

std::string ProbeTally::summary() const {
    const std::uint64_t matched = identical + wineDepartures + refusedBands + wrappedRectangles +
                                  paletteWraps + shortBuffers + shortStreams + splitLongRuns +
                                  cutDecodeAreas + decodeAreasNotSent;
    std::string text =
        std::to_string(compared) + " cases compared, " + std::to_string(matched) +
        " matched:" + line(identical, "with identical result and pixels") +
        line(wineDepartures,
             "where Wine departs from Windows in a call that draws nothing: "
             "same pixels, our result follows Windows") +
        line(refusedBands,
             "top-down calls with cLines >= 2^31 that ours fails as Windows does "
             "(0, nothing drawn) while Wine draws") +
        line(wrappedRectangles,
             "with a rectangle edge beyond an int, where Wine's wrapped sums draw otherwise");
    if (pairs.size() <= 1) {
        return text;
    }
    text +=
        line(paletteWraps,
             "DIB_PAL_COLORS calls with indices past the fewer than 20 entries read (ours "
             "wraps modulo 20, Wine modulo the number read): same as Wine with those "
             "palette colours as an RGB table") +
        line(shortBuffers,
             "with a buffer short of the image (ours draws the whole rows it holds, Wine reads "
             "past the buffer or refuses): same as Wine with the whole buffer on the rows "
             "held, unchanged elsewhere, result by the Windows rule") +
        line(shortStreams,
             "RLE calls with biSizeImage past the buffer (ours stops at its end, Wine reads "
             "on): same as Wine with biSizeImage the buffer's length") +
        line(splitLongRuns,
             "RLE8 calls with an absolute run of 255 pixels, whose padded length Wine keeps in "
             "a byte (it reads the literal bytes as codes): same as Wine with runs of 254 and 1 "
             "in their place") +
        line(cutDecodeAreas,
             "RLE calls whose decode area is too large for Wine (over 16 MiB: it allocates "
             "the area, and past 2 GiB overflows its size): same as Wine with the area cut "
             "to what the stream reaches") +
        line(decodeAreasNotSent,
             "RLE calls with such an area and no pixel the stream reaches in view: not sent "
             "to Wine; ours draws nothing, result by the rule");
    text += "\ncases per format pair (source down, destination across):\n       ";
    for (const TestFormat& dest : destinationFormats()) {
        text += cell(dest.label);
    }
    for (const TestFormat& source : sourceFormats()) {
        std::string row = "\n" + cell(source.label);
        bool any = false;
        for (const TestFormat& dest : destinationFormats()) {
            const auto found = pairs.find({source.label, dest.label});
            any = any || found != pairs.end();
            row += cell(found == pairs.end() ? "-" : std::to_string(found->second));
        }
        text += any ? row : "";
    }
    return text;
}

}  // namespace difftest
