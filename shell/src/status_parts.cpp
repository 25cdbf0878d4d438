#include "status_parts.h"

#include <filesystem>

#include "geometry/call_account.h"
#include "geometry_overlay.h"
#include "menu_captions.h"
#include "shell/bench_shell.h"
#include "format_texts.h"
#include "undo_history.h"

namespace shell {
namespace {

// Room for the file line, the legend and the longest account of a run (about 580 characters,
// with a band of 2^31 lines and every edge of the rectangle cut: seven lines); a part beyond it
// is cut, its tool tip holds it whole.
constexpr int kStatusLines = 10;

}  // namespace

void addStatusParts(ui::Frame& frame) {
    for (const char* part :
         {kDocumentPart, kFormatsPart, kLegendPart, kPendingPart, kAccountPart}) {
        frame.addStatusPart(part);
    }
    frame.setStatusLines(kStatusLines);
}

std::string documentText(const std::string& path, bool modified, const std::string& notice) {
    std::string text =
        path.empty() ? "New experiment" : std::filesystem::path(path).filename().string();
    if (modified) text += " (modified)";
    return notice.empty() ? text : text + " \u00b7 " + notice;
}

std::string legendText() {
    std::string text = "Legend:";
    const char* separator = " ";
    for (const OverlayMark& mark : overlayMarks()) {
        text += separator + std::string(mark.look) + ": " + mark.meaning;
        separator = " \u00b7 ";
    }
    return text + ".";
}

std::string pendingText(bool geometryShown) {
    return geometryShown
               ? "Changed since the run: the overlay shows the call the fields now describe, not "
                 "yet run; the account below is the last run's."
               : "Changed since the run: the account below is the last run's; Run Call (F5) "
                 "makes the call the fields now describe.";
}

// Away from 32 bpp on both sides, the formats have a part of their own.
void BenchShell::showAccount() {
    const std::optional<app::ExperimentRecord>& last = m_form->lastExperiment();
    m_frame.setStatus(kAccountPart, last ? geometry::explainCall(last->call) : std::string());
    const bool formats = !m_form->formats().bothThirtyTwo();
    m_frame.setStatus(kFormatsPart, !formats
                                        ? std::string()
                                        : formatsLine(m_form->formats()) +
                                              (m_formatsNote.empty() ? "" : "\n" + m_formatsNote));
}

// The overlay follows the fields and boxes as they stand; while an argument does not fit there
// is no call to draw.
void BenchShell::showGeometry() {
    const bool shown = m_frame.findMenuItem(kShowGeometry)->checked();
    const std::optional<geometry::Call> call = shown ? m_form->plannedCall() : std::nullopt;
    const std::optional<geometry::CallGeometry> drawn =
        call ? geometry::computeGeometry(*call) : std::nullopt;
    m_form->srcBigPic.setOverlay(drawn ? sourceOverlay(*call, *drawn) : ui::Overlay{});
    m_form->destBigPic.setOverlay(drawn ? destinationOverlay(*call, *drawn) : ui::Overlay{});
    m_frame.setStatus(kLegendPart, shown ? legendText() : std::string());
    showPending();
}

void BenchShell::showDocument() {
    const bool modified = *m_lastState != *m_document->saved;
    m_frame.setStatus(kDocumentPart, documentText(m_document->path, modified, m_notice),
                      m_document->path);
}

void BenchShell::showPending() {
    const bool pending = m_changedSinceRun && m_form->lastExperiment();
    m_frame.setStatus(
        kPendingPart,
        pending ? pendingText(m_frame.findMenuItem(kShowGeometry)->checked()) : std::string());
}

// A field or box the call reads changed: the overlay follows it.
void BenchShell::callChanged() {
    m_changedSinceRun = true;
    showGeometry();
}

}  // namespace shell
