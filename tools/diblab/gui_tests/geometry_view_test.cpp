// The status line's account of each run and the geometry drawn over the magnified views.

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTest>

#include "main_window_fixture.h"
#include "ui/picture.h"

namespace {

class GeometryView : public MainWindowTest {
protected:
    // Both pictures black, so that every mark shows; both listings on.
    void SetUp() override {
        MainWindowTest::SetUp();
        for (const char* field : {"Text4", "Text5", "Text6", "Text7", "Text8", "Text9"}) {
            retype(field, "0");
        }
        click("cmdSetSrcBkg");
        click("cmdSetDestBkg");
        click("Check4");
        click("Check5");
    }

    QImage shown(const std::string& picture) const {
        return widget(picture)->grab().toImage().convertToFormat(QImage::Format_RGB32);
    }

    // The rows of the 64 x 64 view whose cells carry a written-pixel dot in their middle.
    std::string dottedRows() const {
        const QImage view = shown("destBigPic");
        std::string rows;
        for (int row = 0; row < 8; ++row) {
            rows += view.pixel(3 * 8 + 4, row * 8 + 4) == 0xFFFFFFFFu ? 'o' : '.';
        }
        return rows;
    }

    // The rows of the source view that the band's hatching crosses.
    std::string hatchedRows() const {
        const QImage view = shown("srcBigPic");
        std::string rows;
        for (int row = 0; row < 8; ++row) {
            bool hatched = false;
            for (int x = 8; x < 56 && !hatched; ++x) {
                for (int y = row * 8 + 2; y < row * 8 + 6; ++y) {
                    hatched = hatched || view.pixel(x, y) == 0xFFFF3CFFu;
                }
            }
            rows += hatched ? 'h' : '.';
        }
        return rows;
    }

    std::vector<std::vector<std::uint32_t>> images() const {
        return {ui::imagePixels(form().srcPic), ui::imagePixels(form().srcBigPic),
                ui::imagePixels(form().destPic), ui::imagePixels(form().destBigPic)};
    }
};

TEST_F(GeometryView, StatusLineExplainsEachRun) {
    EXPECT_EQ(statusText(), "");
    retype("Text2(2)", "2");
    retype("Text2(3)", "3");
    click("cmdTest");
    EXPECT_EQ(statusText(),
              "Ret = 3: bottom-up source of 8 rows; the band holds scan lines 2 to 4 (from 0 at "
              "the bottom), all below the top of the source rectangle (YSrc + Height = 8), so all "
              "3 count; source rows labelled 1 to 3 were drawn to destination rows labelled 3 to "
              "5; the rectangle's scan lines 0 to 1 and 5 to 7 lie outside the band.");
    retype("Text2(2)", "9");
    click("cmdTest");
    EXPECT_EQ(statusText(),
              "Ret = 0: bottom-up source of 8 rows; Start 9 is at or beyond its 8 scan lines "
              "(from 0 at the bottom), so nothing is drawn and the result is 0.");
}

TEST_F(GeometryView, StatusLineHoldsTheLongestAccountWhole) {
    const char* arguments[][2] = {{"Text1(0)", "-2"}, {"Text1(1)", "2"}, {"Text1(2)", "11"},
                                  {"Text1(3)", "11"}, {"Text2(0)", "0"}, {"Text2(1)", "0"},
                                  {"Text2(2)", "1"},  {"Text2(3)", "12"}};
    for (const auto& [field, value] : arguments) {
        retype(field, value);
    }
    click("cmdTest");
    const QLabel& status = m_window->statusLabel("account");
    ASSERT_GT(status.text().size(), 560);
    EXPECT_LE(status.heightForWidth(status.width()), status.height());
}

TEST_F(GeometryView, MarksFollowFieldsAndBoxesAndNeverReachTheImages) {
    retype("Text2(2)", "2");
    retype("Text2(3)", "3");
    const auto before = images();
    EXPECT_EQ(dottedRows(), "........");
    action("Show &Geometry")->trigger();
    EXPECT_EQ(dottedRows(), "...ooo..");
    EXPECT_EQ(hatchedRows(), ".....hhh");
    EXPECT_EQ(shown("destBigPic").pixel(0, 20), 0xFF00E0FFu);  // the destination rectangle
    EXPECT_EQ(shown("destBigPic").pixel(2, 20), 0xFF000000u);  // and its halo
    EXPECT_EQ(shown("srcBigPic").pixel(0, 20), 0xFFFFD200u);   // the source rectangle
    EXPECT_NE(widget("destBigPic")->toolTip().indexOf("destination rectangle"), -1);
    EXPECT_EQ(images(), before);

    retype("Text1(1)", "2");  // YDest
    EXPECT_EQ(dottedRows(), ".....ooo");
    click("Check1");  // a top-down source reads the picture's top rows as the band
    EXPECT_EQ(hatchedRows(), "hhh.....");
    EXPECT_EQ(images(), before);

    // A run with the marks shown lists and draws exactly what a run without them does.
    click("cmdTest");
    const std::string firstReport = form().Text3.Text();
    const auto drawn = images();
    action("Show &Geometry")->trigger();
    click("cmdTest");
    EXPECT_EQ(form().Text3.Text(), firstReport + firstReport);
    EXPECT_EQ(images(), drawn);
    EXPECT_EQ(dottedRows(), "........");
    EXPECT_TRUE(widget("destBigPic")->toolTip().isEmpty());
}

}  // namespace
