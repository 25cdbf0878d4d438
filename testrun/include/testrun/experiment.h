#pragma once

#include <optional>
#include <string>
#include <vector>

#include "dib/dib.h"
#include "geometry/call_geometry.h"
#include "testrun/arguments.h"
#include "testrun/bench_formats.h"
#include "ui/controls.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace testrun {

inline constexpr const char* kSourceListingHeader = "Src Pixels (RRGGBB) are";
inline constexpr const char* kDestinationListingHeader = "Dst Pixels (RRGGBB) are";

struct ExperimentControls {
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
    const BenchFormats& formats;
    // Whether a run appends the source DIB as the call receives it to the report.
    bool listDibHeader;
};

// The source as the next run hands it over: srcPic read back into the source format in the row
// order "Source Top Down" chooses, its table as colours or palette indexes. None when GetDIBits
// refuses.
std::optional<dib::PictureDib> handedOverSource(const ExperimentControls& controls);

// What a run appends for Show DIB Header: a title line, then the header, masks, colour table
// and bits of the DIB, palette indexes with the colours srcPic's DC gives them.
std::vector<std::string> dibHeaderLines(const dib::Dib& dib, const ui::Picture& srcPic);

// The call a run would make with the controls as they stand: the arguments as read, the source
// in its chosen orientation with the whole picture in the buffer, and both pictures' sizes. None
// when an argument does not fit in 16 bits; nothing is shown, read back or changed.
std::optional<geometry::Call> plannedCall(const ExperimentControls& controls);

// One run: reads the arguments, lists and magnifies the source, calls SetDIBitsToDevice on the
// destination with the source in the chosen orientation, shows the result and the source height,
// magnifies and lists the destination. Returns the call it made. Arguments that cannot be held
// end the run before anything is drawn, read back or written, and no call is returned.
std::optional<geometry::Call> performExperiment(const ExperimentControls& controls,
                                                const ui::Window& form);

}  // namespace testrun
