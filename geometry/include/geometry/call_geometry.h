#pragma once

#include "geometry/row_order.h"

#include <cstdint>
#include <optional>

namespace geometry {

enum class SourceEncoding { Uncompressed, RunLength };

// The eight arguments of SetDIBitsToDevice as the call receives them: Width, Height, StartScan
// and cLines are unsigned 32-bit values, so a typed -1 arrives as 4294967295.
struct CallArguments {
    std::int32_t xDest = 0;
    std::int32_t yDest = 0;
    std::uint32_t width = 0;
    std::uint32_t height = 0;
    std::int32_t xSrc = 0;
    std::int32_t ySrc = 0;
    std::uint32_t startScan = 0;
    std::uint32_t cLines = 0;
};

// The source DIB: biWidth, |biHeight| (both at least 1), its row order, how many whole rows the
// bits buffer holds, and whether its pixels are stored uncompressed.
struct SourceDib {
    std::int64_t width = 0;
    std::int64_t height = 0;
    RowOrder order = RowOrder::BottomUp;
    std::int64_t bufferRows = 0;
    SourceEncoding encoding = SourceEncoding::Uncompressed;
};

// The destination surface in device pixels. Its row order never changes what the call does: the
// account uses it only to number rows as the window labels them.
struct Surface {
    std::int64_t width = 0;
    std::int64_t height = 0;
    RowOrder order = RowOrder::BottomUp;
};

struct Call {
    CallArguments arguments;
    SourceDib source;
    Surface destination;
};

// Which rule gave the call's result.
enum class ResultRule {
    NoScanLines,            // cLines 0: the call fails
    TopDownBandTooLong,     // top-down, cLines of 2^31 or more: Windows cannot read the rows
    TopDownBand,            // top-down: the result is cLines, whatever is drawn
    StartBeyondImage,       // bottom-up, StartScan at or beyond the image's height
    WholeBand,              // bottom-up: every band line lies in the image, below the rect's top
    BandCutAtImageTop,      // bottom-up: the band runs past the image's top row
    BandCutAtRectangleTop,  // bottom-up: part of the band lies at or above the rect's top
    BandAboveRectangle,     // bottom-up: the whole band lies at or above the rect's top
    RleTopDown,             // run-length encoded, top-down: Windows refuses the source
    RleNoDecodeArea,        // run-length encoded: the decode area is empty in 32-bit sums
    RleImageHeight,         // run-length encoded: the result is the image's height
};

// Everything the call does, in DIB and device coordinates. Scan line 0 is the bottom row of the
// source in both orientations; destination rows and columns are device pixels, row 0 at the top.
// What follows from the arguments alone is worked out when asked for, so that a small call pays
// only for the part it draws.
struct CallGeometry {
    int result = 0;
    ResultRule rule = ResultRule::NoScanLines;

    // The part of the band that the call reads: inside the image's rows, inside the buffer, and
    // none at all when the call fails or StartScan is at or beyond the image's height.
    Span readableScanLines;
    // The part of the source that is in the rectangle, in the image's columns and readable.
    Span partColumns;
    Span partScanLines;
    // Where the part lands, cut to the surface: the pixels the call writes.
    Span writtenColumns;
    Span writtenRows;

    // What the rest is worked out from: the arguments, the rectangle's size as the call reads
    // it (0 for a Width or Height of 2^31 or more), and the source's height and row order.
    CallArguments arguments;
    std::int64_t width = 0;
    std::int64_t height = 0;
    std::int64_t sourceHeight = 0;
    RowOrder order = RowOrder::BottomUp;

    // The source rectangle: columns XSrc … XSrc + Width − 1 and scan lines YSrc … YSrc + Height
    // − 1; empty when Width or Height is 0 or 2^31 or more.
    Span rectColumns() const { return {arguments.xSrc, arguments.xSrc + width}; }
    Span rectScanLines() const { return {arguments.ySrc, arguments.ySrc + height}; }
    // YSrc + Height with Height read as a signed value: the first scan line above the rectangle,
    // which is where a bottom-up result stops counting.
    std::int64_t rectTop() const { return arguments.ySrc + asSigned(arguments.height); }
    // The band as the arguments give it: StartScan … StartScan + cLines − 1.
    Span bandScanLines() const {
        return {arguments.startScan, std::int64_t(arguments.startScan) + arguments.cLines};
    }
    // The destination rectangle, XDest … XDest + Width − 1 by YDest … YDest + Height − 1.
    Span destColumns() const { return {arguments.xDest, arguments.xDest + width}; }
    Span destRows() const { return {arguments.yDest, arguments.yDest + height}; }
    // Where the part lands on the destination before it is cut to the surface.
    Span landingColumns() const {
        if (partColumns.empty() || partScanLines.empty()) return {};
        return {partColumns.begin + columnShift(), partColumns.end + columnShift()};
    }
    Span landingRows() const {
        if (partColumns.empty() || partScanLines.empty()) return {};
        return {destinationRowOf(partScanLines.last()), destinationRowOf(partScanLines.begin) + 1};
    }

    // The destination row that receives scan line s, and the scan line a destination row shows.
    std::int64_t destinationRowOf(std::int64_t scanLine) const { return yTop() - scanLine; }
    std::int64_t scanLineOf(std::int64_t destinationRow) const { return yTop() - destinationRow; }
    // The row of the bits buffer that holds scan line s: the band's first scan line is buffer
    // row 0 of a bottom-up source, its last one of a top-down source.
    std::int64_t bufferRowOf(std::int64_t scanLine) const {
        return order == RowOrder::BottomUp ? scanLine - arguments.startScan
                                           : bandScanLines().end - 1 - scanLine;
    }
    // The picture row (0 at the top) whose pixels the bits buffer offers as scan line s. The
    // bench hands over the whole picture in its row order, so buffer row r is picture row
    // h − 1 − r of a bottom-up source and row r of a top-down one.
    std::int64_t pictureRowOf(std::int64_t scanLine) const {
        const std::int64_t row = bufferRowOf(scanLine);
        return order == RowOrder::BottomUp ? sourceHeight - 1 - row : row;
    }
    // The picture rows of a run of scan lines, top row first.
    Span pictureRowsOf(Span scanLines) const;
    // The source picture row and column whose pixel a written destination pixel receives.
    std::int64_t sourceRowOf(std::int64_t destinationRow) const {
        return pictureRowOf(scanLineOf(destinationRow));
    }
    std::int64_t sourceColumnOf(std::int64_t destinationColumn) const {
        return destinationColumn - columnShift();
    }
    // Destination column − source column.
    std::int64_t columnShift() const { return std::int64_t(arguments.xDest) - arguments.xSrc; }
    // The destination row of scan line 0.
    std::int64_t yTop() const {
        return std::int64_t(arguments.yDest) + arguments.ySrc + height - 1;
    }
};

// The geometry of one call with an uncompressed source; none for a run-length encoded source,
// whose rules differ and are not described here.
std::optional<CallGeometry> computeGeometry(const Call& call);
// uncompressedGeometry, in geometry/uncompressed_geometry.h, gives the same for a source known to
// be uncompressed, without the optional.

// A run-length encoded source ignores the band: its stream is decoded from scan line 0, column
// 0, over a decode area of XSrc + Width columns by YSrc + Height scan lines, and destination
// (XDest + i, YDest + j) shows column XSrc + i of scan line YSrc + Height − 1 − j, as for an
// uncompressed source. The sums are Windows' 32-bit ones.
struct RleGeometry {
    int result = 0;
    ResultRule rule = ResultRule::NoScanLines;
    Span areaColumns;
    Span areaScanLines;
    // The part of the source rectangle inside the decode area whose pixels reach the surface:
    // the only pixels the stream can draw.
    Span windowColumns;
    Span windowScanLines;

    std::int64_t destinationRowOf(std::int64_t scanLine) const { return yTop - scanLine; }
    std::int64_t destinationColumnOf(std::int64_t column) const { return column + columnShift; }

    std::int64_t yTop = 0;
    std::int64_t columnShift = 0;
};

// The geometry of one call with a run-length encoded source; none for an uncompressed one.
std::optional<RleGeometry> computeRleGeometry(const Call& call);

}  // namespace geometry
