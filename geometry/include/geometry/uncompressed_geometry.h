#pragma once

#include "geometry/call_geometry.h"

#include <algorithm>

namespace geometry {

namespace detail {

struct Result {
    int value;
    ResultRule rule;
};

inline Result resultOf(const CallArguments& a, const SourceDib& source, std::int64_t rectTop) {
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
inline Span readableScanLines(const CallArguments& a, const SourceDib& source,
                              const Result& result) {
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

}  // namespace detail

// The geometry of one call whose source is known to be uncompressed, without computeGeometry's
// optional. It lives in a header so that the GDI layer's drawing inlines it: passing the whole
// geometry through memory costs a small call a fifth of its time.
inline CallGeometry uncompressedGeometry(const Call& call) {
    const CallArguments& a = call.arguments;
    const SourceDib& source = call.source;
    CallGeometry g;
    g.arguments = a;
    g.sourceHeight = source.height;
    g.order = source.order;
    const detail::Result result = detail::resultOf(a, source, g.rectTop());
    g.result = result.value;
    g.rule = result.rule;
    // A size of 2^31 or more is negative to the call: the rectangle is empty.
    const bool sized = a.width < kSignedLimit && a.height < kSignedLimit;
    g.width = sized ? a.width : 0;
    g.height = sized ? a.height : 0;
    g.readableScanLines = detail::readableScanLines(a, source, result);
    g.partColumns = intersect(g.rectColumns(), {0, source.width});
    g.partScanLines = intersect(g.rectScanLines(), g.readableScanLines);
    g.writtenColumns = intersect(g.landingColumns(), {0, call.destination.width});
    g.writtenRows = intersect(g.landingRows(), {0, call.destination.height});
    if (g.writtenColumns.empty() || g.writtenRows.empty()) g.writtenColumns = g.writtenRows = {};
    return g;
}

}  // namespace geometry
