#include "geometry/call_account.h"

#include <algorithm>
#include <vector>

namespace geometry {
namespace {

std::string number(std::int64_t value) {
    return std::to_string(value);
}

// An unsigned argument as the call reads it, with the negative number it was typed as.
std::string unsignedArgument(std::uint32_t value) {
    if (value < kSignedLimit) return number(value);
    return number(value) + " (" + number(std::int64_t(value) - 2 * kSignedLimit) + ")";
}

std::string counted(std::int64_t count, const char* one, const char* many) {
    return number(count) + " " + (count == 1 ? one : many);
}

// "scan line 4" or "scan lines 2 to 4".
std::string range(Span span, const char* one, const char* many) {
    if (span.size() == 1) return std::string(one) + " " + number(span.begin);
    return std::string(many) + " " + number(span.begin) + " to " + number(span.last());
}

std::string scanLines(Span span) {
    return range(span, "scan line", "scan lines");
}

// Two pieces of a run outside a window: "-2 to -1 and 8 to 9".
std::string outsideParts(Span whole, Span window, const char* one, const char* many) {
    std::vector<Span> parts;
    const Span before{whole.begin, std::min(whole.end, window.begin)};
    const Span after{std::max(whole.begin, window.end), whole.end};
    if (!before.empty()) parts.push_back(before);
    if (!after.empty()) parts.push_back(after);
    const bool single = parts.size() == 1 && parts.front().size() == 1;
    std::string text = single ? one : many;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        text += i == 0 ? " " : " and ";
        text += number(parts[i].begin);
        if (parts[i].size() > 1) text += " to " + number(parts[i].last());
    }
    return parts.empty() ? std::string() : text;
}

class Account {
public:
    Account(const Call& call, const CallGeometry& geometry)
        : m_a(call.arguments), m_source(call.source), m_surface(call.destination), m_g(geometry) {}

    std::string sentence() const {
        std::string text = "Ret = " + number(m_g.result) + ": ";
        if (m_g.rule == ResultRule::NoScanLines) {
            return text + "#Lines is 0, so the call fails and draws nothing.";
        }
        text += std::string(topDown() ? "top-down" : "bottom-up") + " source of " +
                counted(m_source.height, "row", "rows");
        switch (m_g.rule) {
            case ResultRule::TopDownBandTooLong:
                return text + "; #Lines " + unsignedArgument(m_a.cLines) +
                       " asks for 2^31 rows or more, which Windows cannot read, so the call "
                       "fails and draws nothing.";
            case ResultRule::StartBeyondImage:
                return text + "; Start " + number(m_a.startScan) + " is at or beyond its " +
                       counted(m_source.height, "scan line", "scan lines") +
                       ", so nothing is drawn and the result is 0.";
            case ResultRule::BandAboveRectangle:
                return text + "; " + bottomUpBand() + ", all at or above " + rectangleTop() +
                       ", so none counts and nothing is drawn.";
            case ResultRule::TopDownBand:
                text += ", which returns #Lines whatever is drawn; the band holds " +
                        scanLines(m_g.bandScanLines());
                break;
            case ResultRule::BandCutAtRectangleTop:
                text += "; " + bottomUpBand() + "; only " + countedBelowRectangleTop();
                break;
            default:  // the whole band counts, or all of it that lies in the source
                text += "; " + bottomUpBand() + (m_g.result == 1 ? ", below " : ", all below ") +
                        rectangleTop() + ", so " +
                        (m_g.result == 1 ? "it counts" : "all " + number(m_g.result) + " count");
                break;
        }
        return text + "; " + drawing() + ".";
    }

private:
    bool topDown() const { return m_source.order == RowOrder::TopDown; }

    std::string rectangleTop() const {
        return "the top of the source rectangle (YSrc + Height = " + number(m_g.rectTop()) + ")";
    }

    std::string bottomUpBand() const {
        const Span inImage = intersect(m_g.bandScanLines(), {0, m_source.height});
        if (inImage == m_g.bandScanLines()) return "the band holds " + scanLines(inImage);
        return "the band of " + unsignedArgument(m_a.cLines) + " lines from Start " +
               number(m_a.startScan) + " is cut at the source's top to " + scanLines(inImage);
    }

    std::string countedBelowRectangleTop() const {
        const bool one = m_g.result == 1;
        return scanLines({m_a.startScan, m_g.rectTop()}) + (one ? " lies" : " lie") + " below " +
               rectangleTop() + ", so " + number(m_g.result) + (one ? " counts" : " count");
    }

    std::string drawing() const {
        if (m_g.writtenRows.empty()) return "nothing is drawn: " + blocker();
        std::string text = drawn();
        for (const std::string& cut : cuts()) text += "; " + cut;
        return text;
    }

    // Which source rows and columns went to which destination rows and columns.
    std::string drawn() const {
        const Span rows = m_g.writtenRows;
        const Span sourceRows{m_g.sourceRowOf(rows.begin), m_g.sourceRowOf(rows.end)};
        const Span columns = m_g.writtenColumns;
        const Span sourceColumns{m_g.sourceColumnOf(columns.begin),
                                 m_g.sourceColumnOf(columns.end)};
        const bool showColumns =
            m_g.columnShift() != 0 || !(sourceColumns == Span{0, m_source.width});
        std::string text = "source " + range(sourceRows, "row", "rows");
        if (showColumns) text += ", " + range(sourceColumns, "column", "columns") + ",";
        text += rows.size() == 1 ? " was" : " were";
        text += " drawn to destination " + range(rows, "row", "rows");
        if (showColumns) text += ", " + range(columns, "column", "columns");
        return text;
    }

    // Why a call that counts lines still draws nothing, in the order the call meets them.
    std::string blocker() const {
        if (m_a.startScan >= m_source.height) {
            return "Start " + number(m_a.startScan) + " is at or beyond the source's " +
                   counted(m_source.height, "scan line", "scan lines");
        }
        if (m_a.width >= kSignedLimit || m_a.width == 0) return emptySize("Width", m_a.width);
        if (m_a.height >= kSignedLimit || m_a.height == 0) return emptySize("Height", m_a.height);
        if (m_g.partColumns.empty()) {
            return "the rectangle's " + range(m_g.rectColumns(), "column", "columns") +
                   " lie outside the source's " + range({0, m_source.width}, "column", "columns");
        }
        if (m_g.readableScanLines.empty()) return "the buffer holds no rows";
        if (m_g.partScanLines.empty()) {
            return "the rectangle's " + scanLines(m_g.rectScanLines()) +
                   " miss the band's readable " + scanLines(m_g.readableScanLines);
        }
        return "it would land at destination " + range(m_g.landingRows(), "row", "rows") + ", " +
               range(m_g.landingColumns(), "column", "columns") + ", off the " + surfaceSize() +
               " destination";
    }

    static std::string emptySize(const char* name, std::uint32_t value) {
        if (value == 0) return std::string(name) + " 0 leaves the rectangle empty";
        return std::string(name) + " " + unsignedArgument(value) +
               " is a negative size, so the rectangle is empty";
    }

    std::string surfaceSize() const {
        return number(m_surface.width) + " x " + number(m_surface.height);
    }

    // What kept the rest of the rectangle from being drawn.
    std::vector<std::string> cuts() const {
        std::vector<std::string> found;
        const std::string columns =
            outsideParts(m_g.rectColumns(), {0, m_source.width}, "column", "columns");
        if (!columns.empty()) {
            found.push_back("the rectangle's " + columns + " lie outside the source's " +
                            range({0, m_source.width}, "column", "columns"));
        }
        const std::string scanLineCut = scanLinesCut();
        if (!scanLineCut.empty()) found.push_back(scanLineCut);
        const std::string rowsOff =
            outsideParts(m_g.landingRows(), {0, m_surface.height}, "row", "rows");
        const std::string columnsOff =
            outsideParts(m_g.landingColumns(), {0, m_surface.width}, "column", "columns");
        if (!rowsOff.empty() || !columnsOff.empty()) {
            const std::string both = !rowsOff.empty() && !columnsOff.empty() ? " and " : "";
            found.push_back("destination " + rowsOff + both + columnsOff + " fall off the " +
                            surfaceSize() + " destination");
        }
        return found;
    }

    // The buffer rows that would hold a run of scan lines.
    Span bufferRowsOf(Span span) const {
        if (!topDown()) return {span.begin - m_a.startScan, span.end - m_a.startScan};
        const std::int64_t top = std::int64_t(m_a.startScan) + m_a.cLines - 1;
        return {top - span.last(), top - span.begin + 1};
    }

    // What ends the readable part of the band below and above: the band itself, the image's
    // rows or the buffer's rows.
    enum class Limit { Band, Image, Buffer };

    // A top-down band reads only its first buffer rows: as many as the image and buffer have.
    Limit lowerLimit() const {
        const std::int64_t lines = m_a.cLines;
        if (!topDown() || lines <= std::min(m_source.height, m_source.bufferRows)) {
            return Limit::Band;
        }
        return m_source.height <= m_source.bufferRows ? Limit::Image : Limit::Buffer;
    }

    Limit upperLimit() const {
        const std::int64_t bandEnd = m_g.bandScanLines().end;
        const std::int64_t bufferEnd = std::int64_t(m_a.startScan) + m_source.bufferRows;
        if (topDown() || bandEnd <= std::min(m_source.height, bufferEnd)) return Limit::Band;
        return m_source.height <= bufferEnd ? Limit::Image : Limit::Buffer;
    }

    std::string scanLinesCut() const {
        const Span readable = m_g.readableScanLines;
        const Span rect = m_g.rectScanLines();
        const Span below{rect.begin, std::min(rect.end, readable.begin)};
        const Span above{std::max(rect.begin, readable.end), rect.end};
        if (below.empty() && above.empty()) return {};
        const Limit lower = lowerLimit();
        const Limit upper = upperLimit();
        if ((below.empty() || lower == Limit::Band) && (above.empty() || upper == Limit::Band)) {
            const std::string parts = outsideParts(rect, readable, "scan line", "scan lines");
            return "the rectangle's " + parts + verb(below.size() + above.size()) +
                   " outside the band";
        }
        std::string text;
        if (!below.empty()) text = "the rectangle's " + scanLines(below) + why(below, lower);
        if (!below.empty() && !above.empty()) text += ", and its ";
        if (!above.empty()) {
            text +=
                (below.empty() ? "the rectangle's " : "") + scanLines(above) + why(above, upper);
        }
        return text;
    }

    static std::string verb(std::int64_t count) { return count == 1 ? " lies" : " lie"; }

    std::string why(Span lines, Limit limit) const {
        const bool below = lines.end <= m_g.readableScanLines.begin;
        switch (limit) {
            case Limit::Band:
                return verb(lines.size()) + (below ? " below" : " above") + " the band";
            case Limit::Image:
                if (!below) {
                    return verb(lines.size()) + " above the source's top row, scan line " +
                           number(m_source.height - 1);
                }
                return " would come from buffer " + range(bufferRowsOf(lines), "row", "rows") +
                       ", beyond the source's " + counted(m_source.height, "row", "rows");
            case Limit::Buffer:
                break;
        }
        return " would come from buffer " + range(bufferRowsOf(lines), "row", "rows") +
               ", which the buffer does not hold";
    }

    const CallArguments& m_a;
    const SourceDib& m_source;
    const Surface& m_surface;
    const CallGeometry& m_g;
};

}  // namespace

std::string explainCall(const Call& call) {
    const std::optional<CallGeometry> geometry = computeGeometry(call);
    if (!geometry) {
        return "A run-length encoded source follows its own rules, which this account does not "
               "describe.";
    }
    return Account(call, *geometry).sentence();
}

}  // namespace geometry
