#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"
#include "picture_pixels.h"

namespace {

struct Snapshot {
    std::string report;
    std::string result;
    std::string height;
    std::vector<std::vector<std::uint32_t>> images;

    bool operator==(const Snapshot&) const = default;
};

struct BadArgument {
    int field;  // 0..3 Text1(0..3), 4..7 Text2(0..3)
    std::string text;
};

void PrintTo(const BadArgument& argument, std::ostream* out) {
    *out << "field " << argument.field << " \"" << argument.text << '"';
}

class OutOfRange : public FormTest, public ::testing::WithParamInterface<BadArgument> {
protected:
    Snapshot snapshot() const {
        return {form.Text3.Text(),
                form.dstRet.Caption(),
                form.srcHeight.Caption(),
                {ui::imagePixels(form.srcPic), ui::imagePixels(form.srcBigPic),
                 ui::imagePixels(form.destPic), ui::imagePixels(form.destBigPic)}};
    }

    ui::TextBox& field(int index) {
        return index < 4 ? form.Text1[static_cast<std::size_t>(index)]
                         : form.Text2[static_cast<std::size_t>(index - 4)];
    }
};

TEST_P(OutOfRange, NamesTheFieldOnceAndChangesNothing) {
    // A first run with a shifted copy leaves captions, views and a report to keep.
    drawBottomUp(form.srcPic, distinctPixels());
    form.Check5.click();
    form.Check4.click();
    form.Text1[0].setText("2");
    form.cmdTest.click();
    drawBottomUp(form.srcPic, std::vector<std::int32_t>(64, 0x00123456));
    form.Check1.click();
    form.Text1[0].setText("0");
    const Snapshot before = snapshot();
    refreshed.clear();

    field(GetParam().field).setText(GetParam().text);
    form.cmdTest.click();

    const char* const captions[] = {"XDest", "YDest", "Width", "Height",
                                    "XSrc",  "YSrc",  "Start", "#Lines"};
    EXPECT_EQ(messages.shown, std::vector<std::string>{std::string(captions[GetParam().field]) +
                                                       " must be a whole number from -32768 to "
                                                       "32767."});
    EXPECT_TRUE(snapshot() == before);
    EXPECT_TRUE(refreshed.empty());
    EXPECT_EQ(field(GetParam().field).Text(), GetParam().text);
}

std::vector<BadArgument> badArguments() {
    std::vector<BadArgument> cases;
    for (int field = 0; field < 8; ++field) {
        for (const char* text : {"-32769", "32768", "1e999"}) cases.push_back({field, text});
    }
    cases.push_back({0, "32767.5"});
    cases.push_back({7, "-32768.6"});
    cases.push_back({3, "-1e999"});
    cases.push_back({2, "&H8000"});
    cases.push_back({5, "&HFFFFFFFFF"});
    return cases;
}

INSTANTIATE_TEST_SUITE_P(Table, OutOfRange, ::testing::ValuesIn(badArguments()));

TEST_F(FormTest, FirstOfSeveralBadFieldsIsTheOneNamed) {
    form.Text2[3].setText("99999");
    form.Text1[2].setText("-99999");
    form.cmdTest.click();
    EXPECT_EQ(messages.shown,
              std::vector<std::string>{"Width must be a whole number from -32768 to 32767."});
}

TEST_F(FormTest, LimitsOfTheSixteenBitRangeStillRun) {
    form.Text1[0].setText("32767");
    form.Text1[1].setText("-32768.5");
    form.Text2[2].setText("32767.4");
    form.cmdTest.click();
    EXPECT_TRUE(messages.shown.empty());
    EXPECT_EQ(form.srcHeight.Caption(), "Source biHeight = 8");
}

}  // namespace
