#pragma once

#include "testrun/arguments.h"
#include "ui/controls.h"
#include "ui/picture.h"
#include "ui/window.h"
#include "workbench/zoom_pic.h"

namespace testrun {

inline constexpr const char* kSourceListingHeader = "Src Pixels (RRGGBB) are";
inline constexpr const char* kDestinationListingHeader = "Dst Pixels (RRGGBB) are";

struct TestRunControls {
    ArgumentFields arguments;
    const ui::CheckBox& sourceTopDown;
    const ui::CheckBox& destinationTopDown;
    const ui::CheckBox& showSourceBits;
    const ui::CheckBox& showDestinationBits;
    ui::Picture& srcPic;
    ui::Picture& srcBigPic;
    ui::Picture& destPic;
    ui::Picture& destBigPic;
    ui::Label& srcHeight;
    ui::Label& dstRet;
    ui::TextBox& report;
};

// One run: reads the arguments, lists and magnifies the source, calls SetDIBitsToDevice on the
// destination with the source in the chosen orientation, shows the result and the source height,
// magnifies and lists the destination. Arguments that cannot be held end the run before anything
// is drawn, read back or written.
void runTest(const TestRunControls& controls,
             const workbench::ZoomPicGetBitsProcedure& zoomPicGetBits, const ui::Window& form);

}  // namespace testrun
