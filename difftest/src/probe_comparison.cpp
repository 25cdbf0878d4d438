#include "probe_comparison.h"

#include "format_rules.h"
#include "scan_line_rules.h"

#include <charconv>
#include <cstdio>
#include <vector>

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

std::vector<std::string_view> pixelTokens(std::string_view pixels) {
    std::vector<std::string_view> tokens;
    while (!pixels.empty()) {
        const std::size_t blank = std::min(pixels.find(' '), pixels.size());
        tokens.push_back(pixels.substr(0, blank));
        pixels.remove_prefix(std::min(blank + 1, pixels.size()));
    }
    return tokens;
}

std::string fillText(const ProbeCase& c) {
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%0*x", c.dest->hexDigits(), c.fill);
    return std::string(text, std::size_t(length));
}

std::string pixelAt(std::size_t pixel, std::uint32_t destWidth) {
    return "pixel x " + std::to_string(pixel % destWidth) + " y " +
           std::to_string(pixel / destWidth) + " (top row 0)";
}

std::string describePixelDifference(std::string_view ours, std::string_view windows,
                                    std::uint32_t destWidth) {
    const std::vector<std::string_view> a = pixelTokens(ours);
    const std::vector<std::string_view> b = pixelTokens(windows);
    std::size_t pixel = 0;
    while (pixel < a.size() && pixel < b.size() && a[pixel] == b[pixel]) {
        ++pixel;
    }
    const auto at = [pixel](const std::vector<std::string_view>& tokens) {
        return pixel < tokens.size() ? std::string(tokens[pixel]) : std::string("(none)");
    };
    return pixelAt(pixel, destWidth) + ": ours " + at(a) + ", Windows " + at(b);
}

bool drawsNothing(std::string_view pixels, const ProbeCase& c) {
    const std::string fill = fillText(c);
    for (const std::string_view token : pixelTokens(pixels)) {
        if (token != fill) {
            return false;
        }
    }
    return true;
}

std::string describeResults(std::int64_t ours, std::int64_t windows, const ProbeCase& c) {
    std::string text = "result ours " + std::to_string(ours) + ", Windows (gdi32 under Wine) " +
                       std::to_string(windows) + "; expected Windows' rule " +
                       std::to_string(windowsResult(c));
    if (!c.source->rle()) {
        text += ", Wine's " + std::to_string(wineScanLines(c));
    }
    return text;
}

// With a rectangle edge beyond an int, the pixels may differ only as wrapping explains: a
// "negative" Width or Height draws nothing on ours, and otherwise Wine's wrapped rectangle is the
// empty one. Ours must still give Windows' result.
bool followsUnwrappedRule(const ProbeCase& c, const ProbeLine& ours, const ProbeLine& windows) {
    constexpr std::uint32_t signedLimit = 0x80000000;
    const bool negativeSize = c.width >= signedLimit || c.height >= signedLimit;
    return *ours.result == windowsResult(c) &&
           drawsNothing(negativeSize ? ours.pixels : windows.pixels, c);
}

CaseComparison unreadable(std::string_view ours, std::string_view windows) {
    return {std::nullopt, "unreadable output: ours \"" + std::string(ours.substr(0, 80)) +
                              "\", Windows \"" + std::string(windows.substr(0, 80)) + "\""};
}

// The calls whose results may differ: uncompressed sources where Wine departs from Windows.
CaseComparison compareDifferentLines(const ProbeCase& c, const ProbeLine& a, const ProbeLine& b) {
    if (c.source->rle()) {
        return {std::nullopt, a.pixels != b.pixels
                                  ? describePixelDifference(a.pixels, b.pixels, c.destWidth)
                                  : describeResults(*a.result, *b.result, c)};
    }
    if (windowsRefusesBand(c)) {
        if (*a.result == 0 && drawsNothing(a.pixels, c) && *b.result == wineScanLines(c)) {
            return {CaseAgreement::WindowsRefusesBand, {}};
        }
        return {std::nullopt, "a band of 2^31 rows or more must fail with 0 and draw nothing; " +
                                  describeResults(*a.result, *b.result, c)};
    }
    if (a.pixels != b.pixels) {
        if (edgesOverflowInt(c) && followsUnwrappedRule(c, a, b)) {
            return {CaseAgreement::WrappedRectangle, {}};
        }
        return {std::nullopt, describePixelDifference(a.pixels, b.pixels, c.destWidth)};
    }
    if (drawsNothing(a.pixels, c) && *a.result == windowsResult(c) &&
        *b.result == wineScanLines(c)) {
        return {CaseAgreement::WineDeparture, {}};
    }
    return {std::nullopt, describeResults(*a.result, *b.result, c)};
}

// Ours on a short buffer against Wine on the whole buffer: equal where the pixel's buffer row is
// held, unchanged where it is missing; the result by the Windows rule.
CaseComparison compareShortBuffer(const ProbeCase& c, const ProbeLine& a, const ProbeLine& b) {
    const std::vector<std::string_view> ours = pixelTokens(a.pixels);
    const std::vector<std::string_view> whole = pixelTokens(b.pixels);
    const std::size_t pixels = std::size_t(c.destWidth) * c.destHeight;
    if (ours.size() != pixels || whole.size() != pixels) {
        return {std::nullopt, "pixel count: ours " + std::to_string(ours.size()) + ", Windows " +
                                  std::to_string(whole.size())};
    }
    const std::string fill = fillText(c);
    const std::size_t rowsHeld = c.bits->size() / c.source->stride(c.sourceWidth);
    for (std::size_t p = 0; p < pixels; ++p) {
        const auto row =
            bufferRowFor(c, std::uint32_t(p % c.destWidth), std::uint32_t(p / c.destWidth));
        const bool missing = row && *row >= rowsHeld;
        if (ours[p] != (missing ? std::string_view(fill) : whole[p])) {
            return {std::nullopt,
                    pixelAt(p, c.destWidth) + ": ours " + std::string(ours[p]) + ", expected " +
                        (missing ? fill + " (unchanged: buffer row " + std::to_string(*row) +
                                       " is missing)"
                                 : std::string(whole[p]) + " (Windows with the whole buffer)")};
        }
    }
    if (*a.result != windowsResult(c)) {
        return {std::nullopt, "short buffer: " + describeResults(*a.result, *b.result, c)};
    }
    return {CaseAgreement::ShortBuffer, {}};
}

CaseAgreement departureOf(WineRun run) {
    switch (run) {
        case WineRun::RgbTable:
            return CaseAgreement::PaletteWrap;
        case WineRun::WholeBuffer:
            return CaseAgreement::ShortBuffer;
        case WineRun::StreamWithinBuffer:
            return CaseAgreement::ShortStream;
        case WineRun::SplitLongRuns:
            return CaseAgreement::LongRunSplit;
        case WineRun::CutDecodeArea:
            return CaseAgreement::DecodeAreaCut;
        case WineRun::NotSent:
            return CaseAgreement::DecodeAreaNotSent;
        case WineRun::SameCase:
            break;
    }
    return CaseAgreement::Identical;
}

}  // namespace

CaseComparison compareProbeLines(const ProbeCase& c, std::string_view ours,
                                 std::string_view windows) {
    const ProbeLine a = splitProbeLine(ours);
    const ProbeLine b = splitProbeLine(windows);
    if (!a.result || !b.result) {
        return unreadable(ours, windows);
    }
    if (*a.result != *b.result || a.pixels != b.pixels) {
        return compareDifferentLines(c, a, b);
    }
    if (*a.result != windowsResult(c)) {
        return {std::nullopt, "ours and Windows agree, but not with Windows' rule: " +
                                  describeResults(*a.result, *b.result, c)};
    }
    return {CaseAgreement::Identical, {}};
}

CaseComparison comparePlannedCase(const PlannedCase& planned, std::string_view ours,
                                  std::string_view windows) {
    const ProbeCase& c = planned.ours;
    if (planned.run == WineRun::NotSent) {
        const ProbeLine a = splitProbeLine(ours);
        if (a.result && *a.result == windowsResult(c) && drawsNothing(a.pixels, c)) {
            return {CaseAgreement::DecodeAreaNotSent, {}};
        }
        return {std::nullopt, "not sent to Wine: ours must draw nothing and give " +
                                  std::to_string(windowsResult(c)) + "; ours \"" +
                                  std::string(ours.substr(0, 80)) + "\""};
    }
    if (planned.run == WineRun::WholeBuffer) {
        const ProbeLine a = splitProbeLine(ours);
        const ProbeLine b = splitProbeLine(windows);
        return a.result && b.result ? compareShortBuffer(c, a, b) : unreadable(ours, windows);
    }
    CaseComparison comparison = compareProbeLines(c, ours, windows);
    if (comparison.agreement && planned.run != WineRun::SameCase) {
        comparison.agreement = departureOf(planned.run);
    }
    return comparison;
}

}  // namespace difftest
