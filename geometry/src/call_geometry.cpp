#include "geometry/call_geometry.h"

#include <algorithm>

namespace geometry {
namespace {

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

std::int64_t CallGeometry::rectTop() const {
    return arguments.ySrc + asSigned(arguments.height);
}

Span CallGeometry::landingColumns() const {
    if (partColumns.empty() || partScanLines.empty()) return {};
    return shifted(partColumns, columnShift());
}

Span CallGeometry::landingRows() const {
    if (partColumns.empty() || partScanLines.empty()) return {};
    return {destinationRowOf(partScanLines.last()), destinationRowOf(partScanLines.begin) + 1};
}

Span CallGeometry::pictureRowsOf(Span scanLines) const {
    if (scanLines.empty()) return {};
    return {pictureRowOf(scanLines.last()), pictureRowOf(scanLines.begin) + 1};
}

std::optional<CallGeometry> computeGeometry(const Call& call) {
    if (call.source.encoding != SourceEncoding::Uncompressed) return std::nullopt;
    return uncompressedGeometry(call);
}

CallGeometry uncompressedGeometry(const Call& call) {
    const CallArguments& a = call.arguments;
    const SourceDib& source = call.source;
    CallGeometry g;
    g.arguments = a;
    g.sourceHeight = source.height;
    g.order = source.order;
    const Result result = resultOf(a, source, g.rectTop());
    g.result = result.value;
    g.rule = result.rule;
    // A size of 2^31 or more is negative to the call: the rectangle is empty.
    const bool sized = a.width < kSignedLimit && a.height < kSignedLimit;
    g.width = sized ? a.width : 0;
    g.height = sized ? a.height : 0;
    g.readableScanLines = readableScanLines(a, source, result);
    g.partColumns = intersect(g.rectColumns(), {0, source.width});
    g.partScanLines = intersect(g.rectScanLines(), g.readableScanLines);
    g.writtenColumns = intersect(g.landingColumns(), {0, call.destination.width});
    g.writtenRows = intersect(g.landingRows(), {0, call.destination.height});
    if (g.writtenColumns.empty() || g.writtenRows.empty()) g.writtenColumns = g.writtenRows = {};
    return g;
}

std::optional<RleGeometry> computeRleGeometry(const Call& call) {
    if (call.source.encoding != SourceEncoding::RunLength) return std::nullopt;
    const CallArguments& a = call.arguments;
    RleGeometry g;
    const std::int64_t areaWidth = std::int64_t(a.xSrc) + a.width;
    const std::int64_t areaHeight = std::int64_t(a.ySrc) + a.height;
    if (a.cLines == 0) return g;
    if (call.source.order == RowOrder::TopDown) {
        g.rule = ResultRule::RleTopDown;
        return g;
    }
    const bool noArea = a.width == 0 || a.height == 0 || a.height >= kSignedLimit ||
                        areaWidth <= 0 || areaWidth >= kSignedLimit || areaHeight <= 0 ||
                        areaHeight >= kSignedLimit;
    if (noArea) {
        g.rule = ResultRule::RleNoDecodeArea;
        return g;
    }
    g.result = int(call.source.height);
    g.rule = ResultRule::RleImageHeight;
    g.areaColumns = {0, areaWidth};
    g.areaScanLines = {0, areaHeight};
    g.yTop = std::int64_t(a.yDest) + areaHeight - 1;
    g.columnShift = std::int64_t(a.xDest) - a.xSrc;
    // A Width of 2^31 or more is negative to the call, which then draws nothing.
    if (a.width >= kSignedLimit) return g;
    const Span onSurfaceColumns{-g.columnShift, call.destination.width - g.columnShift};
    const Span onSurfaceScanLines{g.yTop + 1 - call.destination.height, g.yTop + 1};
    g.windowColumns =
        intersect(intersect({a.xSrc, areaWidth}, g.areaColumns), onSurfaceColumns);
    g.windowScanLines = intersect({a.ySrc, areaHeight}, intersect(g.areaScanLines, onSurfaceScanLines));
    if (g.windowColumns.empty() || g.windowScanLines.empty()) g.windowColumns = g.windowScanLines = {};
    return g;
}

}  // namespace geometry
