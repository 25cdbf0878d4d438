#include "geometry/call_geometry.h"

#include <algorithm>

namespace geometry {
namespace {

constexpr std::int64_t kSignedLimit = std::int64_t(1) << 31;

// A Height of 2^31 or more is a negative 32-bit value where the result is counted.
std::int64_t asSigned(std::uint32_t value) {
    return value >= kSignedLimit ? std::int64_t(value) - 2 * kSignedLimit : std::int64_t(value);
}

struct Result {
    int value;
    ResultRule rule;
};

Result resultOf(const CallArguments& a, const SourceDib& source, std::int64_t rectTop) {
    if (a.cLines == 0) return {0, ResultRule::NoScanLines};
    if (source.order == RowOrder::TopDown) {
        if (a.cLines >= kSignedLimit) return {0, ResultRule::TopDownBandTooLong};
        return {int(a.cLines), ResultRule::TopDownBand};
    }
    const std::int64_t start = a.startScan;
    if (start >= source.height) return {0, ResultRule::StartBeyondImage};
    if (rectTop <= start) return {0, ResultRule::BandAboveRectangle};
    const std::int64_t lines = std::min<std::int64_t>(a.cLines, source.height - start);
    if (rectTop < start + lines) return {int(rectTop - start), ResultRule::BandCutAtRectangleTop};
    const bool cut = lines < std::int64_t(a.cLines);
    return {int(lines), cut ? ResultRule::BandCutAtImageTop : ResultRule::WholeBand};
}

// The scan lines whose rows the call reads: none when it fails or starts beyond the image;
// otherwise the band cut to the image's rows and to the rows the buffer holds.
Span readableScanLines(const CallArguments& a, const SourceDib& source, const Result& result) {
    const std::int64_t start = a.startScan;
    const bool failed =
        result.rule == ResultRule::NoScanLines || result.rule == ResultRule::TopDownBandTooLong;
    if (failed || start >= source.height) return {start, start};
    const std::int64_t lines = a.cLines;
    const std::int64_t bufferRows = std::max<std::int64_t>(source.bufferRows, 0);
    if (source.order == RowOrder::BottomUp) {
        return {start, std::min({start + lines, source.height, start + bufferRows})};
    }
    const std::int64_t end = start + lines;
    return {end - std::min({lines, source.height, bufferRows}), end};
}

Span shifted(Span span, std::int64_t by) {
    return {span.begin + by, span.end + by};
}

}  // namespace

Span intersect(Span a, Span b) {
    return {std::max(a.begin, b.begin), std::min(a.end, b.end)};
}

std::int64_t CallGeometry::destinationRowOf(std::int64_t scanLine) const {
    return yTop - scanLine;
}

std::int64_t CallGeometry::sourceRowOf(std::int64_t destinationRow) const {
    return pictureRowOf(yTop - destinationRow);
}

std::int64_t CallGeometry::sourceColumnOf(std::int64_t destinationColumn) const {
    return destinationColumn - columnShift;
}

std::int64_t CallGeometry::pictureRowOf(std::int64_t scanLine) const {
    return pictureTop - scanLine;
}

Span CallGeometry::pictureRowsOf(Span scanLines) const {
    if (scanLines.empty()) return {};
    return {pictureRowOf(scanLines.last()), pictureRowOf(scanLines.begin) + 1};
}

std::optional<CallGeometry> computeGeometry(const Call& call) {
    if (call.source.encoding != SourceEncoding::Uncompressed) return std::nullopt;
    const CallArguments& a = call.arguments;
    const SourceDib& source = call.source;
    CallGeometry g;
    g.rectTop = a.ySrc + asSigned(a.height);
    const Result result = resultOf(a, source, g.rectTop);
    g.result = result.value;
    g.rule = result.rule;

    // A size of 2^31 or more is negative to the call: the rectangle is empty.
    const bool sized = a.width < kSignedLimit && a.height < kSignedLimit;
    const std::int64_t width = sized ? a.width : 0;
    const std::int64_t height = sized ? a.height : 0;
    g.rectColumns = {a.xSrc, a.xSrc + width};
    g.rectScanLines = {a.ySrc, a.ySrc + height};
    g.destColumns = {a.xDest, a.xDest + width};
    g.destRows = {a.yDest, a.yDest + height};
    g.bandScanLines = {a.startScan, std::int64_t(a.startScan) + a.cLines};
    g.readableScanLines = readableScanLines(a, source, result);

    g.partColumns = intersect(g.rectColumns, {0, source.width});
    g.partScanLines = intersect(g.rectScanLines, g.readableScanLines);
    g.yTop = std::int64_t(a.yDest) + a.ySrc + height - 1;
    g.columnShift = std::int64_t(a.xDest) - a.xSrc;
    g.pictureTop = source.order == RowOrder::BottomUp ? source.height - 1 + a.startScan
                                                      : std::int64_t(a.startScan) + a.cLines - 1;

    if (!g.partColumns.empty() && !g.partScanLines.empty()) {
        g.landingColumns = shifted(g.partColumns, g.columnShift);
        g.landingRows = {g.destinationRowOf(g.partScanLines.last()),
                         g.destinationRowOf(g.partScanLines.begin) + 1};
        g.writtenColumns = intersect(g.landingColumns, {0, call.destination.width});
        g.writtenRows = intersect(g.landingRows, {0, call.destination.height});
    }
    if (g.writtenColumns.empty() || g.writtenRows.empty()) g.writtenColumns = g.writtenRows = {};
    return g;
}

}  // namespace geometry
