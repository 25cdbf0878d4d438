#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

#include "app/frm_bench.h"
#include "app/version_caption.h"

namespace {

struct CaptionCase {
    int major;
    int minor;
    int revision;
    const char* expected;
};

// Names the case in test listings instead of dumping its bytes.
void PrintTo(const CaptionCase& c, std::ostream* out) {
    *out << c.expected;
}

class VersionCaption : public testing::TestWithParam<CaptionCase> {};

TEST_P(VersionCaption, WritesEachPartInPlainDecimal) {
    const CaptionCase& c = GetParam();
    EXPECT_EQ(app::versionCaption("DIB Lab", c.major, c.minor, c.revision), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Parts, VersionCaption,
                         testing::Values(CaptionCase{0, 4, 9, "DIB Lab Ver. 0.4.9"},
                                         CaptionCase{0, 0, 0, "DIB Lab Ver. 0.0.0"},
                                         CaptionCase{10, 20, 305, "DIB Lab Ver. 10.20.305"},
                                         CaptionCase{1, 10, 100, "DIB Lab Ver. 1.10.100"}));

class LoadedForm : public testing::Test {
protected:
    void SetUp() override { form.load(); }
    app::frmBench form;
};

TEST_F(LoadedForm, CaptionCarriesTheBuildVersion) {
    EXPECT_EQ(form.Caption(), "DIB Lab Ver. 0.4.9");
}

TEST_F(LoadedForm, PicturesHavePixelScaleAndTheirSizes) {
    const std::pair<const ui::Picture*, double> sizes[] = {
        {&form.srcPic, 8}, {&form.srcBigPic, 64}, {&form.destPic, 8}, {&form.destBigPic, 64}};
    for (const auto& [picture, size] : sizes) {
        EXPECT_EQ(picture->ScaleMode(), ui::kScalePixel) << picture->name();
        EXPECT_EQ(picture->ScaleWidth(), size) << picture->name();
        EXPECT_EQ(picture->ScaleHeight(), size) << picture->name();
        BITMAP image{};
        ASSERT_EQ(GetObjectA(picture->Image(), sizeof image, &image),
                  static_cast<int>(sizeof image));
        EXPECT_EQ(image.bmWidth, static_cast<LONG>(size)) << picture->name();
        EXPECT_EQ(image.bmHeight, static_cast<LONG>(size)) << picture->name();
    }
}

TEST_F(LoadedForm, DestinationImageIsWhiteAfterShrinking) {
    for (const std::uint32_t pixel : ui::imagePixels(form.destPic)) EXPECT_EQ(pixel, 0x00FFFFFFu);
}

TEST_F(LoadedForm, SourceOrientationSwapsOnlyTheSourceRowLabels) {
    form.Check1.click();
    EXPECT_EQ(form.Label12.Caption(), "1");
    EXPECT_EQ(form.Label11.Caption(), "8");
    EXPECT_EQ(form.Label14.Caption(), "8");
    EXPECT_EQ(form.Label13.Caption(), "1");
    form.Check1.click();
    EXPECT_EQ(form.Label12.Caption(), "8");
    EXPECT_EQ(form.Label11.Caption(), "1");
}

TEST_F(LoadedForm, DestinationOrientationSwapsOnlyTheDestinationRowLabels) {
    form.Check2.click();
    EXPECT_EQ(form.Label14.Caption(), "1");
    EXPECT_EQ(form.Label13.Caption(), "8");
    EXPECT_EQ(form.Label12.Caption(), "8");
    EXPECT_EQ(form.Label11.Caption(), "1");
    form.Check2.setValue(0);
    EXPECT_EQ(form.Label14.Caption(), "8");
    EXPECT_EQ(form.Label13.Caption(), "1");
}

TEST_F(LoadedForm, DoubleClickEmptiesTheReportBox) {
    form.Text3.setText("first report\r\nsecond report\r\n");
    form.Text3.dblClick();
    EXPECT_EQ(form.Text3.Text(), "");
    form.Text3.dblClick();
    EXPECT_EQ(form.Text3.Text(), "");
}

std::vector<std::string> tabWalk(app::frmBench& form, bool backward, int steps) {
    std::vector<std::string> names;
    for (int i = 0; i < steps; ++i) {
        form.focusNext(backward);
        names.push_back(form.ActiveControl()->qualifiedName());
    }
    return names;
}

const std::vector<std::string> kFocusOrder = {
    "srcPic",   "srcBigPic", "Check2",     "Check1",        "Text2(3)",      "Text2(2)",
    "Text2(1)", "Text2(0)",  "Text1(1)",   "Text1(3)",      "Text1(2)",      "Text1(0)",
    "cmdTest",  "destPic",   "destBigPic", "Check4",        "Check5",        "Text3",
    "Text4",    "Text5",     "Text6",      "cmdSetDestBkg", "cmdSetSrcBkg",  "Text9",
    "Text8",    "Text7",     "Text10",     "Text11",        "cmdSetSrcPoint"};

TEST_F(LoadedForm, FocusStartsAtTheSourcePictureAndTabFollowsTheTabIndexes) {
    ASSERT_EQ(form.ActiveControl(), &form.srcPic);
    std::vector<std::string> expected(kFocusOrder.begin() + 1, kFocusOrder.end());
    expected.push_back("srcPic");
    EXPECT_EQ(tabWalk(form, false, static_cast<int>(expected.size())), expected);
}

TEST_F(LoadedForm, ShiftTabWalksTheSameOrderBackwards) {
    std::vector<std::string> expected(kFocusOrder.rbegin(), kFocusOrder.rend());
    EXPECT_EQ(tabWalk(form, true, static_cast<int>(expected.size())), expected);
}

}  // namespace
