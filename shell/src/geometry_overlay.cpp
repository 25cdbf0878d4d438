#include "geometry_overlay.h"

#include <algorithm>

#include "workbench/enlarge.h"

namespace shell {
namespace {

constexpr std::uint32_t kSourceRectangleColour = 0xFFD200;       // yellow
constexpr std::uint32_t kBandColour = 0xFF3CFF;                  // magenta
constexpr std::uint32_t kDestinationRectangleColour = 0x00E0FF;  // cyan
constexpr std::uint32_t kWrittenColour = 0xFFFFFF;               // white

constexpr const char* kSourceLegend =
    "Geometry of the call: the yellow outline is the source rectangle (XSrc, YSrc, Width, "
    "Height) where the call reads it; the magenta hatching marks the rows of the band (Start, "
    "#Lines) that the call can read. YSrc and Start count scan lines from 0 at the bottom row; "
    "the status line names rows as labelled beside the picture.";
constexpr const char* kDestinationLegend =
    "Geometry of the call: the cyan outline is the destination rectangle (XDest, YDest, Width, "
    "Height); a white dot marks each pixel the call writes. YDest counts device rows from 0 at "
    "the top; the status line names rows as labelled beside the picture.";

// A span cut to one cell beyond each edge of the view, so that an edge far outside is not drawn
// and the numbers stay small.
geometry::Span withinView(geometry::Span span, std::int64_t size) {
    return {std::clamp<std::int64_t>(span.begin, -1, size + 1),
            std::clamp<std::int64_t>(span.end, -1, size + 1)};
}

struct ViewSize {
    std::int64_t width;
    std::int64_t height;
};

void addMark(ui::Overlay& overlay, geometry::Span columns, geometry::Span rows, ViewSize view,
             ui::OverlayStyle style, std::uint32_t colour) {
    const geometry::Span x = withinView(columns, view.width);
    const geometry::Span y = withinView(rows, view.height);
    if (x.empty() || y.empty()) return;
    overlay.marks.push_back(
        {int(x.begin), int(y.begin), int(x.size()), int(y.size()), style, colour});
}

}  // namespace

std::span<const OverlayMark> overlayMarks() {
    static constexpr OverlayMark kMarks[] = {
        {"yellow outline", "the source rectangle"},
        {"magenta hatching", "the band's rows the call can read"},
        {"cyan outline", "the destination rectangle"},
        {"white dots", "the pixels the call writes"},
    };
    return kMarks;
}

ui::Overlay sourceOverlay(const geometry::Call& call, const geometry::CallGeometry& g) {
    ui::Overlay overlay{workbench::kZoomFactor, {}, kSourceLegend};
    const ViewSize size{call.source.width, call.source.height};
    addMark(overlay, {0, call.source.width}, g.pictureRowsOf(g.readableScanLines), size,
            ui::OverlayStyle::Hatch, kBandColour);
    addMark(overlay, g.rectColumns(), g.pictureRowsOf(g.rectScanLines()), size,
            ui::OverlayStyle::Outline, kSourceRectangleColour);
    return overlay;
}

ui::Overlay destinationOverlay(const geometry::Call& call, const geometry::CallGeometry& g) {
    ui::Overlay overlay{workbench::kZoomFactor, {}, kDestinationLegend};
    const ViewSize size{call.destination.width, call.destination.height};
    addMark(overlay, g.destColumns(), g.destRows(), size, ui::OverlayStyle::Outline,
            kDestinationRectangleColour);
    addMark(overlay, g.writtenColumns, g.writtenRows, size, ui::OverlayStyle::Dots, kWrittenColour);
    return overlay;
}

}  // namespace shell
