#include <string>

#include "app/frm_bench.h"
#include "testrun/test_run.h"
#include "workbench/colour_fields.h"
#include "workbench/set_point.h"
#include "workbench/zoom_pic.h"

namespace {

// Messages name a colour field by its side's title and the letter above it: "Source R".
std::string colourFieldName(const ui::Label& side, const ui::Label& letter) {
    return side.Caption() + " " + letter.Caption();
}

workbench::ColourTriple sourceColours(const frmBench& form) {
    return {workbench::NumberField{form.Text7, colourFieldName(form.Label2, form.Label8)},
            workbench::NumberField{form.Text8, colourFieldName(form.Label2, form.Label7)},
            workbench::NumberField{form.Text9, colourFieldName(form.Label2, form.Label6)}};
}

workbench::ColourTriple destinationColours(const frmBench& form) {
    return {workbench::NumberField{form.Text4, colourFieldName(form.lblDest, form.Label3)},
            workbench::NumberField{form.Text5, colourFieldName(form.lblDest, form.Label4)},
            workbench::NumberField{form.Text6, colourFieldName(form.lblDest, form.Label5)}};
}

}  // namespace

void frmBench::wireExperimentEvents() {
    Text4.DblClick = [this] { Text4_DblClick(); };
    Text5.DblClick = [this] { Text5_DblClick(); };
    Text6.DblClick = [this] { Text6_DblClick(); };
    Text7.DblClick = [this] { Text7_DblClick(); };
    Text8.DblClick = [this] { Text8_DblClick(); };
    Text9.DblClick = [this] { Text9_DblClick(); };
    cmdSetSrcBkg.Click = [this] { cmdSetSrcBkg_Click(); };
    cmdSetDestBkg.Click = [this] { cmdSetDestBkg_Click(); };
    cmdSetSrcPoint.Click = [this] { cmdSetSrcPoint_Click(); };
    cmdTest.Click = [this] { cmdTest_Click(); };
}

void frmBench::Text4_DblClick() {
    workbench::toggleColourField(Text4, destinationColours(*this)[0].name, *this);
}

void frmBench::Text5_DblClick() {
    workbench::toggleColourField(Text5, destinationColours(*this)[1].name, *this);
}

void frmBench::Text6_DblClick() {
    workbench::toggleColourField(Text6, destinationColours(*this)[2].name, *this);
}

void frmBench::Text7_DblClick() {
    workbench::toggleColourField(Text7, sourceColours(*this)[0].name, *this);
}

void frmBench::Text8_DblClick() {
    workbench::toggleColourField(Text8, sourceColours(*this)[1].name, *this);
}

void frmBench::Text9_DblClick() {
    workbench::toggleColourField(Text9, sourceColours(*this)[2].name, *this);
}

void frmBench::cmdSetSrcBkg_Click() {
    workbench::setBackground(sourceColours(*this), srcPic, srcBigPic,
                             workbench::kSourceBackgroundMessage, *this);
}

void frmBench::cmdSetDestBkg_Click() {
    workbench::setBackground(destinationColours(*this), destPic, destBigPic,
                             workbench::kDestinationBackgroundMessage, *this);
}

void frmBench::cmdSetSrcPoint_Click() {
    const workbench::SourcePointControls controls{sourceColours(*this),
                                                  {Text10, Label9.Caption()},
                                                  {Text11, Label10.Caption()},
                                                  srcPic,
                                                  srcBigPic};
    workbench::setSourcePoint(
        controls, [this](ui::Picture& pic, ui::Picture& bigPic) { ZoomPic(pic, bigPic); }, *this);
}

void frmBench::cmdTest_Click() {
    const testrun::TestRunControls controls{{testrun::ArgumentField{Text1[0], Label1[0]},
                                             {Text1[1], Label1[1]},
                                             {Text1[2], Label1[2]},
                                             {Text1[3], Label1[3]},
                                             {Text2[0], Label1[4]},
                                             {Text2[1], Label1[5]},
                                             {Text2[2], Label1[6]},
                                             {Text2[3], Label1[7]}},
                                            Check1,
                                            Check2,
                                            Check5,
                                            Check4,
                                            srcPic,
                                            srcBigPic,
                                            destPic,
                                            destBigPic,
                                            srcHeight,
                                            dstRet,
                                            Text3};
    testrun::runTest(
        controls,
        [this](ui::Picture& pic, ui::Picture& bigPic, std::vector<std::int32_t>& bits) {
            ZoomPicGetBits(pic, bigPic, bits);
        },
        *this);
}

void frmBench::ZoomPicGetBits(ui::Picture& pic, ui::Picture& bigPic,
                              std::vector<std::int32_t>& bits) {
    workbench::ZoomPicGetBits(pic, bigPic, bits, *this);
}

void frmBench::ZoomPic(ui::Picture& pic, ui::Picture& bigPic) {
    workbench::ZoomPic(pic, bigPic, *this);
}
