#pragma once

#include "gdi/dib_format.h"

#include <cstdint>
#include <optional>

namespace geometry {

// A run of whole numbers begin … end − 1; empty when end ≤ begin. Every coordinate is 64-bit so
// that sums of 32-bit arguments never wrap.
struct Span {
    std::int64_t begin = 0;
    std::int64_t end = 0;

    bool empty() const { return end <= begin; }
    std::int64_t size() const { return empty() ? 0 : end - begin; }
    std::int64_t last() const { return end - 1; }
    bool contains(std::int64_t value) const { return value >= begin && value < end; }
    bool operator==(const Span&) const = default;
};

Span intersect(Span a, Span b);

using gdi::RowOrder;
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

// The destination surface in device pixels (its own row order never matters).
struct Surface {
    std::int64_t width = 0;
    std::int64_t height = 0;
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
};

// Everything the call does, in DIB and device coordinates. Scan line 0 is the bottom row of the
// source in both orientations; destination rows and columns are device pixels, row 0 at the top.
struct CallGeometry {
    int result = 0;
    ResultRule rule = ResultRule::NoScanLines;

    // The source rectangle: columns XSrc … XSrc + Width − 1 and scan lines YSrc … YSrc + Height
    // − 1; empty when Width or Height is 0 or 2^31 or more.
    Span rectColumns;
    Span rectScanLines;
    // YSrc + Height with Height read as a signed value: the first scan line above the rectangle,
    // which is where a bottom-up result stops counting.
    std::int64_t rectTop = 0;
    // The band as the arguments give it (StartScan … StartScan + cLines − 1) and the part of it
    // that the call reads: inside the image's rows, inside the buffer, and none at all when the
    // call fails or StartScan is at or beyond the image's height.
    Span bandScanLines;
    Span readableScanLines;
    // The part of the source that is in the rectangle, in the image's columns and readable.
    Span partColumns;
    Span partScanLines;
    // The destination rectangle, XDest … XDest + Width − 1 by YDest … YDest + Height − 1.
    Span destColumns;
    Span destRows;
    // Where the part lands: unclipped, and cut to the surface (the pixels the call writes).
    Span landingColumns;
    Span landingRows;
    Span writtenColumns;
    Span writtenRows;

    // The destination row that receives scan line s.
    std::int64_t destinationRowOf(std::int64_t scanLine) const;
    // The picture row (0 at the top) whose pixels the bits buffer offers as scan line s. The
    // bench hands over the whole picture in its row order, so buffer row r is picture row
    // h − 1 − r of a bottom-up source and row r of a top-down one.
    std::int64_t pictureRowOf(std::int64_t scanLine) const;
    // The picture rows of a run of scan lines, top row first.
    Span pictureRowsOf(Span scanLines) const;
    // The source picture row and column whose pixel a written destination pixel receives.
    std::int64_t sourceRowOf(std::int64_t destinationRow) const;
    std::int64_t sourceColumnOf(std::int64_t destinationColumn) const;

    std::int64_t yTop = 0;         // the destination row of scan line 0
    std::int64_t pictureTop = 0;   // the picture row of scan line 0
    std::int64_t columnShift = 0;  // destination column − source column
};

// The geometry of one call with an uncompressed source; none for a run-length encoded source,
// whose rules differ and are not described here.
std::optional<CallGeometry> computeGeometry(const Call& call);

}  // namespace geometry
