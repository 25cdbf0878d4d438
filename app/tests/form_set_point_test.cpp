#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"
#include "picture_pixels.h"

namespace {

class SetPointTest : public FormTest {
protected:
    void setPoint(const std::string& red, const std::string& green, const std::string& blue,
                  const std::string& x, const std::string& y) {
        form.Text7.setText(red);
        form.Text8.setText(green);
        form.Text9.setText(blue);
        form.Text10.setText(x);
        form.Text11.setText(y);
        form.cmdSetSrcPoint.click();
    }

    // Black source, so that every written pixel stands out.
    void blackSource() {
        setPoint("0", "0", "0", "0", "0");
        form.cmdSetSrcBkg.click();
        refreshed.clear();
    }

    std::uint32_t sourcePixel(int column, int rowFromBottom) const {
        return bottomUpPixels(form.srcPic)[rowFromBottom * 8 + column];
    }
};

TEST_F(SetPointTest, RedAtTheOriginTurnsTheBottomLeftPixelAndBlockRed) {
    blackSource();
    setPoint("255", "0", "0", "0", "0");
    const auto small = bottomUpPixels(form.srcPic);
    const auto big = bottomUpPixels(form.srcBigPic);
    for (int i = 0; i < 64; ++i) EXPECT_EQ(small[i], i == 0 ? 0x00FF0000u : 0u) << i;
    for (int y = 0; y < 64; ++y) {
        for (int x = 0; x < 64; ++x) {
            ASSERT_EQ(big[y * 64 + x], x < 8 && y < 8 ? 0xFFFF0000u : 0xFF000000u) << x << "," << y;
        }
    }
    EXPECT_EQ(refreshed, (std::vector<const ui::Picture*>{&form.srcBigPic, &form.srcPic}));
    EXPECT_TRUE(messages.shown.empty());
}

struct Column {
    std::string x;
    int column;
};

void PrintTo(const Column& column, std::ostream* out) {
    *out << "X \"" << column.x << '"';
}

class SetPointColumn : public SetPointTest, public ::testing::WithParamInterface<Column> {};

TEST_P(SetPointColumn, FractionalPositionRoundsHalvesToEven) {
    blackSource();
    setPoint("255", "255", "255", GetParam().x, "3");
    for (int column = 0; column < 8; ++column) {
        EXPECT_EQ(sourcePixel(column, 3), column == GetParam().column ? 0x00FFFFFFu : 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(Table, SetPointColumn,
                         ::testing::Values(Column{"0.5", 0}, Column{"1.5", 2}, Column{"6.5", 6},
                                           Column{"7", 7}, Column{"", 0}, Column{"abc", 0},
                                           Column{"2xyz", 2}, Column{"7.00000001", 7}));

TEST_F(SetPointTest, HalfARedIsOneMidGreenValue) {
    blackSource();
    setPoint("0.5", "0", "0", "1", "1");
    EXPECT_EQ(sourcePixel(1, 1), 0x00008000u);
}

TEST_F(SetPointTest, ColourIsRoundedOnceAfterCombining) {
    blackSource();
    setPoint("0", "0.5", "0.5", "2", "2");
    EXPECT_EQ(sourcePixel(2, 2), 128u);  // 128.5 rounds to the even 128
    setPoint("0", "1.5", "0.5", "2", "2");
    EXPECT_EQ(sourcePixel(2, 2), 384u);  // 384.5 rounds to the even 384
}

TEST_F(SetPointTest, YCountsFromTheBottomWhateverSourceTopDownSays) {
    blackSource();
    form.Check1.click();
    setPoint("0", "255", "0", "0", "0");
    EXPECT_EQ(sourcePixel(0, 0), 0x0000FF00u);
    EXPECT_EQ(sourcePixel(0, 7), 0u);
}

TEST_F(SetPointTest, SecondColourWinsAndOtherPixelsKeepTheirValues) {
    drawBottomUp(form.srcPic, distinctPixels());
    setPoint("1", "2", "3", "4", "5");
    setPoint("10", "20", "30", "4", "5");
    const auto small = bottomUpPixels(form.srcPic);
    const auto expected = distinctPixels();
    for (int i = 0; i < 64; ++i) {
        EXPECT_EQ(small[i], i == 5 * 8 + 4 ? 0x000A141Eu : static_cast<std::uint32_t>(expected[i]));
    }
}

struct Refused {
    std::string red;
    std::string x;
    std::string y;
    std::string message;
};

void PrintTo(const Refused& refused, std::ostream* out) {
    *out << "red \"" << refused.red << "\" X \"" << refused.x << "\" Y \"" << refused.y << '"';
}

class SetPointRefused : public SetPointTest, public ::testing::WithParamInterface<Refused> {};

TEST_P(SetPointRefused, ShowsTheMessageAndChangesNothing) {
    drawBottomUp(form.srcPic, distinctPixels());
    const auto bigBefore = ui::imagePixels(form.srcBigPic);
    setPoint(GetParam().red, "0", "0", GetParam().x, GetParam().y);
    EXPECT_EQ(messages.shown, std::vector<std::string>{GetParam().message});
    EXPECT_TRUE(refreshed.empty());
    const auto small = bottomUpPixels(form.srcPic);
    const auto expected = distinctPixels();
    for (int i = 0; i < 64; ++i) EXPECT_EQ(small[i], static_cast<std::uint32_t>(expected[i]));
    EXPECT_EQ(ui::imagePixels(form.srcBigPic), bigBefore);
}

const char* const kColour = "Error in RGB's for setting Source Colours";
const char* const kPosition = "Error in position X/Y's for setting Source Colours";

INSTANTIATE_TEST_SUITE_P(
    Table, SetPointRefused,
    ::testing::Values(Refused{"255.5", "0", "0", kColour}, Refused{"-0.1", "0", "0", kColour},
                      Refused{"256", "0", "0", kColour}, Refused{"0", "7.4", "0", kPosition},
                      Refused{"0", "7.1", "0", kPosition}, Refused{"0", "-1", "0", kPosition},
                      Refused{"0", "0", "8", kPosition}, Refused{"0", "0", "-0.1", kPosition},
                      Refused{"300", "9", "-9", kColour}, Refused{"300", "1e999", "0", kColour},
                      Refused{"1e999", "0", "0", "Source R holds a number too large."},
                      Refused{"0", "1e999", "0", "X holds a number too large."},
                      Refused{"0", "9", "-1e999", "Y holds a number too large."},
                      Refused{"0", "&HFFFFFFFFF", "0", "X holds a number too large."}));

}  // namespace
