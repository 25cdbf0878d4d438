// GetDIBits into every format: the rules of nearest colour, truncation and bit fields, the
// header fields it fills, and a band read against the whole read.

#include "dibits_test_support.h"
#include "format_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using gditest::PictureDdb;
using gditest::readBack;
using gditest::request;

constexpr gdi::ChannelMasks masks565{0xF800, 0x07E0, 0x001F};

// One colour and what each format holds for it. Expected values are worked out by hand from the
// rules: nearest colour (the 8-bpp search after each channel's cut to (c & F8) | 4) onto the
// synthesized tables, and truncation for 5-5-5 and 5-6-5.
struct ColourRule {
    const char* name;
    std::uint32_t colour;
    std::uint32_t index1, index4, index8, rgb555, rgb565;
};

void PrintTo(const ColourRule& rule, std::ostream* out) {
    *out << rule.name;
}

const ColourRule colourRules[] = {
    {"MidGrey", 0x808080, 1, 7, 164, 0x4210, 0x8410},
    {"LightGrey", 0xC0C0C0, 1, 8, 7, 0x6318, 0xC618},
    {"Slate", 0x123456, 0, 4, 81, 0x08CA, 0x11AA},
    {"DarkRed", 0x400000, 0, 0, 10, 0x2000, 0x4000},
    {"SumOf381IsBlack", 0x7F7F7F, 0, 7, 164, 0x3DEF, 0x7BEF},
    {"SumOf383IsWhite", 0x7F8080, 1, 7, 164, 0x3E10, 0x7C10},
    {"BlueOnTheTieIsCutUpwards", 0x000020, 0, 0, 64, 0x0004, 0x0004},
};

class GetDIBitsColour : public testing::TestWithParam<ColourRule> {};

TEST_P(GetDIBitsColour, EveryFormatHoldsTheRulesValue) {
    const ColourRule& rule = GetParam();
    const std::uint32_t pixel = rule.colour;
    const PictureDdb picture(1, 1, std::span(&pixel, 1));
    const auto valueIn = [&](const gdi::DibFormat& format) {
        const gditest::Readback read = readBack(picture.dc(), picture.bitmap(), format);
        EXPECT_EQ(read.result, 1);
        return read.values.at(0);
    };
    EXPECT_EQ(valueIn(request(1, 1, 1)), rule.index1);
    EXPECT_EQ(valueIn(request(4, 1, 1)), rule.index4);
    EXPECT_EQ(valueIn(request(8, 1, 1)), rule.index8);
    EXPECT_EQ(valueIn(request(16, 1, 1)), rule.rgb555);
    EXPECT_EQ(valueIn(request(16, 1, 1, masks565)), rule.rgb565);
    EXPECT_EQ(valueIn(request(24, 1, 1)), rule.colour);
    EXPECT_EQ(valueIn(request(32, 1, 1)), rule.colour);
}

INSTANTIATE_TEST_SUITE_P(GetDIBits, GetDIBitsColour, testing::ValuesIn(colourRules),
                         [](const auto& info) { return std::string(info.param.name); });

// The header GetDIBits hands back: biClrUsed 0 whatever was asked, biSizeImage the uncompressed
// size of the whole header's image, the rest as given.
struct HeaderRule {
    const char* name;
    WORD bitCount;
    LONG width, height;
    DWORD sizeImage;
};

void PrintTo(const HeaderRule& rule, std::ostream* out) {
    *out << rule.name;
}

const HeaderRule headerRules[] = {
    {"OneBpp16x16", 1, 16, 16, 64},          {"FourBpp16x16", 4, 16, 16, 128},
    {"EightBpp16x16", 8, 16, 16, 256},       {"SixteenBpp16x16", 16, 16, 16, 512},
    {"TwentyFourBpp16x16", 24, 16, 16, 768}, {"ThirtyTwoBpp16x16", 32, 16, 16, 1024},
    {"OneBppRowsPadToDwords", 1, 3, 2, 8},   {"TwentyFourBppRowsPadToDwords", 24, 3, 2, 24},
    {"TopDownCountsRows", 4, 9, -3, 24},
};

class GetDIBitsHeader : public testing::TestWithParam<HeaderRule> {};

TEST_P(GetDIBitsHeader, FillsSizeImageAndClearsClrUsed) {
    const HeaderRule& rule = GetParam();
    const std::vector<std::uint32_t> pixels(64 * 64, 0x336699);
    const PictureDdb picture(64, 64, pixels);
    gdi::DibFormat format = request(rule.bitCount, rule.width, std::abs(rule.height));
    format.order = rule.height < 0 ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
    format.clrUsed = 37;
    const gditest::Readback read = readBack(picture.dc(), picture.bitmap(), format);
    EXPECT_EQ(read.result, std::abs(rule.height));
    EXPECT_EQ(read.header.biSizeImage, rule.sizeImage);
    EXPECT_EQ(read.header.biClrUsed, 0u);
    EXPECT_EQ(read.header.biHeight, rule.height);
    EXPECT_EQ(read.header.biWidth, rule.width);
    EXPECT_EQ(read.header.biBitCount, rule.bitCount);
}

INSTANTIATE_TEST_SUITE_P(GetDIBits, GetDIBitsHeader, testing::ValuesIn(headerRules),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(GetDIBits, BitFieldsFromAnotherDepthKeepTheCallersMasks) {
    const std::uint32_t pixel = 0x123456;
    const PictureDdb picture(1, 1, std::span(&pixel, 1));
    const gdi::ChannelMasks masks444{0x0F00, 0x00F0, 0x000F};
    const gditest::Readback read =
        readBack(picture.dc(), picture.bitmap(), request(16, 1, 1, masks444));
    EXPECT_EQ(read.masks, masks444);
    EXPECT_EQ(read.values.at(0), 0x135u);
}

TEST(GetDIBits, BitFieldsAtTheBitmapsDepthGetItsMasks) {
    const std::uint32_t pixel = 0x123456;
    const PictureDdb picture(1, 1, std::span(&pixel, 1));
    const gdi::ChannelMasks bgr{0x0000FF, 0x00FF00, 0xFF0000};
    const gditest::Readback read = readBack(picture.dc(), picture.bitmap(), request(32, 1, 1, bgr));
    EXPECT_EQ(read.masks, (gdi::ChannelMasks{0xFF0000, 0x00FF00, 0x0000FF}));
    EXPECT_EQ(read.values.at(0), 0x123456u);

    const gditest::Section section(gditest::dib(16, 1, 1, {}, masks565), 0xFFFF);
    const gditest::Readback sixteen =
        readBack(section.dc(), section.bitmap(), request(16, 1, 1, {0x7C00, 0x03E0, 0x001F}));
    EXPECT_EQ(sixteen.masks, masks565);
    EXPECT_EQ(sixteen.values.at(0), 0xFFFFu);
    const gditest::Readback rgb = readBack(section.dc(), section.bitmap(), request(16, 1, 1));
    EXPECT_EQ(rgb.values.at(0), 0x7FFFu);
}

// A band read into any format holds the rows of the whole read that its scan lines cover, in the
// band's order, and zeros for scan lines below the bitmap.
struct Band {
    const char* name;
    LONG biHeight;
    UINT startScan, cLines;
    int result;
    // Picture rows of the buffer rows, -1 for a zero row.
    std::vector<int> rows;
};

void PrintTo(const Band& band, std::ostream* out) {
    *out << band.name;
}

const Band bands[] = {
    {"BottomUpBand", 8, 2, 3, 3, {5, 4, 3}},    {"TopDownBand", -8, 2, 3, 3, {3, 4, 5}},
    {"BottomUpCutAtTop", 8, 6, 10, 2, {1, 0}},  {"TopDownCutAtTop", -8, 6, 10, 2, {0, 1}},
    {"TallerHeader", 10, 0, 3, 1, {-1, -1, 7}}, {"TallerTopDownHeader", -10, 1, 2, 1, {7, -1}},
};

const gdi::DibFormat bandFormats[] = {
    request(1, 7, 1),
    request(4, 7, 1),
    request(8, 7, 1),
    request(16, 7, 1),
    request(16, 7, 1, masks565),
    request(24, 7, 1),
    request(32, 7, 1),
};

class GetDIBitsBand : public testing::TestWithParam<Band> {};

TEST_P(GetDIBitsBand, HoldsTheWholeReadsRows) {
    const Band& band = GetParam();
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t i = 0; i < 7 * 8; ++i) {
        pixels.push_back(i * 0x9E3779B1u >> 8);
    }
    const PictureDdb picture(7, 8, pixels);
    for (gdi::DibFormat format : bandFormats) {
        format.height = 8;
        const std::vector<std::uint32_t> whole =
            readBack(picture.dc(), picture.bitmap(), format).values;
        format.height = std::abs(band.biHeight);
        format.order = band.biHeight < 0 ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
        gdi::DibInfo info(format);
        std::vector<std::byte> bits(band.rows.size() * format.stride(), std::byte{0x5A});
        EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), band.startScan, band.cLines, bits,
                            info.get(), DIB_RGB_COLORS),
                  band.result);
        gdi::DibFormat buffer = format;
        buffer.height = LONG(band.rows.size());
        buffer.order = gdi::RowOrder::TopDown;
        std::vector<std::uint32_t> expected;
        for (const int row : band.rows) {
            for (std::size_t x = 0; x < 7; ++x) {
                expected.push_back(row < 0 ? 0 : whole[std::size_t(row) * 7 + x]);
            }
        }
        EXPECT_EQ(gditest::hexList(gditest::unpacked(buffer, bits)), gditest::hexList(expected))
            << format.bitCount << " bpp";
    }
}

INSTANTIATE_TEST_SUITE_P(GetDIBits, GetDIBitsBand, testing::ValuesIn(bands),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
