#include <gtest/gtest.h>

#include <cctype>
#include <set>
#include <ostream>
#include <string>

#include "app/frm_bench.h"

namespace {

using K = ui::ControlKind;

// Design-time state of every control but the lines, in pixels at 12 twips per pixel.
struct ControlRow {
    const char* name;
    K kind;
    const char* text;  // caption or text
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    const char* tag;
    const char* toolTip;
    const char* fontName;
    double fontSize;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const ControlRow& c, std::ostream* out) {
    *out << c.name;
}

const ControlRow kRows[] = {
    {"Label2", K::Label, "Source", 194, 4, 87, 19, 26, "", "", "MS Sans Serif", 12},
    {"srcPic", K::Picture, "", 190, 32, 8, 8, 0, "", "", "MS Sans Serif", 7.8},
    {"srcBigPic", K::Picture, "", 204, 32, 64, 64, 1, "", "", "MS Sans Serif", 7.8},
    {"Label12", K::Label, "8", 273, 27, 9, 14, 50, "", "", "MS Sans Serif", 7.8},
    {"Label11", K::Label, "1", 273, 86, 9, 14, 49, "", "", "MS Sans Serif", 7.8},
    {"Label8", K::Label, "R", 28, 5, 13, 19, 43, "", "", "MS Sans Serif", 9.6},
    {"Label7", K::Label, "G", 62, 5, 13, 19, 42, "", "", "MS Sans Serif", 9.6},
    {"Label6", K::Label, "B", 95, 5, 13, 19, 41, "", "", "MS Sans Serif", 9.6},
    {"Text7", K::TextBox, "255", 21, 26, 28, 24, 40, "", "Double Click to Change", "MS Sans Serif",
     7.8},
    {"Text8", K::TextBox, "255", 55, 26, 28, 24, 39, "", "Double Click to Change", "MS Sans Serif",
     7.8},
    {"Text9", K::TextBox, "255", 86, 25, 28, 24, 38, "", "Double Click to Change", "MS Sans Serif",
     7.8},
    {"cmdSetSrcBkg", K::CommandButton, "Set  Background", 13, 53, 112, 23, 37, "", "",
     "MS Sans Serif", 7.8},
    {"cmdSetSrcPoint", K::CommandButton, "Set Point", 13, 81, 112, 21, 48, "", "", "MS Sans Serif",
     7.8},
    {"Label9", K::Label, "X", 139, 58, 16, 19, 46, "", "", "MS Sans Serif", 9.6},
    {"Label10", K::Label, "Y", 169, 58, 16, 19, 47, "", "", "MS Sans Serif", 9.6},
    {"Text10", K::TextBox, "0", 128, 79, 31, 24, 44, "", "", "MS Sans Serif", 7.8},
    {"Text11", K::TextBox, "0", 159, 79, 31, 24, 45, "", "", "MS Sans Serif", 7.8},
    {"lblDest", K::Label, "Destination", 428, 6, 101, 20, 23, "", "", "MS Sans Serif", 12},
    {"destPic", K::Picture, "", 433, 32, 9, 8, 22, "", "", "MS Sans Serif", 7.8},
    {"destBigPic", K::Picture, "", 447, 32, 64, 64, 25, "", "", "MS Sans Serif", 7.8},
    {"Label14", K::Label, "8", 521, 29, 9, 14, 51, "", "", "MS Sans Serif", 7.8},
    {"Label13", K::Label, "1", 521, 87, 9, 14, 52, "", "", "MS Sans Serif", 7.8},
    {"Label3", K::Label, "R", 315, 20, 12, 18, 33, "", "", "MS Sans Serif", 9.6},
    {"Label4", K::Label, "G", 349, 20, 12, 18, 34, "", "", "MS Sans Serif", 9.6},
    {"Label5", K::Label, "B", 382, 20, 12, 18, 35, "", "", "MS Sans Serif", 9.6},
    {"Text4", K::TextBox, "255", 309, 41, 28, 24, 30, "", "Double Click to Change", "MS Sans Serif",
     7.8},
    {"Text5", K::TextBox, "255", 343, 41, 28, 24, 31, "", "Double Click to Change", "MS Sans Serif",
     7.8},
    {"Text6", K::TextBox, "255", 374, 40, 28, 24, 32, "", "Double Click to Change", "MS Sans Serif",
     7.8},
    {"cmdSetDestBkg", K::CommandButton, "Set  Background", 301, 69, 110, 23, 36, "", "",
     "MS Sans Serif", 7.8},
    {"Label1(0)", K::Label, "XDest", 403, 120, 36, 16, 21, "", "", "MS Sans Serif", 7.8},
    {"Label1(1)", K::Label, "YDest", 473, 120, 36, 16, 20, "", "", "MS Sans Serif", 7.8},
    {"Label1(2)", K::Label, "Width", 403, 168, 35, 16, 19, "", "", "MS Sans Serif", 7.8},
    {"Label1(3)", K::Label, "Height", 473, 168, 39, 16, 18, "", "", "MS Sans Serif", 7.8},
    {"Label1(4)", K::Label, "XSrc", 83, 120, 29, 16, 17, "", "", "MS Sans Serif", 7.8},
    {"Label1(5)", K::Label, "YSrc", 151, 120, 29, 16, 16, "", "", "MS Sans Serif", 7.8},
    {"Label1(6)", K::Label, "Start", 79, 168, 28, 16, 15, "", "", "MS Sans Serif", 7.8},
    {"Label1(7)", K::Label, "#Lines", 146, 168, 40, 16, 14, "", "", "MS Sans Serif", 7.8},
    {"Text1(0)", K::TextBox, "0", 403, 140, 41, 24, 11, "0", "", "MS Sans Serif", 7.8},
    {"Text1(1)", K::TextBox, "0", 473, 140, 41, 24, 8, "0", "", "MS Sans Serif", 7.8},
    {"Text1(2)", K::TextBox, "8", 403, 188, 41, 24, 10, "0", "", "MS Sans Serif", 7.8},
    {"Text1(3)", K::TextBox, "8", 473, 188, 41, 24, 9, "0", "", "MS Sans Serif", 7.8},
    {"Text2(0)", K::TextBox, "0", 76, 140, 41, 24, 7, "0", "", "MS Sans Serif", 7.8},
    {"Text2(1)", K::TextBox, "0", 146, 140, 41, 24, 6, "0", "", "MS Sans Serif", 7.8},
    {"Text2(2)", K::TextBox, "0", 76, 188, 41, 24, 5, "0", "", "MS Sans Serif", 7.8},
    {"Text2(3)", K::TextBox, "8", 146, 188, 41, 24, 4, "0", "", "MS Sans Serif", 7.8},
    {"Check1", K::CheckBox, "Source Top Down", 218, 134, 137, 28, 3, "", "", "MS Sans Serif", 7.8},
    {"Check2", K::CheckBox, "Destination Top Down", 219, 168, 166, 25, 2, "", "", "MS Sans Serif",
     7.8},
    {"cmdTest", K::CommandButton, "SetDIBitsToDevice", 231, 202, 137, 39, 12, "", "",
     "MS Sans Serif", 7.8},
    {"srcHeight", K::Label, "Source biHeight = ", 26, 232, 164, 21, 24, "", "", "MS Sans Serif",
     9.6},
    {"dstRet", K::Label, "Ret = 0", 490, 233, 71, 20, 13, "", "", "MS Sans Serif", 9.6},
    {"Check5", K::CheckBox, "Show Source Bits", 26, 258, 199, 16, 28, "", "", "MS Sans Serif", 9.6},
    {"Check4", K::CheckBox, "Show Destination Bits", 373, 258, 199, 20, 27, "", "", "MS Sans Serif",
     9.6},
    {"Text3", K::TextBox, "", 8, 282, 567, 181, 29, "", "Double Click to Clear", "Courier New",
     7.8},
};

std::string shownText(const ui::Control& control) {
    if (const auto* box = dynamic_cast<const ui::TextBox*>(&control)) return box->Text();
    if (const auto* label = dynamic_cast<const ui::Label*>(&control)) return label->Caption();
    if (const auto* check = dynamic_cast<const ui::CheckBox*>(&control)) return check->Caption();
    if (const auto* button = dynamic_cast<const ui::CommandButton*>(&control)) {
        return button->Caption();
    }
    return "";
}

class ControlLayout : public testing::TestWithParam<ControlRow> {
protected:
    app::frmBench form;
};

TEST_P(ControlLayout, MatchesTheDesign) {
    const ControlRow& row = GetParam();
    const ui::Control* control = form.find(row.name);
    ASSERT_NE(control, nullptr);
    EXPECT_EQ(control->kind(), row.kind);
    EXPECT_EQ(shownText(*control), row.text);
    EXPECT_EQ(control->Left, row.left);
    EXPECT_EQ(control->Top, row.top);
    EXPECT_EQ(control->Width, row.width);
    EXPECT_EQ(control->Height, row.height);
    EXPECT_EQ(control->TabIndex, row.tabIndex);
    EXPECT_EQ(control->Tag, row.tag);
    EXPECT_EQ(control->ToolTipText, row.toolTip);
    EXPECT_EQ(control->font.name, row.fontName);
    EXPECT_DOUBLE_EQ(control->font.points, row.fontSize);
}

std::string rowName(const testing::TestParamInfo<ControlRow>& info) {
    std::string name;
    for (const char* c = info.param.name; *c != '\0'; ++c) {
        if (*c == '(') name += '_';
        if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
    }
    return name;
}

INSTANTIATE_TEST_SUITE_P(Design, ControlLayout, testing::ValuesIn(kRows), rowName);

TEST(FormLayout, WindowHasItsClientSizeDesignCaptionAndDialogFont) {
    const app::frmBench form;
    EXPECT_EQ(form.name(), "frmBench");
    EXPECT_EQ(form.clientWidth(), 582);
    EXPECT_EQ(form.clientHeight(), 487);
    EXPECT_EQ(form.Caption(), "DIB Lab");
    EXPECT_EQ(form.font.name, "MS Sans Serif");
    EXPECT_DOUBLE_EQ(form.font.points, 7.8);
}

TEST(FormLayout, HasFiftyFiveDistinctlyNamedControls) {
    const app::frmBench form;
    std::set<std::string> names;
    for (const ui::Control* control : form.controls()) names.insert(control->qualifiedName());
    EXPECT_EQ(form.controls().size(), 55u);
    EXPECT_EQ(names.size(), 55u);
}

TEST(FormLayout, TabIndexesNumberTheNonLineControlsFromZero) {
    const app::frmBench form;
    std::set<int> indexes;
    for (const ui::Control* control : form.controls()) {
        if (control->kind() != K::Line) indexes.insert(control->TabIndex);
    }
    ASSERT_EQ(indexes.size(), 53u);
    EXPECT_EQ(*indexes.begin(), 0);
    EXPECT_EQ(*indexes.rbegin(), 52);
}

TEST(FormLayout, LinesSeparateTheBands) {
    const app::frmBench form;
    EXPECT_EQ(form.find("Line1"), &form.Line1);
    EXPECT_EQ(form.find("Line2"), &form.Line2);
    EXPECT_EQ(form.Line1.X1, 0);
    EXPECT_EQ(form.Line1.Y1, 116);
    EXPECT_EQ(form.Line1.X2, 581);
    EXPECT_EQ(form.Line1.Y2, 116);
    EXPECT_EQ(form.Line2.X1, 287);
    EXPECT_EQ(form.Line2.Y1, 1);
    EXPECT_EQ(form.Line2.X2, 287);
    EXPECT_EQ(form.Line2.Y2, 117);
    EXPECT_EQ(form.Line2.Width, 1);
    EXPECT_EQ(form.Line2.Height, 117);
}

TEST(FormLayout, TextBoxesAreCentredSingleLineExceptTheReportBox) {
    const app::frmBench form;
    for (const ui::Control* control : form.controls()) {
        const auto* box = dynamic_cast<const ui::TextBox*>(control);
        if (box == nullptr || box == &form.Text3) continue;
        EXPECT_EQ(box->alignment, ui::Alignment::Center) << box->qualifiedName();
        EXPECT_FALSE(box->multiLine) << box->qualifiedName();
        EXPECT_FALSE(box->scrollBars) << box->qualifiedName();
    }
    EXPECT_EQ(form.Text3.alignment, ui::Alignment::Left);
    EXPECT_TRUE(form.Text3.multiLine);
    EXPECT_TRUE(form.Text3.scrollBars);
}

TEST(FormLayout, PicturesStartWhiteAndCheckBoxesClear) {
    const app::frmBench form;
    for (const ui::Picture* picture :
         {&form.srcPic, &form.srcBigPic, &form.destPic, &form.destBigPic}) {
        EXPECT_EQ(picture->BackColor(), 0x00FFFFFFu) << picture->name();
    }
    for (const ui::CheckBox* box : {&form.Check1, &form.Check2, &form.Check4, &form.Check5}) {
        EXPECT_EQ(box->Value(), 0) << box->name();
    }
}

}  // namespace
