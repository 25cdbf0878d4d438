#include "app/frm_bench.h"
#include "twips.h"

#include <algorithm>

namespace app {

namespace {

// Place and size in twips, as the form was designed.
struct Twips {
    int left;
    int top;
    int width;
    int height;
};

const ui::Font kDialogFont{"MS Sans Serif", 7.8};
const ui::Font kTitleFont{"MS Sans Serif", 12};
const ui::Font kLetterFont{"MS Sans Serif", 9.6};
const ui::Font kReportFont{"Courier New", 7.8};
const char* const kColourTip = "Double Click to Change";

void place(frmBench& form, ui::Control& control, Twips twips, int tabIndex) {
    control.Left = twipsToPixels(twips.left);
    control.Top = twipsToPixels(twips.top);
    control.Width = twipsToPixels(twips.width);
    control.Height = twipsToPixels(twips.height);
    control.TabIndex = tabIndex;
    control.font = form.font;
    form.add(control);
}

void label(frmBench& form, ui::Label& control, const char* caption, Twips twips, int tabIndex,
           const ui::Font* ownFont = nullptr) {
    place(form, control, twips, tabIndex);
    control.setCaption(caption);
    if (ownFont != nullptr) control.font = *ownFont;
}

void textBox(frmBench& form, ui::TextBox& control, const char* text, Twips twips, int tabIndex) {
    place(form, control, twips, tabIndex);
    control.setText(text);
}

void colourField(frmBench& form, ui::TextBox& control, Twips twips, int tabIndex) {
    textBox(form, control, "255", twips, tabIndex);
    control.ToolTipText = kColourTip;
}

void argumentField(frmBench& form, ui::TextBox& control, const char* text, Twips twips,
                   int tabIndex) {
    textBox(form, control, text, twips, tabIndex);
    control.Tag = "0";
}

void button(frmBench& form, ui::CommandButton& control, const char* caption, Twips twips,
            int tabIndex) {
    place(form, control, twips, tabIndex);
    control.setCaption(caption);
}

void checkBox(frmBench& form, ui::CheckBox& control, const char* caption, Twips twips, int tabIndex,
              const ui::Font* ownFont = nullptr) {
    place(form, control, twips, tabIndex);
    control.setCaption(caption);
    if (ownFont != nullptr) control.font = *ownFont;
}

// Pictures keep their image the size of the control, so their size goes through setSize.
void picture(frmBench& form, ui::Picture& control, Twips twips, int tabIndex) {
    control.Left = twipsToPixels(twips.left);
    control.Top = twipsToPixels(twips.top);
    control.setSize(twipsToPixels(twips.width), twipsToPixels(twips.height));
    control.TabIndex = tabIndex;
    control.font = form.font;
    form.add(control);
}

void line(frmBench& form, ui::Line& control, int x1, int y1, int x2, int y2) {
    control.X1 = twipsToPixels(x1);
    control.Y1 = twipsToPixels(y1);
    control.X2 = twipsToPixels(x2);
    control.Y2 = twipsToPixels(y2);
    control.Left = std::min(control.X1, control.X2);
    control.Top = std::min(control.Y1, control.Y2);
    control.Width = std::max(control.X1, control.X2) - control.Left + 1;
    control.Height = std::max(control.Y1, control.Y2) - control.Top + 1;
    form.add(control);
}

void layOutSourceSide(frmBench& f) {
    label(f, f.Label2, "Source", {2328, 48, 1044, 228}, 26, &kTitleFont);
    picture(f, f.srcPic, {2280, 384, 96, 96}, 0);
    picture(f, f.srcBigPic, {2448, 384, 768, 768}, 1);
    label(f, f.Label12, "8", {3276, 324, 108, 168}, 50);
    label(f, f.Label11, "1", {3276, 1032, 108, 168}, 49);
    label(f, f.Label8, "R", {336, 60, 156, 228}, 43, &kLetterFont);
    label(f, f.Label7, "G", {744, 60, 156, 228}, 42, &kLetterFont);
    label(f, f.Label6, "B", {1140, 60, 156, 228}, 41, &kLetterFont);
    colourField(f, f.Text7, {252, 312, 336, 288}, 40);
    colourField(f, f.Text8, {660, 312, 336, 288}, 39);
    colourField(f, f.Text9, {1032, 300, 336, 288}, 38);
    button(f, f.cmdSetSrcBkg, "Set  Background", {156, 636, 1344, 276}, 37);
    button(f, f.cmdSetSrcPoint, "Set Point", {156, 972, 1344, 252}, 48);
    label(f, f.Label9, "X", {1668, 696, 192, 228}, 46, &kLetterFont);
    label(f, f.Label10, "Y", {2028, 696, 192, 228}, 47, &kLetterFont);
    textBox(f, f.Text10, "0", {1536, 948, 372, 288}, 44);
    textBox(f, f.Text11, "0", {1908, 948, 372, 288}, 45);
}

void layOutDestinationSide(frmBench& f) {
    label(f, f.lblDest, "Destination", {5136, 72, 1212, 240}, 23, &kTitleFont);
    picture(f, f.destPic, {5196, 384, 108, 96}, 22);
    picture(f, f.destBigPic, {5364, 384, 768, 768}, 25);
    label(f, f.Label14, "8", {6252, 348, 108, 168}, 51);
    label(f, f.Label13, "1", {6252, 1044, 108, 168}, 52);
    label(f, f.Label3, "R", {3780, 240, 144, 216}, 33, &kLetterFont);
    label(f, f.Label4, "G", {4188, 240, 144, 216}, 34, &kLetterFont);
    label(f, f.Label5, "B", {4584, 240, 144, 216}, 35, &kLetterFont);
    colourField(f, f.Text4, {3708, 492, 336, 288}, 30);
    colourField(f, f.Text5, {4116, 492, 336, 288}, 31);
    colourField(f, f.Text6, {4488, 480, 336, 288}, 32);
    button(f, f.cmdSetDestBkg, "Set  Background", {3612, 828, 1320, 276}, 36);
    line(f, f.Line1, 0, 1392, 6972, 1392);
    line(f, f.Line2, 3444, 12, 3444, 1404);
}

void layOutArguments(frmBench& f) {
    label(f, f.Label1[0], "XDest", {4836, 1440, 432, 192}, 21);
    label(f, f.Label1[1], "YDest", {5676, 1440, 432, 192}, 20);
    label(f, f.Label1[2], "Width", {4836, 2016, 420, 192}, 19);
    label(f, f.Label1[3], "Height", {5676, 2016, 468, 192}, 18);
    label(f, f.Label1[4], "XSrc", {996, 1440, 348, 192}, 17);
    label(f, f.Label1[5], "YSrc", {1812, 1440, 348, 192}, 16);
    label(f, f.Label1[6], "Start", {948, 2016, 336, 192}, 15);
    label(f, f.Label1[7], "#Lines", {1752, 2016, 480, 192}, 14);
    argumentField(f, f.Text1[0], "0", {4836, 1680, 495, 288}, 11);
    argumentField(f, f.Text1[1], "0", {5676, 1680, 495, 288}, 8);
    argumentField(f, f.Text1[2], "8", {4836, 2256, 495, 288}, 10);
    argumentField(f, f.Text1[3], "8", {5676, 2256, 495, 288}, 9);
    argumentField(f, f.Text2[0], "0", {912, 1680, 495, 288}, 7);
    argumentField(f, f.Text2[1], "0", {1752, 1680, 495, 288}, 6);
    argumentField(f, f.Text2[2], "0", {912, 2256, 495, 288}, 5);
    argumentField(f, f.Text2[3], "8", {1752, 2256, 495, 288}, 4);
}

void layOutResultsAndReport(frmBench& f) {
    checkBox(f, f.Check1, "Source Top Down", {2616, 1608, 1644, 336}, 3);
    checkBox(f, f.Check2, "Destination Top Down", {2628, 2016, 1992, 300}, 2);
    button(f, f.cmdTest, "SetDIBitsToDevice", {2772, 2424, 1644, 468}, 12);
    label(f, f.srcHeight, "Source biHeight = ", {312, 2784, 1968, 252}, 24, &kLetterFont);
    label(f, f.dstRet, "Ret = 0", {5880, 2796, 852, 240}, 13, &kLetterFont);
    checkBox(f, f.Check5, "Show Source Bits", {312, 3096, 2388, 192}, 28, &kLetterFont);
    checkBox(f, f.Check4, "Show Destination Bits", {4476, 3096, 2388, 240}, 27, &kLetterFont);
    textBox(f, f.Text3, "", {96, 3384, 6804, 2172}, 29);
    f.Text3.font = kReportFont;
    f.Text3.alignment = ui::Alignment::Left;
    f.Text3.multiLine = true;
    f.Text3.scrollBars = true;
    f.Text3.ToolTipText = "Double Click to Clear";
}

}  // namespace

void frmBench::layOutControls() {
    font = kDialogFont;
    layOutSourceSide(*this);
    layOutDestinationSide(*this);
    layOutArguments(*this);
    layOutResultsAndReport(*this);
}

}  // namespace app
