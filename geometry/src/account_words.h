#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "geometry/call_geometry.h"

// The words the call's accounts share: numbers, runs of rows, columns and scan lines in each
// numbering the window shows, and the clauses both kinds of source use.
namespace geometry::words {

// Said once a sentence, where scan lines first appear.
inline constexpr const char* kScanLineScheme = " (from 0 at the bottom)";

inline constexpr const char* kNoScanLines = "#Lines is 0, so the call fails and draws nothing.";

std::string number(std::int64_t value);
// An unsigned argument as the call reads it, with the negative number it was typed as.
std::string unsignedArgument(std::uint32_t value);
// "1 row", "8 rows".
std::string counted(std::int64_t count, const char* one, const char* many);
// "scan line 4" or "scan lines 2 to 4".
std::string range(Span span, const char* one, const char* many);
std::string scanLines(Span span);
std::string columns(Span span);
// The parts of a run outside a window, "columns -2 to -1 and 8 to 9"; empty when none is, and
// how many they are.
std::string outsideParts(Span whole, Span window, const char* one, const char* many);
std::int64_t outsideCount(Span whole, Span window);
// Clauses one after the other, separated by "; ".
std::string joined(const std::vector<std::string>& clauses);
// The verb of a subject of `count` things: " lies" or " lie".
std::string lie(std::int64_t count);

// The labels beside the pictures number rows from 1 in memory order: buffer row r is labelled
// r + 1, so 1 is the bottom row of a bottom-up picture and the top row of a top-down one.
Span labelsOfBufferRows(Span bufferRows);
Span labelsOfDeviceRows(Span deviceRows, const Surface& surface);
// "row labelled 4", "rows labelled 2 to 4".
std::string labelledRows(Span labels);

// "source rows labelled 1 to 3, columns 0 to 2, were drawn to destination rows labelled 6 to 8,
// columns 5 to 7": columns only when they move or the source's are not all drawn.
std::string drawnPart(Span sourceLabels, Span sourceColumns, Span destinationLabels,
                      Span destinationColumns, std::int64_t sourceWidth);

// "Width 0 leaves the rectangle empty" and the like; `value` is 0 or 2^31 or more.
std::string emptySize(const char* name, std::uint32_t value);

// The clauses for parts of the rectangle that are not drawn; empty when no part is cut.
std::string columnsOutsideSource(Span rectColumns, std::int64_t sourceWidth);
std::string offSurface(Span destColumns, Span destRows, const Surface& surface);
// "scan lines 8 to 9 lie above the source's top row, scan line 7".
std::string aboveTopRow(Span lines, std::int64_t sourceHeight);

}  // namespace geometry::words
