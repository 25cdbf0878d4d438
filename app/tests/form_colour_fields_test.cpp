#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"
#include "picture_pixels.h"

namespace {

struct Toggle {
    std::string before;
    std::string after;
};

void PrintTo(const Toggle& toggle, std::ostream* out) {
    *out << '"' << toggle.before << '"';
}

class ColourFieldDoubleClick : public FormTest, public ::testing::WithParamInterface<Toggle> {};

TEST_P(ColourFieldDoubleClick, SwitchesOnlyTheNumbers255And0) {
    for (ui::TextBox* field :
         {&form.Text4, &form.Text5, &form.Text6, &form.Text7, &form.Text8, &form.Text9}) {
        field->setText(GetParam().before);
        field->dblClick();
        EXPECT_EQ(field->Text(), GetParam().after) << field->name();
    }
    EXPECT_TRUE(messages.shown.empty());
}

INSTANTIATE_TEST_SUITE_P(Table, ColourFieldDoubleClick,
                         ::testing::Values(Toggle{"255", "0"}, Toggle{"0", "255"},
                                           Toggle{"255.0", "0"}, Toggle{"0255", "0"},
                                           Toggle{"0.0", "255"}, Toggle{"", "255"},
                                           Toggle{"abc", "255"}, Toggle{"&HFF", "0"},
                                           Toggle{"128", "128"}, Toggle{"256", "256"},
                                           Toggle{"-1", "-1"}, Toggle{"254.9", "254.9"},
                                           Toggle{"1e-999", "255"}));

TEST_F(FormTest, DoubleClickTwiceComesBackTo255) {
    form.Text7.dblClick();
    form.Text7.dblClick();
    EXPECT_EQ(form.Text7.Text(), "255");
}

TEST_F(FormTest, DoubleClickOnANumberTooLargeNamesTheFieldAndKeepsIt) {
    const std::pair<ui::TextBox*, const char*> fields[] = {
        {&form.Text7, "Source R"},      {&form.Text8, "Source G"},
        {&form.Text9, "Source B"},      {&form.Text4, "Destination R"},
        {&form.Text5, "Destination G"}, {&form.Text6, "Destination B"}};
    for (const auto& [field, name] : fields) {
        messages.shown.clear();
        field->setText("-1e999");
        field->dblClick();
        EXPECT_EQ(field->Text(), "-1e999");
        ASSERT_EQ(messages.shown.size(), 1u);
        EXPECT_EQ(messages.shown[0], std::string(name) + " holds a number too large.");
    }
}

TEST_F(FormTest, SourceFillMakesBothSourcePicturesOrange) {
    form.Text7.setText("255");
    form.Text8.setText("128");
    form.Text9.setText("0");
    form.cmdSetSrcBkg.click();
    EXPECT_TRUE(uniform(form.srcPic, 0x00FF8000));
    EXPECT_TRUE(uniform(form.srcBigPic, 0x00FF8000));
    EXPECT_EQ(form.srcPic.BackColor(), 0x000080FFu);
    EXPECT_EQ(form.srcBigPic.BackColor(), 0x000080FFu);
    EXPECT_EQ(refreshed, (std::vector<const ui::Picture*>{&form.srcPic, &form.srcBigPic}));
    EXPECT_TRUE(uniform(form.destPic, 0x00FFFFFF));
}

TEST_F(FormTest, DestinationFillWithZerosMakesBothDestinationPicturesBlack) {
    for (ui::TextBox* field : {&form.Text4, &form.Text5, &form.Text6}) field->setText("0");
    form.cmdSetDestBkg.click();
    EXPECT_TRUE(uniform(form.destPic, 0));
    EXPECT_TRUE(uniform(form.destBigPic, 0));
    EXPECT_EQ(refreshed, (std::vector<const ui::Picture*>{&form.destPic, &form.destBigPic}));
}

TEST_F(FormTest, FillReplacesPointsDrawnBefore) {
    drawBottomUp(form.srcPic, distinctPixels());
    form.cmdSetSrcBkg.click();
    EXPECT_TRUE(uniform(form.srcPic, 0x00FFFFFF));
}

struct Component {
    std::string text;
    std::uint32_t pixel;  // the pixel a source fill with this red gives
};

void PrintTo(const Component& component, std::ostream* out) {
    *out << '"' << component.text << '"';
}

class FillComponent : public FormTest, public ::testing::WithParamInterface<Component> {};

TEST_P(FillComponent, IsReadAndRoundedHalvesToEven) {
    form.Text7.setText(GetParam().text);
    form.Text8.setText("0");
    form.Text9.setText("0");
    form.cmdSetSrcBkg.click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(uniform(form.srcPic, GetParam().pixel));
    EXPECT_TRUE(uniform(form.srcBigPic, GetParam().pixel));
}

INSTANTIATE_TEST_SUITE_P(Table, FillComponent,
                         ::testing::Values(Component{"12abc", 0x000C0000}, Component{"0.4", 0},
                                           Component{"254.5", 0x00FE0000},
                                           Component{"253.5", 0x00FE0000}, Component{"0.5", 0},
                                           Component{"1.5", 0x00020000}, Component{"", 0},
                                           Component{"255", 0x00FF0000},
                                           Component{"&HFF", 0x00FF0000}));

class BadFill : public FormTest, public ::testing::WithParamInterface<std::string> {};

TEST_P(BadFill, ShowsTheMessageOnceAndChangesNothing) {
    form.Text4.setText("0");
    form.cmdSetDestBkg.click();
    refreshed.clear();
    const std::pair<ui::TextBox*, const char*> fields[] = {
        {&form.Text7, "Error in RGB's for setting Source Background"},
        {&form.Text8, "Error in RGB's for setting Source Background"},
        {&form.Text9, "Error in RGB's for setting Source Background"},
        {&form.Text4, "Error in RGB's for setting Destination Background"},
        {&form.Text5, "Error in RGB's for setting Destination Background"},
        {&form.Text6, "Error in RGB's for setting Destination Background"}};
    for (const auto& [field, message] : fields) {
        messages.shown.clear();
        const std::string kept = field->Text();
        field->setText(GetParam());
        (field == &form.Text7 || field == &form.Text8 || field == &form.Text9 ? form.cmdSetSrcBkg
                                                                              : form.cmdSetDestBkg)
            .click();
        ASSERT_EQ(messages.shown, std::vector<std::string>{message}) << field->name();
        EXPECT_EQ(field->Text(), GetParam());
        field->setText(kept);
    }
    EXPECT_TRUE(refreshed.empty());
    EXPECT_TRUE(uniform(form.srcPic, 0x00FFFFFF));
    EXPECT_TRUE(uniform(form.destPic, 0x0000FFFF));
    EXPECT_TRUE(uniform(form.destBigPic, 0x0000FFFF));
    EXPECT_EQ(form.destPic.BackColor(), 0x00FFFF00u);
}

INSTANTIATE_TEST_SUITE_P(Table, BadFill, ::testing::Values("256", "-1", "255.4", "-0.4"));

TEST_F(FormTest, EveryBadFieldOfATripleGivesOneMessage) {
    form.Text7.setText("300");
    form.Text8.setText("-5");
    form.Text9.setText("256");
    form.cmdSetSrcBkg.click();
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Error in RGB's for setting Source Background"});
}

TEST_F(FormTest, ABadDestinationFieldDoesNotBlockTheSourceFill) {
    form.Text4.setText("999");
    form.Text7.setText("0");
    form.cmdSetSrcBkg.click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_TRUE(uniform(form.srcPic, 0x0000FFFF));
}

TEST_F(FormTest, FillWithANumberTooLargeNamesTheFieldAndChangesNothing) {
    form.Text5.setText("1e999");
    form.Text6.setText("1e999");
    form.cmdSetDestBkg.click();
    EXPECT_EQ(messages.shown, std::vector<std::string>{"Destination G holds a number too large."});
    EXPECT_EQ(form.Text5.Text(), "1e999");
    EXPECT_TRUE(refreshed.empty());
    EXPECT_TRUE(uniform(form.destPic, 0x00FFFFFF));
    EXPECT_TRUE(uniform(form.destBigPic, 0x00FFFFFF));
}

}  // namespace
