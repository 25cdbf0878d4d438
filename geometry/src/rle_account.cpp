#include "rle_account.h"

#include <algorithm>
#include <vector>

#include "account_words.h"

namespace geometry {
namespace {

using namespace words;

class RleAccount {
public:
    RleAccount(const Call& call, const RleGeometry& geometry)
        : m_a(call.arguments), m_source(call.source), m_surface(call.destination), m_g(geometry) {}

    std::string sentence() const {
        const std::string text = "Ret = " + number(m_g.result) + ": ";
        switch (m_g.rule) {
            case ResultRule::NoScanLines:
                return text + kNoScanLines;
            case ResultRule::RleTopDown:
                return text + "top-down run-length encoded source of " + rows() +
                       ", which Windows refuses, so nothing is drawn.";
            case ResultRule::RleNoDecodeArea:
                return text + source() + "; " + noDecodeArea() +
                       ", so the call returns 0 and draws nothing, as Wine does.";
            default:  // the result is the image's height
                break;
        }
        return text + source() +
               ", which returns its height whatever Start and #Lines are; the stream is decoded "
               "over " +
               columns(m_g.areaColumns) + " and " + scanLines(m_g.areaScanLines) + kScanLineScheme +
               "; " + drawing() + ".";
    }

private:
    std::string rows() const { return counted(m_source.height, "row", "rows"); }
    std::string source() const { return "bottom-up run-length encoded source of " + rows(); }

    // Why the decode area is empty, in the order the call tests it.
    std::string noDecodeArea() const {
        if (m_a.width == 0 || m_a.height == 0) {
            return std::string(m_a.width == 0 ? "Width" : "Height") +
                   " 0 leaves the decode area empty";
        }
        if (m_a.height >= kSignedLimit) {
            return "Height " + unsignedArgument(m_a.height) +
                   " is a negative size and leaves the decode area empty";
        }
        const std::int64_t areaWidth = std::int64_t(m_a.xSrc) + m_a.width;
        if (areaWidth <= 0 || areaWidth >= kSignedLimit) {
            return sum("XSrc + Width", areaWidth, "columns");
        }
        return sum("YSrc + Height", std::int64_t(m_a.ySrc) + m_a.height, "scan lines");
    }

    static std::string sum(const char* name, std::int64_t value, const char* what) {
        const std::string wrapped =
            value >= kSignedLimit ? " (" + number(value - 2 * kSignedLimit) + " in 32 bits)" : "";
        return std::string(name) + " = " + number(value) + wrapped + " leaves the decode area no " +
               what;
    }

    std::string drawing() const {
        const Span columns = intersect(m_g.windowColumns, {0, m_source.width});
        const Span lines = intersect(m_g.windowScanLines, {0, m_source.height});
        if (columns.empty() || lines.empty()) {
            if (m_a.width >= kSignedLimit)
                return "nothing is drawn: " + emptySize("Width", m_a.width);
            return "nothing is drawn: " + joined(cuts());
        }
        const Span rows{m_g.destinationRowOf(lines.last()), m_g.destinationRowOf(lines.begin) + 1};
        const Span destinationColumns{m_g.destinationColumnOf(columns.begin),
                                      m_g.destinationColumnOf(columns.end)};
        std::vector<std::string> clauses{
            drawnPart(labelsOfBufferRows(lines), columns, labelsOfDeviceRows(rows, m_surface),
                      destinationColumns, m_source.width),
            "pixels the stream skips leave the destination as it was"};
        for (std::string& cut : cuts()) clauses.push_back(std::move(cut));
        return joined(clauses);
    }

    // The parts of the rectangle outside the image's columns and scan lines, which a stream of
    // the image's size never sets, and those off the surface.
    std::vector<std::string> cuts() const {
        const Span rect{m_a.ySrc, std::int64_t(m_a.ySrc) + m_a.height};
        const Span below{rect.begin, std::min<std::int64_t>(rect.end, 0)};
        const Span above{std::max(rect.begin, m_source.height), rect.end};
        std::string lines;
        if (!below.empty()) {
            lines = "the rectangle's " + scanLines(below) + lie(below.size()) +
                    " below the source's bottom row, scan line 0";
        }
        if (!below.empty() && !above.empty()) lines += ", and its ";
        if (!above.empty()) {
            lines +=
                (below.empty() ? "the rectangle's " : "") + aboveTopRow(above, m_source.height);
        }
        const std::int64_t width = m_a.width;
        std::vector<std::string> found;
        for (std::string cut :
             {columnsOutsideSource({m_a.xSrc, m_a.xSrc + width}, m_source.width), lines,
              offSurface({m_a.xDest, m_a.xDest + width}, {m_a.yDest, m_a.yDest + rect.size()},
                         m_surface)}) {
            if (!cut.empty()) found.push_back(std::move(cut));
        }
        return found;
    }

    const CallArguments& m_a;
    const SourceDib& m_source;
    const Surface& m_surface;
    const RleGeometry& m_g;
};

}  // namespace

std::string explainRleCall(const Call& call, const RleGeometry& geometry) {
    return RleAccount(call, geometry).sentence();
}

}  // namespace geometry
