#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "testrun/bench_formats.h"
#include "gdi/gdi.h"
#include "geometry/call_geometry.h"

namespace app {

// A picture's persistent image, top row first, and the background colour it clears to.
struct PictureContent {
    std::vector<std::uint32_t> pixels;
    COLORREF backColor = 0;
};

// What a person sets on the bench by typing, ticking and choosing: each number field's text, as
// typed, and each check box's value, by the control's qualified name, in the form's order, and
// the DIB formats.
struct BenchSettings {
    std::vector<std::pair<std::string, std::string>> fields;
    std::vector<std::pair<std::string, int>> boxes;
    testrun::BenchFormats formats;

    bool operator==(const BenchSettings&) const = default;
};

// The last run that made its call, and what it started from: enough to make the same run again
// in a fresh form. The report is not copied: it only ever grows by a run, so its length before
// the run says what the run found there.
struct ExperimentRecord {
    geometry::Call call;
    BenchSettings settings;
    PictureContent source;
    PictureContent destination;
    std::size_t reportLength = 0;
};

}  // namespace app
