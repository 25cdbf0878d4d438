#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gdi/gdi.h"
#include "geometry/call_geometry.h"

namespace app {

// A picture's persistent image, top row first, and the background colour it clears to.
struct PictureContent {
    std::vector<std::uint32_t> pixels;
    COLORREF backColor = 0;
};

// The last run that made its call, and what it started from: enough to make the same run again
// in a fresh form. The report is not copied: it only ever grows by a run, so its length before
// the run says what the run found there.
struct ExperimentRecord {
    geometry::Call call;
    std::array<std::string, 16> fields;  // frmBench::numberFields(), as typed
    std::array<int, 4> boxes;            // frmBench::checkBoxes()
    PictureContent source;
    PictureContent destination;
    std::size_t reportLength = 0;
};

}  // namespace app
