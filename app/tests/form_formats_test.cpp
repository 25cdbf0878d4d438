// The bench away from 32 bpp: the listings name their format and show what the DIB holds, palette
// indexes pick the DC's palette, Show DIB Header lists the DIB, and a destination format
// converts the picture. Expected colours come from the synthesized 16-colour table and the
// default palette as the notes on GetDIBits give them.

#include <gtest/gtest.h>

#include <string>

#include "form_fixture.h"
#include "picture_pixels.h"

namespace {

class FormatsTest : public FormTest {
protected:
    void fillSource(const char* red, const char* green, const char* blue) {
        form.Text7.setText(red);
        form.Text8.setText(green);
        form.Text9.setText(blue);
        form.cmdSetSrcBkg.click();
    }

    // A line of eight equal values.
    static std::string row(int number, const std::string& value) {
        std::string line = std::to_string(number) + ": " + value;
        for (int i = 1; i < 8; ++i) line += ", " + value;
        return line + "\r\n";
    }
};

// 808080 is entry 7 of the 16-colour table.
TEST_F(FormatsTest, ListingsNameTheirFormatAndShowTheIndex) {
    fillSource("128", "128", "128");
    form.setSourceFormat("4");
    form.Check5.click();
    form.Check4.click();
    form.cmdTest.click();
    std::string expected = "Src Pixels (4 bpp, 16-colour table: INDEX=RRGGBB) are\r\n";
    for (int line = 1; line <= 8; ++line) expected += row(line, "7=808080");
    expected += "Dst Pixels (32 bpp: RRGGBB) are\r\n";
    for (int line = 1; line <= 8; ++line) expected += row(line, "808080");
    EXPECT_EQ(form.Text3.Text(), expected);
}

// With palette indexes, index 7 picks entry 7 of the DC's default palette, C0C0C0: the
// destination shows light grey where the source was dark grey.
TEST_F(FormatsTest, PaletteIndexesPickTheDefaultPalette) {
    fillSource("128", "128", "128");
    form.setSourceFormat("4");
    form.setPaletteIndexes(true);
    form.Check5.click();
    form.cmdTest.click();
    const std::string listed = "Src Pixels (4 bpp, 16-colour table: table of palette indexes, "
                               "INDEX=RRGGBB of the DC's palette) are\r\n" +
                               row(1, "7=C0C0C0");
    EXPECT_EQ(form.Text3.Text().substr(0, listed.size()), listed);
    EXPECT_EQ(ui::imagePixels(form.destPic), std::vector<std::uint32_t>(64, 0xC0C0C0));
}

TEST_F(FormatsTest, ShowDibHeaderListsTheDibTheCallReceives) {
    form.setSourceFormat("24");
    form.showDibHeader = true;
    form.cmdTest.click();
    const std::string& report = form.Text3.Text();
    EXPECT_EQ(report.rfind("Source DIB as SetDIBitsToDevice receives it:\r\n", 0), 0u);
    EXPECT_NE(report.find("biBitCount      = 24"), std::string::npos);
}

// 123456 becomes entry 4, 000080, at 4 bpp: every pixel changes; white stays white.
TEST_F(FormatsTest, DestinationFormatConvertsThePictureAsGetDIBitsWould) {
    EXPECT_EQ(form.setDestinationFormat("4"), 0u);
    form.Text4.setText("18");
    form.Text5.setText("52");
    form.Text6.setText("86");
    form.cmdSetDestBkg.click();
    EXPECT_EQ(ui::imagePixels(form.destPic), std::vector<std::uint32_t>(64, 0x000080));
    EXPECT_EQ(ui::imagePixels(form.destBigPic), std::vector<std::uint32_t>(64 * 64, 0xFF000080));
    EXPECT_EQ(form.setDestinationFormat("32"), 0u);
    EXPECT_EQ(ui::imagePixels(form.destPic), std::vector<std::uint32_t>(64, 0x000080));
}

}  // namespace
