#include <QAbstractButton>
#include <QCoreApplication>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <algorithm>
#include <cmath>

#include "window_fixture.h"

namespace {

enum class Shown { Picture, Text, Caption, Line };

struct Expected {
    const char* name;
    Shown shown;
    const char* text;  // caption or initial text
    int left;          // twips, as designed at 12 twips per pixel
    int top;
    int width;
    int height;
};

int pixels(int twips) {
    return static_cast<int>(std::lround(twips / 12.0));
}

// Every control of the window. Pictures have their sizes after load (8 and 64 pixels).
const Expected kControls[] = {
    {"Label2", Shown::Caption, "Source", 2328, 48, 1044, 228},
    {"srcPic", Shown::Picture, "", 2280, 384, 96, 96},
    {"srcBigPic", Shown::Picture, "", 2448, 384, 768, 768},
    {"Label12", Shown::Caption, "8", 3276, 324, 108, 168},
    {"Label11", Shown::Caption, "1", 3276, 1032, 108, 168},
    {"Label8", Shown::Caption, "R", 336, 60, 156, 228},
    {"Label7", Shown::Caption, "G", 744, 60, 156, 228},
    {"Label6", Shown::Caption, "B", 1140, 60, 156, 228},
    {"Text7", Shown::Text, "255", 252, 312, 336, 288},
    {"Text8", Shown::Text, "255", 660, 312, 336, 288},
    {"Text9", Shown::Text, "255", 1032, 300, 336, 288},
    {"cmdSetSrcBkg", Shown::Caption, "Set  Background", 156, 636, 1344, 276},
    {"cmdSetSrcPoint", Shown::Caption, "Set Point", 156, 972, 1344, 252},
    {"Label9", Shown::Caption, "X", 1668, 696, 192, 228},
    {"Label10", Shown::Caption, "Y", 2028, 696, 192, 228},
    {"Text10", Shown::Text, "0", 1536, 948, 372, 288},
    {"Text11", Shown::Text, "0", 1908, 948, 372, 288},
    {"lblDest", Shown::Caption, "Destination", 5136, 72, 1212, 240},
    {"destPic", Shown::Picture, "", 5196, 384, 96, 96},
    {"destBigPic", Shown::Picture, "", 5364, 384, 768, 768},
    {"Label14", Shown::Caption, "8", 6252, 348, 108, 168},
    {"Label13", Shown::Caption, "1", 6252, 1044, 108, 168},
    {"Label3", Shown::Caption, "R", 3780, 240, 144, 216},
    {"Label4", Shown::Caption, "G", 4188, 240, 144, 216},
    {"Label5", Shown::Caption, "B", 4584, 240, 144, 216},
    {"Text4", Shown::Text, "255", 3708, 492, 336, 288},
    {"Text5", Shown::Text, "255", 4116, 492, 336, 288},
    {"Text6", Shown::Text, "255", 4488, 480, 336, 288},
    {"cmdSetDestBkg", Shown::Caption, "Set  Background", 3612, 828, 1320, 276},
    {"Line1", Shown::Line, "", 0, 1392, 6984, 12},
    {"Line2", Shown::Line, "", 3444, 12, 12, 1404},
    {"Label1(0)", Shown::Caption, "XDest", 4836, 1440, 432, 192},
    {"Label1(1)", Shown::Caption, "YDest", 5676, 1440, 432, 192},
    {"Label1(2)", Shown::Caption, "Width", 4836, 2016, 420, 192},
    {"Label1(3)", Shown::Caption, "Height", 5676, 2016, 468, 192},
    {"Label1(4)", Shown::Caption, "XSrc", 996, 1440, 348, 192},
    {"Label1(5)", Shown::Caption, "YSrc", 1812, 1440, 348, 192},
    {"Label1(6)", Shown::Caption, "Start", 948, 2016, 336, 192},
    {"Label1(7)", Shown::Caption, "#Lines", 1752, 2016, 480, 192},
    {"Text1(0)", Shown::Text, "0", 4836, 1680, 495, 288},
    {"Text1(1)", Shown::Text, "0", 5676, 1680, 495, 288},
    {"Text1(2)", Shown::Text, "8", 4836, 2256, 495, 288},
    {"Text1(3)", Shown::Text, "8", 5676, 2256, 495, 288},
    {"Text2(0)", Shown::Text, "0", 912, 1680, 495, 288},
    {"Text2(1)", Shown::Text, "0", 1752, 1680, 495, 288},
    {"Text2(2)", Shown::Text, "0", 912, 2256, 495, 288},
    {"Text2(3)", Shown::Text, "8", 1752, 2256, 495, 288},
    {"Check1", Shown::Caption, "Source Top Down", 2616, 1608, 1644, 336},
    {"Check2", Shown::Caption, "Destination Top Down", 2628, 2016, 1992, 300},
    {"cmdTest", Shown::Caption, "SetDIBitsToDevice", 2772, 2424, 1644, 468},
    {"srcHeight", Shown::Caption, "Source biHeight = ", 312, 2784, 1968, 252},
    {"dstRet", Shown::Caption, "Ret = 0", 5880, 2796, 852, 240},
    {"Check5", Shown::Caption, "Show Source Bits", 312, 3096, 2388, 192},
    {"Check4", Shown::Caption, "Show Destination Bits", 4476, 3096, 2388, 240},
    {"Text3", Shown::Text, "", 96, 3384, 6804, 2172},
};

QString shownText(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* edit = qobject_cast<const QLineEdit*>(&widget)) return edit->text();
    if (const auto* report = qobject_cast<const QPlainTextEdit*>(&widget))
        return report->toPlainText();
    return {};
}

class ControlLayout : public WindowTest, public ::testing::WithParamInterface<Expected> {};

TEST_P(ControlLayout, StandsAtItsDesignedPlaceWithItsText) {
    const Expected& expected = GetParam();
    const QWidget* shown = widget(expected.name);
    ASSERT_NE(shown, nullptr);
    EXPECT_EQ(shown->parentWidget(), m_window.get());
    EXPECT_TRUE(shown->isVisible());
    EXPECT_EQ(shown->geometry(), QRect(pixels(expected.left), pixels(expected.top),
                                       pixels(expected.width), pixels(expected.height)));
    if (expected.shown == Shown::Text || expected.shown == Shown::Caption) {
        EXPECT_EQ(shownText(*shown).toStdString(), expected.text);
    }
}

INSTANTIATE_TEST_SUITE_P(EveryControl, ControlLayout, ::testing::ValuesIn(kControls),
                         [](const auto& info) {
                             std::string name = info.param.name;
                             std::erase(name, ')');
                             std::replace(name.begin(), name.end(), '(', '_');
                             return name;
                         });

TEST(ControlTable, NamesAllFiftyFiveControls) {
    EXPECT_EQ(std::size(kControls), 55u);
}

struct ExpectedFont {
    const char* name;
    const char* family;
    int pixelSize;
};

// 12 pt is 20 pixels, 9.6 pt 16 and 7.8 pt 13 at the design's 120 dots per inch.
const ExpectedFont kFonts[] = {
    {"Label2", "Liberation Sans", 20},    {"lblDest", "Liberation Sans", 20},
    {"Label3", "Liberation Sans", 16},    {"Label8", "Liberation Sans", 16},
    {"Label10", "Liberation Sans", 16},   {"srcHeight", "Liberation Sans", 16},
    {"dstRet", "Liberation Sans", 16},    {"Check4", "Liberation Sans", 16},
    {"Check5", "Liberation Sans", 16},    {"Text3", "Liberation Mono", 13},
    {"Label1(7)", "Liberation Sans", 13}, {"Text1(0)", "Liberation Sans", 13},
    {"cmdTest", "Liberation Sans", 13},   {"Check1", "Liberation Sans", 13},
};

class ControlFont : public WindowTest, public ::testing::WithParamInterface<ExpectedFont> {};

TEST_P(ControlFont, UsesTheSubstituteFaceAtTheDesignPixelSize) {
    const QWidget* shown = widget(GetParam().name);
    const QFontInfo actual(shown->font());
    EXPECT_EQ(actual.family().toStdString(), GetParam().family);
    EXPECT_EQ(actual.pixelSize(), GetParam().pixelSize);
    EXPECT_FALSE(actual.bold());
    EXPECT_FALSE(actual.italic());
}

INSTANTIATE_TEST_SUITE_P(Samples, ControlFont, ::testing::ValuesIn(kFonts));

TEST_F(WindowTest, CaptionCarriesTheVersion) {
    EXPECT_EQ(m_window->windowTitle().toStdString(), "DIB Lab Ver. 0.4.9");
}

TEST_F(WindowTest, ClientAreaIsTheDesignedSize) {
    EXPECT_EQ(m_window->size(), QSize(582, 487));
}

TEST_F(WindowTest, ControlsStayInPlaceWhenTheWindowIsResized) {
    const QRect before = widget("Text3")->geometry();
    m_window->resize(300, 200);
    QCoreApplication::processEvents();
    EXPECT_EQ(widget("Text3")->geometry(), before);
    EXPECT_EQ(widget("cmdTest")->geometry(), QRect(231, 202, 137, 39));
}

TEST_F(WindowTest, TextBoxesShowTheirAlignmentAndToolTips) {
    EXPECT_EQ(static_cast<QLineEdit*>(widget("Text1(0)"))->alignment() & Qt::AlignHorizontal_Mask,
              Qt::AlignHCenter);
    EXPECT_EQ(widget("Text4")->toolTip().toStdString(), "Double Click to Change");
    EXPECT_EQ(widget("Text9")->toolTip().toStdString(), "Double Click to Change");
    EXPECT_EQ(widget("Text3")->toolTip().toStdString(), "Double Click to Clear");
    EXPECT_TRUE(widget("Text10")->toolTip().isEmpty());
}

TEST_F(WindowTest, ReportBoxHasBothScrollBarsAndDoesNotWrap) {
    const auto* report = static_cast<QPlainTextEdit*>(widget("Text3"));
    EXPECT_EQ(report->lineWrapMode(), QPlainTextEdit::NoWrap);
    EXPECT_TRUE(report->horizontalScrollBar()->isVisible());
    EXPECT_TRUE(report->verticalScrollBar()->isVisible());
}

}  // namespace
