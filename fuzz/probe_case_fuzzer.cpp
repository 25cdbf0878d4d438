// Feeds arbitrary text to diblab-probe's line processing. Every line gives one output line (or a
// grid) or an error line; a case that parses is evaluated and its result and destination are
// held against the restatement of SetDIBitsToDevice in gdi_call_checks.

#include "gdi/dib_format.h"
#include "gdi_call_checks.h"
#include "probe_eval.h"
#include "probe_output.h"

#include <string>
#include <string_view>

namespace {

using fuzzcheck::check;

// Cases beyond this many pixels only get parsed: evaluating them is slow, not different.
constexpr std::uint64_t maxEvaluatedPixels = 4096;

std::uint64_t pixels(const gdi::DibFormat& format) {
    return std::uint64_t(format.width) * std::uint64_t(format.height);
}

// The bytes of the BITMAPINFO a format describes that a call with `role` reads.
std::span<const std::byte> infoBytes(const gdi::DibInfo& info, UINT colorUse,
                                     fuzzcheck::DibRole role) {
    const auto* start = reinterpret_cast<const std::byte*>(info.get());
    const std::span<const std::byte> header(start, sizeof(BITMAPINFOHEADER));
    return {start, fuzzcheck::infoBytesRead(header, colorUse, role)};
}

// Returns whether the case could be evaluated.
bool checkEvaluation(const probe::ProbeCase& c) {
    const probe::ProbeOutcome outcome = probe::evaluateCase(c);
    const gdi::DibInfo destinationInfo(c.destination);
    const std::optional<fuzzcheck::PixelFormat> destination = fuzzcheck::readSectionFormat(
        infoBytes(destinationInfo, DIB_RGB_COLORS, fuzzcheck::DibRole::Section), DIB_RGB_COLORS,
        true);
    check(outcome.error.empty() == destination.has_value(),
          "a case evaluates exactly when its destination is a DIB section the rules take");
    if (!destination) {
        return false;
    }
    const gdi::DibInfo sourceInfo(c.source);
    const std::optional<fuzzcheck::SourceDib> source = fuzzcheck::readSourceDib(
        infoBytes(sourceInfo, c.source.colorUse, fuzzcheck::DibRole::DrawnSource),
        c.source.colorUse);
    const geometry::CallArguments& a = c.arguments;
    const fuzzcheck::DibitsCall call{a.xDest, a.yDest, a.width,     a.height,
                                     a.xSrc,  a.ySrc,  a.startScan, a.cLines};
    const int expected =
        source && a.cLines != 0 ? fuzzcheck::expectedSetDibitsResult(*source, call) : 0;
    check(outcome.result == expected, "probe result");
    const fuzzcheck::Screen before(std::size_t(pixels(c.destination)), c.fill);
    if (source && a.cLines != 0) {
        fuzzcheck::checkSetDibitsScreen(outcome.destination, before, int(c.destination.width),
                                        *destination, *source, call, c.bits, expected);
    } else {
        check(outcome.destination == before, "a refused probe call draws nothing");
    }
    return true;
}

void checkLine(std::string_view line) {
    const auto parsed = probe::parseCase(line);
    const auto* probeCase = std::get_if<probe::ProbeCase>(&parsed);
    const bool small = probeCase && pixels(probeCase->destination) <= maxEvaluatedPixels &&
                       pixels(probeCase->source) <= maxEvaluatedPixels;
    if (probeCase && !small) {
        return;
    }
    std::string out;
    const bool ok = probe::processLine(line, probe::OutputStyle::Line, out);
    if (probe::isSkippedLine(line)) {
        check(ok && out.empty(), "a skipped line gives no output");
        return;
    }
    check(!out.empty() && out.back() == '\n' && out.find('\n') == out.size() - 1,
          "one output line per case");
    if (!probeCase) {
        check(!ok, "a line that does not parse gives an error line");
        return;
    }
    const bool evaluated = checkEvaluation(*probeCase);
    check(ok == evaluated, "a case gives an error line exactly when it cannot be evaluated");
    if (evaluated) {
        std::string grid;
        probe::processLine(line, probe::OutputStyle::Grid, grid);
        check(grid.starts_with("result " + out.substr(0, out.find(' ')) + "\n"),
              "the grid starts with the result");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    for (int lines = 0; lines < 8 && !text.empty(); ++lines) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        checkLine(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return 0;
}
