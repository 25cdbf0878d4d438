// Feeds arbitrary text to diblab-probe's line processing. Every line gives one output line (or a
// grid) or an error line; a case that parses is evaluated and its result and destination are
// held against the restatement of SetDIBitsToDevice in gdi_call_checks.

#include "gdi/dib_format.h"
#include "gdi_call_checks.h"
#include "probe_eval.h"
#include "probe_output.h"

#include <cstring>
#include <string>
#include <string_view>

namespace {

using fuzzcheck::check;

// Cases beyond this many pixels only get parsed: evaluating them is slow, not different.
constexpr std::uint64_t maxEvaluatedPixels = 4096;

gdi::RowOrder rowOrder(probe::RowOrder order) {
    return order == probe::RowOrder::TopDown ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
}

// The source picture in the buffer order of its DIB.
std::vector<std::uint32_t> sourceBuffer(const probe::ProbeCase& c) {
    std::vector<std::uint32_t> buffer(c.picture.size());
    for (std::uint32_t row = 0; row < c.srcHeight; ++row) {
        const std::size_t target = gdi::bufferRowOf(row, c.srcHeight, rowOrder(c.srcOrder));
        std::memcpy(&buffer[target * c.srcWidth], &c.picture[std::size_t(row) * c.srcWidth],
                    std::size_t(c.srcWidth) * 4);
    }
    return buffer;
}

void checkEvaluation(const probe::ProbeCase& c) {
    const probe::ProbeOutcome outcome = probe::evaluateCase(c);
    check(outcome.error.empty(), "a small case evaluates");
    const fuzzcheck::DibitsCall call{c.xDest, c.yDest, c.width,     c.height,
                                     c.xSrc,  c.ySrc,  c.startScan, c.cLines};
    const gdi::DibInfo info(
        gdi::DibFormat::rgb32(LONG(c.srcWidth), LONG(c.srcHeight), rowOrder(c.srcOrder)));
    const std::optional<fuzzcheck::SourceDib> source =
        fuzzcheck::readSourceDib(std::as_bytes(std::span(info.get(), 1)), DIB_RGB_COLORS);
    check(source.has_value(), "a probe source is a DIB SetDIBitsToDevice takes");
    const int expected = c.cLines == 0 ? 0 : fuzzcheck::expectedSetDibitsResult(*source, call);
    check(outcome.result == expected, "probe result");
    const std::vector<std::uint32_t> buffer = sourceBuffer(c);
    const fuzzcheck::Screen before(std::size_t(c.destWidth) * c.destHeight, c.fill);
    fuzzcheck::checkSetDibitsScreen(outcome.destination, before, int(c.destWidth),
                                    fuzzcheck::rgb32Format(), *source, call,
                                    std::as_bytes(std::span(buffer)), expected);
}

void checkLine(std::string_view line) {
    const auto parsed = probe::parseCase(line);
    const auto* probeCase = std::get_if<probe::ProbeCase>(&parsed);
    const bool small =
        probeCase &&
        std::uint64_t(probeCase->destWidth) * probeCase->destHeight <= maxEvaluatedPixels &&
        std::uint64_t(probeCase->srcWidth) * probeCase->srcHeight <= maxEvaluatedPixels;
    if (probeCase && !small) {
        return;
    }
    std::string out;
    const bool ok = probe::processLine(line, probe::OutputStyle::Line, out);
    check(ok == (probeCase || probe::isSkippedLine(line)),
          "a line fails exactly when it does not parse");
    check(out.empty() == probe::isSkippedLine(line), "every case line gives output");
    check(out.empty() || (out.back() == '\n' && out.find('\n') == out.size() - 1),
          "one output line per case");
    if (probeCase && !probe::isSkippedLine(line)) {
        checkEvaluation(*probeCase);
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
