#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "ui/controls.h"

namespace testrun {

// One pixel listing: the header line, then one line a scan line, "N: " and the row's values as
// six uppercase hexadecimal digits (the low 24 bits) separated by ", ", every line ending in CR LF.
// `values` holds `height` scan lines of `width` values.
std::string formatPixelListing(std::string_view header, int width, int height,
                               std::span<const std::int32_t> values);

// Appends the listing to the report box, leaving its text as it was before the listing.
void AppendPixelListing(ui::TextBox& report, std::string_view header, int width, int height,
                        std::span<const std::int32_t> values);

}  // namespace testrun
