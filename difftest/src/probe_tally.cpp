#include "probe_tally.h"

#include "test_formats.h"

#include <cstdio>
#include <vector>

namespace difftest {

namespace {

std::string line(std::uint64_t count, std::string_view what) {
    return "\n  " + std::to_string(count) + ' ' + std::string(what);
}

std::string cell(std::string_view text) {
    char padded[32];
    const int length = std::snprintf(padded, sizeof padded, "%7.*s", int(text.size()), text.data());
    return std::string(padded, std::size_t(length));
}

}  // namespace

template <typename Tally>
auto& ProbeTally::counter(Tally& tally, CaseAgreement agreement) {
    switch (agreement) {
        case CaseAgreement::Identical:
            return tally.identical;
        case CaseAgreement::WineDeparture:
            return tally.wineDepartures;
        case CaseAgreement::WindowsRefusesBand:
            return tally.refusedBands;
        case CaseAgreement::WrappedRectangle:
            return tally.wrappedRectangles;
        case CaseAgreement::PaletteWrap:
            return tally.paletteWraps;
        case CaseAgreement::ShortBuffer:
            return tally.shortBuffers;
        case CaseAgreement::ShortStream:
            return tally.shortStreams;
        case CaseAgreement::LongRunSplit:
            return tally.splitLongRuns;
        case CaseAgreement::DecodeAreaCut:
            return tally.cutDecodeAreas;
        case CaseAgreement::DecodeAreaNotSent:
            break;
    }
    return tally.decodeAreasNotSent;
}

void ProbeTally::add(std::optional<CaseAgreement> agreement) {
    ++compared;
    if (!agreement) {
        return;
    }
    ++counter(*this, *agreement);
}

void ProbeTally::add(std::optional<CaseAgreement> agreement, std::string_view source,
                     std::string_view dest) {
    add(agreement);
    ++pairs[{source, dest}];
}

std::string_view agreementMeaning(CaseAgreement agreement) {
    switch (agreement) {
        case CaseAgreement::Identical:
            return "with identical result and pixels";
        case CaseAgreement::WineDeparture:
            return "where Wine departs from Windows in a call that draws nothing: "
                   "same pixels, our result follows Windows";
        case CaseAgreement::WindowsRefusesBand:
            return "top-down calls with cLines >= 2^31 that ours fails as Windows does "
                   "(0, nothing drawn) while Wine draws";
        case CaseAgreement::WrappedRectangle:
            return "with a rectangle edge beyond an int, where Wine's wrapped sums draw otherwise";
        case CaseAgreement::PaletteWrap:
            return "DIB_PAL_COLORS calls with indices past the fewer than 20 entries read (ours "
                   "wraps modulo 20, Wine modulo the number read): same as Wine with those "
                   "palette colours as an RGB table";
        case CaseAgreement::ShortBuffer:
            return "with a buffer short of the image (ours draws the whole rows it holds, Wine "
                   "reads past the buffer or refuses): same as Wine with the whole buffer on the "
                   "rows held, unchanged elsewhere, result by the Windows rule";
        case CaseAgreement::ShortStream:
            return "RLE calls with biSizeImage past the buffer (ours stops at its end, Wine reads "
                   "on): same as Wine with biSizeImage the buffer's length";
        case CaseAgreement::LongRunSplit:
            return "RLE8 calls with an absolute run of 255 pixels, whose padded length Wine keeps "
                   "in a byte (it reads the literal bytes as codes): same as Wine with runs of 254 "
                   "and 1 in their place";
        case CaseAgreement::DecodeAreaCut:
            return "RLE calls whose decode area is too large for Wine (over 16 MiB: it allocates "
                   "the area, and past 2 GiB overflows its size): same as Wine with the area cut "
                   "to what the stream reaches";
        case CaseAgreement::DecodeAreaNotSent:
            break;
    }
    return "RLE calls with such an area and no pixel the stream reaches in view: not sent "
           "to Wine; ours draws nothing, result by the rule";
}

std::string formatPairTable(const FormatPairCounts& counts,
                            std::span<const std::string_view> columns) {
    std::string text = "       ";
    for (const std::string_view column : columns) {
        text += cell(column);
    }
    for (const TestFormat& source : sourceFormats()) {
        std::string row = "\n" + cell(source.label);
        bool any = false;
        for (const std::string_view dest : columns) {
            const auto found = counts.find({source.label, dest});
            any = any || found != counts.end();
            row += cell(found == counts.end() ? "-" : std::to_string(found->second));
        }
        text += any ? row : "";
    }
    return text;
}

std::string ProbeTally::summary() const {
    const std::uint64_t matched = identical + wineDepartures + refusedBands + wrappedRectangles +
                                  paletteWraps + shortBuffers + shortStreams + splitLongRuns +
                                  cutDecodeAreas + decodeAreasNotSent;
    const auto count = [this](CaseAgreement agreement) {
        return line(counter(*this, agreement), agreementMeaning(agreement));
    };
    std::string text =
        std::to_string(compared) + " cases compared, " + std::to_string(matched) +
        " matched:" + count(CaseAgreement::Identical) + count(CaseAgreement::WineDeparture) +
        count(CaseAgreement::WindowsRefusesBand) + count(CaseAgreement::WrappedRectangle);
    if (pairs.size() <= 1) {
        return text;
    }
    for (const CaseAgreement agreement :
         {CaseAgreement::PaletteWrap, CaseAgreement::ShortBuffer, CaseAgreement::ShortStream,
          CaseAgreement::LongRunSplit, CaseAgreement::DecodeAreaCut,
          CaseAgreement::DecodeAreaNotSent}) {
        text += count(agreement);
    }
    std::vector<std::string_view> columns;
    for (const TestFormat& dest : destinationFormats()) {
        columns.push_back(dest.label);
    }
    return text + "\ncases per format pair (source down, destination across):\n" +
           formatPairTable(pairs, columns);
}

}  // namespace difftest
