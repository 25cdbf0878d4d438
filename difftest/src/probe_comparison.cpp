#include "probe_comparison.h"

#include "scan_line_rules.h"

#include <charconv>
#include <cstdio>

namespace difftest {

namespace {

struct ProbeLine {
    std::optional<std::int64_t> result;
    std::string_view pixels;
};

ProbeLine splitProbeLine(std::string_view line) {
    if (!line.empty() && line.back() == '\r') {
        line.remove_suffix(1);
    }
    const std::size_t blank = std::min(line.find(' '), line.size());
    std::int64_t result = 0;
    const auto [end, error] = std::from_chars(line.data(), line.data() + blank, result);
    if (error != std::errc{} || end != line.data() + blank) {
        return {std::nullopt, line};
    }
    return {result, line.substr(std::min(blank + 1, line.size()))};
}

std::string describePixelDifference(std::string_view ours, std::string_view windows,
                                    std::uint32_t destWidth) {
    std::size_t at = 0;
    while (at < ours.size() && at < windows.size() && ours[at] == windows[at]) {
        ++at;
    }
    const std::size_t pixel = at / 9;
    const std::size_t start = pixel * 9;
    return "pixel x " + std::to_string(pixel % destWidth) + " y " +
           std::to_string(pixel / destWidth) + " (top row 0): ours " +
           std::string(ours.substr(start, 8)) + ", Windows " +
           std::string(windows.substr(start, 8));
}

bool drawsNothing(std::string_view pixels, std::uint32_t fill) {
    char fillText[9];
    std::snprintf(fillText, sizeof fillText, "%08x", fill);
    for (std::size_t at = 0; at < pixels.size(); at += 9) {
        if (pixels.substr(at, 8) != fillText) {
            return false;
        }
    }
    return true;
}

std::string describeResults(std::int64_t ours, std::int64_t windows, const ProbeCase& c) {
    return "result ours " + std::to_string(ours) + ", Windows (gdi32 under Wine) " +
           std::to_string(windows) + "; expected Windows' rule " +
           std::to_string(windowsScanLines(c)) + ", Wine's " + std::to_string(wineScanLines(c));
}

// With a rectangle edge beyond an int, the pixels may differ only as wrapping explains: a
// "negative" Width or Height draws nothing on ours, and otherwise Wine's wrapped rectangle is the
// empty one. Ours must still give Windows' result.
bool followsUnwrappedRule(const ProbeCase& c, const ProbeLine& ours, const ProbeLine& windows) {
    constexpr std::uint32_t signedLimit = 0x80000000;
    const bool negativeSize = c.width >= signedLimit || c.height >= signedLimit;
    return *ours.result == windowsScanLines(c) &&
           drawsNothing(negativeSize ? ours.pixels : windows.pixels, c.fill);
}

}  // namespace

CaseComparison compareProbeLines(const ProbeCase& probeCase, std::string_view ours,
                                 std::string_view windows) {
    const ProbeLine a = splitProbeLine(ours);
    const ProbeLine b = splitProbeLine(windows);
    if (!a.result || !b.result) {
        return {std::nullopt, "unreadable output: ours \"" + std::string(ours.substr(0, 80)) +
                                  "\", Windows \"" + std::string(windows.substr(0, 80)) + "\""};
    }
    if (*a.result == *b.result && a.pixels == b.pixels) {
        return {CaseAgreement::Identical, {}};
    }
    if (windowsRefusesBand(probeCase)) {
        if (*a.result == 0 && drawsNothing(a.pixels, probeCase.fill) &&
            *b.result == wineScanLines(probeCase)) {
            return {CaseAgreement::WindowsRefusesBand, {}};
        }
        return {std::nullopt, "a band of 2^31 rows or more must fail with 0 and draw nothing; " +
                                  describeResults(*a.result, *b.result, probeCase)};
    }
    if (a.pixels != b.pixels) {
        if (edgesOverflowInt(probeCase) && followsUnwrappedRule(probeCase, a, b)) {
            return {CaseAgreement::WrappedRectangle, {}};
        }
        return {std::nullopt, describePixelDifference(a.pixels, b.pixels, probeCase.destWidth)};
    }
    const bool documented = drawsNothing(a.pixels, probeCase.fill) &&
                            *a.result == windowsScanLines(probeCase) &&
                            *b.result == wineScanLines(probeCase);
    if (documented) {
        return {CaseAgreement::WineDeparture, {}};
    }
    return {std::nullopt, describeResults(*a.result, *b.result, probeCase)};
}

void ProbeTally::add(std::optional<CaseAgreement> agreement) {
    ++compared;
    if (agreement == CaseAgreement::Identical) {
        ++identical;
    } else if (agreement == CaseAgreement::WineDeparture) {
        ++wineDepartures;
    } else if (agreement == CaseAgreement::WindowsRefusesBand) {
        ++refusedBands;
    } else if (agreement == CaseAgreement::WrappedRectangle) {
        ++wrappedRectangles;
    }
}

std::string ProbeTally::summary() const {
    const std::uint64_t matched = identical + wineDepartures + refusedBands + wrappedRectangles;
    return std::to_string(compared) + " cases compared, " + std::to_string(matched) +
           " matched:\n  " + std::to_string(identical) + " with identical result and pixels\n  " +
           std::to_string(wineDepartures) +
           " where Wine departs from Windows in a call that draws nothing: same pixels, our "
           "result follows Windows\n  " +
           std::to_string(refusedBands) +
           " top-down calls with cLines >= 2^31 that ours fails as Windows does (0, nothing "
           "drawn) while Wine draws\n  " +
           std::to_string(wrappedRectangles) +
           " with a rectangle edge beyond an int, where Wine's wrapped sums draw otherwise";
}

}  // namespace difftest
