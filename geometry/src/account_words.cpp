#include "account_words.h"

#include <algorithm>

namespace geometry::words {

std::string number(std::int64_t value) {
    return std::to_string(value);
}

std::string unsignedArgument(std::uint32_t value) {
    if (value < kSignedLimit) return number(value);
    return number(value) + " (" + number(std::int64_t(value) - 2 * kSignedLimit) + ")";
}

std::string counted(std::int64_t count, const char* one, const char* many) {
    return number(count) + " " + (count == 1 ? one : many);
}

std::string range(Span span, const char* one, const char* many) {
    if (span.size() == 1) return std::string(one) + " " + number(span.begin);
    return std::string(many) + " " + number(span.begin) + " to " + number(span.last());
}

std::string scanLines(Span span) {
    return range(span, "scan line", "scan lines");
}

std::string columns(Span span) {
    return range(span, "column", "columns");
}

std::string outsideParts(Span whole, Span window, const char* one, const char* many) {
    std::vector<Span> parts;
    const Span before{whole.begin, std::min(whole.end, window.begin)};
    const Span after{std::max(whole.begin, window.end), whole.end};
    if (!before.empty()) parts.push_back(before);
    if (!after.empty()) parts.push_back(after);
    if (parts.empty()) return {};
    std::string text = outsideCount(whole, window) == 1 ? one : many;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += i == 0 ? " " : " and ";
        text += number(parts[i].begin);
        if (parts[i].size() > 1) text += " to " + number(parts[i].last());
    }
    return text;
}

std::int64_t outsideCount(Span whole, Span window) {
    return whole.size() - intersect(whole, window).size();
}

std::string joined(const std::vector<std::string>& clauses) {
    std::string text;
    for (const std::string& clause : clauses) text += (text.empty() ? "" : "; ") + clause;
    return text;
}

std::string lie(std::int64_t count) {
    return count == 1 ? " lies" : " lie";
}

Span labelsOfBufferRows(Span bufferRows) {
    return {bufferRows.begin + 1, bufferRows.end + 1};
}

Span labelsOfDeviceRows(Span deviceRows, const Surface& surface) {
    if (surface.order == RowOrder::TopDown) return labelsOfBufferRows(deviceRows);
    return {surface.height - deviceRows.last(), surface.height - deviceRows.begin + 1};
}

std::string labelledRows(Span labels) {
    if (labels.size() == 1) return "row labelled " + number(labels.begin);
    return "rows labelled " + number(labels.begin) + " to " + number(labels.last());
}

std::string drawnPart(Span sourceLabels, Span sourceColumns, Span destinationLabels,
                      Span destinationColumns, std::int64_t sourceWidth) {
    const bool showColumns =
        destinationColumns.begin != sourceColumns.begin || !(sourceColumns == Span{0, sourceWidth});
    std::string text = "source " + labelledRows(sourceLabels);
    if (showColumns) text += ", " + columns(sourceColumns) + ",";
    text += sourceLabels.size() == 1 ? " was" : " were";
    text += " drawn to destination " + labelledRows(destinationLabels);
    if (showColumns) text += ", " + columns(destinationColumns);
    return text;
}

std::string emptySize(const char* name, std::uint32_t value) {
    if (value == 0) return std::string(name) + " 0 leaves the rectangle empty";
    return std::string(name) + " " + unsignedArgument(value) +
           " is a negative size, so the rectangle is empty";
}

std::string columnsOutsideSource(Span rectColumns, std::int64_t sourceWidth) {
    const Span source{0, sourceWidth};
    const std::string parts = outsideParts(rectColumns, source, "column", "columns");
    if (parts.empty()) return {};
    return "the rectangle's " + parts + lie(outsideCount(rectColumns, source)) +
           " outside the source's " + columns(source);
}

std::string offSurface(Span destColumns, Span destRows, const Surface& surface) {
    const Span surfaceColumns{0, surface.width};
    const Span surfaceRows{0, surface.height};
    const std::string rows = outsideParts(destRows, surfaceRows, "device row", "device rows");
    const std::string columns = outsideParts(destColumns, surfaceColumns, "column", "columns");
    if (rows.empty() && columns.empty()) return {};
    std::string text = "the destination rectangle's ";
    if (!rows.empty()) text += rows + " (from 0 at the top)";
    if (!rows.empty() && !columns.empty()) text += " and ";
    text += columns;
    const bool one =
        outsideCount(destRows, surfaceRows) + outsideCount(destColumns, surfaceColumns) == 1;
    return text + (one ? " falls" : " fall") + " off the " + number(surface.width) + " x " +
           number(surface.height) + " destination";
}

std::string aboveTopRow(Span lines, std::int64_t sourceHeight) {
    return scanLines(lines) + lie(lines.size()) + " above the source's top row, scan line " +
           number(sourceHeight - 1);
}

}  // namespace geometry::words
