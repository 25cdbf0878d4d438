#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <optional>

#include "app/experiment_record.h"
#include "dib/dib.h"
#include "geometry/call_geometry.h"
#include "ui/controls.h"
#include "ui/picture.h"
#include "ui/window.h"

namespace app {

// The bench's one window with its 55 controls, in their design-time state once constructed, and
// every event handler the form has. The handlers touch controls only through platform/ui and
// pixels only through platform/gdi, so the same form runs in the Qt window and headless.
class frmBench : public ui::Window {
public:
    frmBench();

    // Top band, source side.
    ui::Label Label2{"Label2"};
    ui::Picture srcPic{"srcPic", 8, 8};
    ui::Picture srcBigPic{"srcBigPic", 64, 64};
    ui::Label Label12{"Label12"};
    ui::Label Label11{"Label11"};
    ui::Label Label8{"Label8"};
    ui::Label Label7{"Label7"};
    ui::Label Label6{"Label6"};
    ui::TextBox Text7{"Text7"};
    ui::TextBox Text8{"Text8"};
    ui::TextBox Text9{"Text9"};
    ui::CommandButton cmdSetSrcBkg{"cmdSetSrcBkg"};
    ui::CommandButton cmdSetSrcPoint{"cmdSetSrcPoint"};
    ui::Label Label9{"Label9"};
    ui::Label Label10{"Label10"};
    ui::TextBox Text10{"Text10"};
    ui::TextBox Text11{"Text11"};

    // Top band, destination side.
    ui::Label lblDest{"lblDest"};
    ui::Picture destPic{"destPic", 9, 8};
    ui::Picture destBigPic{"destBigPic", 64, 64};
    ui::Label Label14{"Label14"};
    ui::Label Label13{"Label13"};
    ui::Label Label3{"Label3"};
    ui::Label Label4{"Label4"};
    ui::Label Label5{"Label5"};
    ui::TextBox Text4{"Text4"};
    ui::TextBox Text5{"Text5"};
    ui::TextBox Text6{"Text6"};
    ui::CommandButton cmdSetDestBkg{"cmdSetDestBkg"};

    ui::Line Line1{"Line1"};
    ui::Line Line2{"Line2"};

    // Middle band: the eight arguments, orientations, the test button and its results.
    std::array<ui::Label, 8> Label1{ui::Label{"Label1", 0}, ui::Label{"Label1", 1},
                                    ui::Label{"Label1", 2}, ui::Label{"Label1", 3},
                                    ui::Label{"Label1", 4}, ui::Label{"Label1", 5},
                                    ui::Label{"Label1", 6}, ui::Label{"Label1", 7}};
    std::array<ui::TextBox, 4> Text1{ui::TextBox{"Text1", 0}, ui::TextBox{"Text1", 1},
                                     ui::TextBox{"Text1", 2}, ui::TextBox{"Text1", 3}};
    std::array<ui::TextBox, 4> Text2{ui::TextBox{"Text2", 0}, ui::TextBox{"Text2", 1},
                                     ui::TextBox{"Text2", 2}, ui::TextBox{"Text2", 3}};
    ui::CheckBox Check1{"Check1"};
    ui::CheckBox Check2{"Check2"};
    ui::CommandButton cmdTest{"cmdTest"};
    ui::Label srcHeight{"srcHeight"};
    ui::Label dstRet{"dstRet"};
    ui::CheckBox Check5{"Check5"};
    ui::CheckBox Check4{"Check4"};

    // Bottom band.
    ui::TextBox Text3{"Text3"};

    // Start-up and window events.
    void Form_Load();
    void Form_KeyPress(std::int16_t& KeyAscii);
    void Check1_Click();
    void Check2_Click();
    void Text3_DblClick();

    // Colour fields, background fill and Set Point.
    void Text4_DblClick();
    void Text5_DblClick();
    void Text6_DblClick();
    void Text7_DblClick();
    void Text8_DblClick();
    void Text9_DblClick();
    void cmdSetSrcBkg_Click();
    void cmdSetDestBkg_Click();
    void cmdSetSrcPoint_Click();

    // The experiment.
    void cmdTest_Click();

    // What lies beside the window's own state, for the window's frame and experiment files.
    // The sixteen number fields (the eight arguments, the six colour fields, X and Y) and the
    // four check boxes, and what they hold.
    std::array<ui::TextBox*, 16> numberFields();
    std::array<ui::CheckBox*, 4> checkBoxes();
    BenchSettings settings();
    // The DIB formats of the bench. A new source format redraws srcBigPic from the source as
    // that format holds it; a new destination format converts destPic as GetDIBits would and
    // returns how many of its pixels changed colour.
    const testrun::BenchFormats& formats() const { return m_formats; }
    void setSourceFormat(const std::string& word);
    std::size_t setDestinationFormat(const std::string& word);
    void setPaletteIndexes(bool on);
    // Whether a run appends the source DIB as the call receives it to the report.
    bool showDibHeader = false;
    // The source DIB the next run hands over; none when GetDIBits refuses.
    std::optional<dib::PictureDib> sourceDib();
    // The destination picture as the DIB section of its format holds it.
    std::optional<dib::PictureDib> destinationDib();

    // The call a run would make with the fields and boxes as they stand; none while an argument
    // does not fit.
    std::optional<geometry::Call> plannedCall();
    // The last run that made its call; none before the first.
    const std::optional<ExperimentRecord>& lastExperiment() const { return m_lastExperiment; }
    // Fired after a run has made its call, and after an argument field or an orientation box
    // has changed.
    std::function<void()> onExperimentPerformed;
    std::function<void()> onCallChanged;

private:
    void layOutControls();
    void wireEvents();
    void wireExperimentEvents();
    void callChanged() const;
    ExperimentRecord recordStart();
    void ZoomPic(ui::Picture& pic, ui::Picture& bigPic);
    // Redraws srcBigPic from the source as a source format other than 32 bpp holds it, and
    // destBigPic from the colours a destination format other than 32 bpp holds.
    void showSourceFormat();
    void showDestinationFormat();

    std::optional<ExperimentRecord> m_lastExperiment;
    testrun::BenchFormats m_formats;
};

}  // namespace app
