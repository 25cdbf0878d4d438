#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTest>
#include <QTextBlock>

#include "window_fixture.h"

namespace {

class TestRunWindow : public WindowTest {
protected:
    void click(const std::string& name) const {
        QWidget* target = widget(name);
        QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, QPoint(8, target->height() / 2));
    }
    void doubleClick(const std::string& name) const {
        QTest::mouseDClick(widget(name), Qt::LeftButton);
    }
    // Replaces a one-digit argument by typing, as a user would: Backspace, then the new digit.
    void typeArgument(const std::string& name, char digit) const {
        focus(name);
        auto* field = static_cast<QLineEdit*>(widget(name));
        field->end(false);
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClick(field, digit);
    }
    QImage shownImage(const std::string& picture) const {
        return widget(picture)->grab().toImage();
    }
};

std::string listing(const std::string& header, const std::string& row) {
    std::string text = header + "\n";
    for (int line = 1; line <= 8; ++line) text += std::to_string(line) + ": " + row + "\n";
    return text;
}

TEST_F(TestRunWindow, ButtonRunsTheCallAndTheReportShowsBothListings) {
    doubleClick("Text8");  // source green 255 -> 0
    doubleClick("Text9");  // source blue 255 -> 0
    click("cmdSetSrcBkg");
    click("Check5");
    click("Check4");
    typeArgument("Text1(0)", '4');  // XDest
    click("cmdTest");

    const std::string report =
        static_cast<QPlainTextEdit*>(widget("Text3"))->toPlainText().toStdString();
    const std::string red = "FF0000, FF0000, FF0000, FF0000";
    const std::string white = "FFFFFF, FFFFFF, FFFFFF, FFFFFF";
    EXPECT_EQ(report, listing("Src Pixels (RRGGBB) are", red + ", " + red) +
                          listing("Dst Pixels (RRGGBB) are", white + ", " + red));
    EXPECT_EQ(static_cast<QLabel*>(widget("dstRet"))->text().toStdString(), "Ret = 8");
    EXPECT_EQ(static_cast<QLabel*>(widget("srcHeight"))->text().toStdString(),
              "Source biHeight = 8");

    const QImage destination = shownImage("destBigPic");
    EXPECT_EQ(destination.pixel(31, 0), 0xFFFFFFFFu);
    EXPECT_EQ(destination.pixel(32, 0), 0xFFFF0000u);
    EXPECT_EQ(destination.pixel(63, 63), 0xFFFF0000u);
    EXPECT_EQ(shownImage("destPic").pixel(3, 7), 0xFFFFFFFFu);
    EXPECT_EQ(shownImage("destPic").pixel(4, 7), 0xFFFF0000u);
    EXPECT_EQ(shownImage("srcBigPic").pixel(0, 63), 0xFFFF0000u);
}

// After each run the report box shows the newest listing from its header line on, however many
// listings came before it.
TEST_F(TestRunWindow, TheReportScrollsToTheStartOfTheNewestListing) {
    auto* report = static_cast<QPlainTextEdit*>(widget("Text3"));
    click("Check4");
    constexpr int kLinesPerListing = 9;
    for (int run = 0; run < 4; ++run) {
        click("cmdTest");
        const QTextBlock top = report->cursorForPosition(QPoint(0, 0)).block();
        EXPECT_EQ(top.blockNumber(), run * kLinesPerListing) << "run " << run;
        EXPECT_EQ(top.text().toStdString(), "Dst Pixels (RRGGBB) are") << "run " << run;
    }
}

}  // namespace
