#include <string>
#include <utility>

#include "app/frm_bench.h"
#include "dib/picture_readback.h"
#include "testrun/experiment.h"
#include "workbench/colour_fields.h"
#include "workbench/picture_format.h"
#include "workbench/set_point.h"
#include "workbench/zoom_pic.h"

namespace app {

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

testrun::ExperimentControls experimentControls(frmBench& form) {
    using testrun::Argument;
    return {{testrun::ArgumentField{Argument::XDest, form.Text1[0], form.Label1[0]},
             {Argument::YDest, form.Text1[1], form.Label1[1]},
             {Argument::Width, form.Text1[2], form.Label1[2]},
             {Argument::Height, form.Text1[3], form.Label1[3]},
             {Argument::XSrc, form.Text2[0], form.Label1[4]},
             {Argument::YSrc, form.Text2[1], form.Label1[5]},
             {Argument::Start, form.Text2[2], form.Label1[6]},
             {Argument::Lines, form.Text2[3], form.Label1[7]}},
            form.Check1,
            form.Check2,
            form.Check5,
            form.Check4,
            form.srcPic,
            form.srcBigPic,
            form.destPic,
            form.destBigPic,
            form.srcHeight,
            form.dstRet,
            form.Text3,
            form.formats(),
            form.showDibHeader};
}

PictureContent pictureContent(const ui::Picture& picture) {
    return {ui::imagePixels(picture), picture.BackColor()};
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
    showSourceFormat();
}

void frmBench::cmdSetDestBkg_Click() {
    workbench::setBackground(destinationColours(*this), destPic, destBigPic,
                             workbench::kDestinationBackgroundMessage, *this);
    showDestinationFormat();
}

void frmBench::cmdSetSrcPoint_Click() {
    const workbench::SourcePointControls controls{sourceColours(*this),
                                                  {Text10, Label9.Caption()},
                                                  {Text11, Label10.Caption()},
                                                  srcPic,
                                                  srcBigPic};
    workbench::setSourcePoint(
        controls, [this](ui::Picture& pic, ui::Picture& bigPic) { ZoomPic(pic, bigPic); }, *this);
    showSourceFormat();
}

void frmBench::cmdTest_Click() {
    ExperimentRecord start = recordStart();
    const std::optional<geometry::Call> call =
        testrun::performExperiment(experimentControls(*this), *this);
    if (!call) return;
    start.call = *call;
    m_lastExperiment = std::move(start);
    if (onExperimentPerformed) onExperimentPerformed();
}

std::optional<geometry::Call> frmBench::plannedCall() {
    return testrun::plannedCall(experimentControls(*this));
}

std::array<ui::TextBox*, 16> frmBench::numberFields() {
    return {&Text1[0], &Text1[1], &Text1[2], &Text1[3], &Text2[0], &Text2[1], &Text2[2], &Text2[3],
            &Text4,    &Text5,    &Text6,    &Text7,    &Text8,    &Text9,    &Text10,   &Text11};
}

std::array<ui::CheckBox*, 4> frmBench::checkBoxes() {
    return {&Check1, &Check2, &Check4, &Check5};
}

BenchSettings frmBench::settings() {
    BenchSettings settings;
    for (const ui::TextBox* field : numberFields())
        settings.fields.emplace_back(field->qualifiedName(), field->Text());
    for (const ui::CheckBox* box : checkBoxes())
        settings.boxes.emplace_back(box->qualifiedName(), box->Value());
    settings.formats = m_formats;
    return settings;
}

void frmBench::setSourceFormat(const std::string& word) {
    m_formats.source = word;
    if (word == "32") {
        ZoomPic(srcPic, srcBigPic);
    } else {
        showSourceFormat();
    }
    callChanged();
}

std::size_t frmBench::setDestinationFormat(const std::string& word) {
    m_formats.destination = word;
    const std::size_t changed = workbench::convertPicture(destPic, m_formats.destinationFormat());
    destPic.Refresh();
    ZoomPic(destPic, destBigPic);
    callChanged();
    return changed;
}

void frmBench::setPaletteIndexes(bool on) {
    m_formats.paletteIndexes = on;
    showSourceFormat();
    callChanged();
}

std::optional<dib::PictureDib> frmBench::sourceDib() {
    return testrun::handedOverSource(experimentControls(*this));
}

std::optional<dib::PictureDib> frmBench::destinationDib() {
    return dib::readPicture(destPic.hDC(), destPic.Image(),
                            {m_formats.destinationFormat(), gdi::RowOrder::TopDown,
                             dib::TableUse::Colours});
}

void frmBench::showSourceFormat() {
    if (m_formats.source == "32") return;
    if (const std::optional<dib::PictureDib> handed = sourceDib()) {
        workbench::zoomDib(handed->uncompressed, srcBigPic, *this);
    }
}

void frmBench::showDestinationFormat() {
    if (m_formats.destination != "32") ZoomPic(destPic, destBigPic);
}

ExperimentRecord frmBench::recordStart() {
    ExperimentRecord record;
    record.settings = settings();
    record.source = pictureContent(srcPic);
    record.destination = pictureContent(destPic);
    record.reportLength = Text3.Text().size();
    return record;
}

void frmBench::ZoomPic(ui::Picture& pic, ui::Picture& bigPic) {
    workbench::ZoomPic(pic, bigPic, *this);
}

}  // namespace app
