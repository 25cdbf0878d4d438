#pragma once

#include "ui/picture.h"
#include "ui/window.h"
#include "workbench/number_field.h"
#include "workbench/zoom_pic.h"

namespace workbench {

inline constexpr const char* kSourceColourMessage = "Error in RGB's for setting Source Colours";
inline constexpr const char* kSourcePositionMessage =
    "Error in position X/Y's for setting Source Colours";

struct SourcePointControls {
    ColourTriple colour;
    NumberField x;  // column, 0 = left
    NumberField y;  // row counted from the bottom, 0 = bottom row
    ui::Picture& srcPic;
    ui::Picture& srcBigPic;
};

// Sets one pixel of the source picture to the colour of the triple, written back through a DIB
// section, then redraws the magnified view with `zoomPic` and refreshes the source. The colour is
// checked before the position; a refused input changes and redraws nothing.
void setSourcePoint(const SourcePointControls& controls, const ZoomPicProcedure& zoomPic,
                    const ui::Window& form);

}  // namespace workbench
