#pragma once

#include <string>

#include "ui/frame.h"

namespace shell {

// The status area's parts, top to bottom: the experiment's file and what was last written, the
// formats when they are not 32 bpp on both sides, the overlay's legend while it is drawn, a note
// when the fields have changed since the run, and the account of the run.
inline constexpr const char* kDocumentPart = "document";
inline constexpr const char* kFormatsPart = "formats";
inline constexpr const char* kLegendPart = "legend";
inline constexpr const char* kPendingPart = "pending";
inline constexpr const char* kAccountPart = "account";

void addStatusParts(ui::Frame& frame);

// "band.dls (modified)", or "New experiment" before the first save or open; then what the last
// save or export wrote.
std::string documentText(const std::string& path, bool modified, const std::string& notice);

// What the marks of the overlay stand for, in one short paragraph.
std::string legendText();

// The note for fields or boxes changed since the last run, by whether the overlay is drawn.
std::string pendingText(bool geometryShown);

}  // namespace shell
