#include "geometry/call_account.h"

#include <algorithm>
#include <vector>

#include "account_words.h"
#include "geometry/uncompressed_geometry.h"
#include "rle_account.h"

namespace geometry {
namespace {

using namespace words;

class Account {
public:
    Account(const Call& call, const CallGeometry& geometry)
        : m_a(call.arguments), m_source(call.source), m_surface(call.destination), m_g(geometry) {}

    std::string sentence() const {
        std::string text = "Ret = " + number(m_g.result) + ": ";
        if (m_g.rule == ResultRule::NoScanLines) return text + kNoScanLines;
        text += std::string(topDown() ? "top-down" : "bottom-up") + " source of " +
                counted(m_source.height, "row", "rows");
        switch (m_g.rule) {
            case ResultRule::TopDownBandTooLong:
                return text + "; #Lines " + unsignedArgument(m_a.cLines) +
                       " asks for 2^31 rows or more, which Windows cannot read, so the call "
                       "fails and draws nothing.";
            case ResultRule::StartBeyondImage:
                return text + "; Start " + number(m_a.startScan) + " is at or beyond its " +
                       counted(m_source.height, "scan line", "scan lines") + kScanLineScheme +
                       ", so nothing is drawn and the result is 0.";
            case ResultRule::BandAboveRectangle:
                return text + "; " + bottomUpBand() +
                       (bandInImage().size() == 1 ? ", " : ", all ") + "at or above " +
                       rectangleTop() + ", so none counts and nothing is drawn.";
            case ResultRule::TopDownBand:
                text += ", which returns #Lines whatever is drawn; the band holds " +
                        scanLines(m_g.bandScanLines()) + kScanLineScheme;
                break;
            case ResultRule::BandCutAtRectangleTop:
                text += "; " + bottomUpBand() + "; only " + countedBelowRectangleTop();
                break;
            default:  // the whole band counts, or all of it that lies in the source
                text += "; " + bottomUpBand() + (m_g.result == 1 ? ", below " : ", all below ") +
                        rectangleTop() + ", so " + allCount();
                break;
        }
        return text + "; " + drawing() + ".";
    }

private:
    bool topDown() const { return m_source.order == RowOrder::TopDown; }

    std::string rectangleTop() const {
        return "the top of the source rectangle (YSrc + Height = " + number(m_g.rectTop()) + ")";
    }

    std::string allCount() const {
        if (m_g.result == 1) return "it counts";
        if (m_g.result == 2) return "both count";
        return "all " + number(m_g.result) + " count";
    }

    Span bandInImage() const { return intersect(m_g.bandScanLines(), {0, m_source.height}); }

    std::string bottomUpBand() const {
        const Span inImage = bandInImage();
        if (inImage == m_g.bandScanLines()) {
            return "the band holds " + scanLines(inImage) + kScanLineScheme;
        }
        return "the band of " + unsignedArgument(m_a.cLines) + " lines from Start " +
               number(m_a.startScan) + " is cut at the source's top to " + scanLines(inImage) +
               kScanLineScheme;
    }

    std::string countedBelowRectangleTop() const {
        const bool one = m_g.result == 1;
        return scanLines({m_a.startScan, m_g.rectTop()}) + lie(m_g.result) + " below " +
               rectangleTop() + ", so " + number(m_g.result) + (one ? " counts" : " count");
    }

    std::string drawing() const {
        if (m_g.writtenRows.empty()) {
            const std::string reason = blocker();
            return "nothing is drawn: " + (reason.empty() ? joined(cuts()) : reason);
        }
        std::vector<std::string> clauses{drawn()};
        for (std::string& cut : cuts()) clauses.push_back(std::move(cut));
        return joined(clauses);
    }

    std::string drawn() const {
        const Span rows = m_g.writtenRows;
        const Span lines{m_g.scanLineOf(rows.last()), m_g.scanLineOf(rows.begin) + 1};
        const Span columns = m_g.writtenColumns;
        return drawnPart(labelsOfBufferRows(bufferRowsOf(lines)),
                         {m_g.sourceColumnOf(columns.begin), m_g.sourceColumnOf(columns.end)},
                         labelsOfDeviceRows(rows, m_surface), columns, m_source.width);
    }

    // Why a call that counts lines draws nothing, when one reason covers the whole rectangle;
    // empty when the cuts say it.
    std::string blocker() const {
        if (m_a.startScan >= m_source.height) {
            return "Start " + number(m_a.startScan) + " is at or beyond the source's " +
                   counted(m_source.height, "scan line", "scan lines");
        }
        if (m_a.width >= kSignedLimit || m_a.width == 0) return emptySize("Width", m_a.width);
        if (m_a.height >= kSignedLimit || m_a.height == 0) return emptySize("Height", m_a.height);
        if (m_g.readableScanLines.empty()) return "the buffer holds no rows";
        return {};
    }

    // Every cause that keeps part of the rectangle from being drawn.
    std::vector<std::string> cuts() const {
        std::vector<std::string> found;
        for (std::string cut :
             {columnsOutsideSource(m_g.rectColumns(), m_source.width), scanLinesCut(),
              offSurface(m_g.destColumns(), m_g.destRows(), m_surface)}) {
            if (!cut.empty()) found.push_back(std::move(cut));
        }
        return found;
    }

    // The buffer rows that would hold a run of scan lines.
    Span bufferRowsOf(Span lines) const {
        const std::int64_t first = m_g.bufferRowOf(lines.begin);
        const std::int64_t last = m_g.bufferRowOf(lines.last());
        return {std::min(first, last), std::max(first, last) + 1};
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
            return "the rectangle's " + outsideParts(rect, readable, "scan line", "scan lines") +
                   lie(outsideCount(rect, readable)) + " outside the band";
        }
        std::string text;
        if (!below.empty()) text = "the rectangle's " + why(below, lower);
        if (!below.empty() && !above.empty()) text += ", and its ";
        if (!above.empty()) text += (below.empty() ? "the rectangle's " : "") + why(above, upper);
        return text;
    }

    std::string why(Span lines, Limit limit) const {
        const bool below = lines.end <= m_g.readableScanLines.begin;
        const std::string from = scanLines(lines) + " would come from buffer " +
                                 labelledRows(labelsOfBufferRows(bufferRowsOf(lines)));
        switch (limit) {
            case Limit::Band:
                return scanLines(lines) + lie(lines.size()) + (below ? " below" : " above") +
                       " the band";
            case Limit::Image:
                if (!below) return aboveTopRow(lines, m_source.height);
                return from + ", beyond the source's " + counted(m_source.height, "row", "rows");
            case Limit::Buffer:
                break;
        }
        return from + ", which the buffer does not hold";
    }

    const CallArguments& m_a;
    const SourceDib& m_source;
    const Surface& m_surface;
    const CallGeometry& m_g;
};

}  // namespace

std::string explainCall(const Call& call) {
    if (const std::optional<RleGeometry> rle = computeRleGeometry(call)) {
        return explainRleCall(call, *rle);
    }
    return Account(call, uncompressedGeometry(call)).sentence();
}

}  // namespace geometry
