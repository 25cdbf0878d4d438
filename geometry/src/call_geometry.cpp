#include "geometry/uncompressed_geometry.h"

#include <algorithm>

namespace geometry {

Span CallGeometry::pictureRowsOf(Span scanLines) const {
    if (scanLines.empty()) return {};
    return {pictureRowOf(scanLines.last()), pictureRowOf(scanLines.begin) + 1};
}

std::optional<CallGeometry> computeGeometry(const Call& call) {
    if (call.source.encoding != SourceEncoding::Uncompressed) return std::nullopt;
    return uncompressedGeometry(call);
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
    g.windowColumns = intersect(intersect({a.xSrc, areaWidth}, g.areaColumns), onSurfaceColumns);
    g.windowScanLines =
        intersect({a.ySrc, areaHeight}, intersect(g.areaScanLines, onSurfaceScanLines));
    if (g.windowColumns.empty() || g.windowScanLines.empty())
        g.windowColumns = g.windowScanLines = {};
    return g;
}

}  // namespace geometry
