#include "app/frm_bench.h"

#include "app/version_caption.h"
#include "product/version.h"
#include "twips.h"

#include <utility>

namespace app {

namespace {

constexpr std::int16_t kMinus = '-';
constexpr int kSmallPictureSize = 8;
constexpr int kBigPictureSize = 64;

void setRowLabels(ui::Label& bottom, ui::Label& top, bool topDown) {
    bottom.setCaption(topDown ? "8" : "1");
    top.setCaption(topDown ? "1" : "8");
}

}  // namespace

frmBench::frmBench() : ui::Window("frmBench", twipsToPixels(6984), twipsToPixels(5844)) {
    setCaption(kProductTitle);
    layOutControls();
    wireEvents();
}

void frmBench::wireEvents() {
    Load = [this] { Form_Load(); };
    KeyPress = [this](std::int16_t& KeyAscii) { Form_KeyPress(KeyAscii); };
    Check1.Click = [this] {
        Check1_Click();
        callChanged();
    };
    Check2.Click = [this] {
        Check2_Click();
        callChanged();
    };
    Text3.DblClick = [this] { Text3_DblClick(); };
    for (auto* fields : {&Text1, &Text2}) {
        for (ui::TextBox& field : *fields) field.Change = [this] { callChanged(); };
    }
    wireExperimentEvents();
}

void frmBench::callChanged() const {
    if (onCallChanged) onCallChanged();
}

void frmBench::Form_Load() {
    const std::pair<ui::Picture*, int> sizes[] = {{&srcPic, kSmallPictureSize},
                                                  {&srcBigPic, kBigPictureSize},
                                                  {&destPic, kSmallPictureSize},
                                                  {&destBigPic, kBigPictureSize}};
    for (const auto& [picture, size] : sizes) {
        picture->setScaleMode(ui::kScalePixel);
        picture->setWidth(size);
        picture->setHeight(size);
    }
    setCaption(versionCaption(Caption(), kVersionMajor, kVersionMinor, kVersionRevision));
}

// Only digits, "-", Backspace and Enter reach the argument fields, which carry the tag "0".
void frmBench::Form_KeyPress(std::int16_t& KeyAscii) {
    if (KeyAscii == ui::kEnter || KeyAscii == ui::kBackspace || KeyAscii == kMinus) return;
    const ui::Control* active = ActiveControl();
    const bool argumentField = active != nullptr && active->Tag == "0";
    if (argumentField && (KeyAscii < '0' || KeyAscii > '9')) KeyAscii = 0;
}

void frmBench::Check1_Click() {
    setRowLabels(Label11, Label12, Check1.Value() == 1);
}

void frmBench::Check2_Click() {
    setRowLabels(Label13, Label14, Check2.Value() == 1);
}

void frmBench::Text3_DblClick() {
    Text3.setText("");
}

}  // namespace app
