#include "format_test_support.h"
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <ostream>

namespace {

using gditest::dib;

// One header SetDIBitsToDevice accepts (result 1 for this 1x1 call) or refuses (0). The common
// formats are accepted in every drawing test; these are the edges.
struct HeaderCase {
    const char* name;
    gdi::DibFormat format;
    std::function<void(BITMAPINFOHEADER&)> change;
    bool accepted;
    UINT colorUse = DIB_RGB_COLORS;
    UINT cLines = 1;
};

void PrintTo(const HeaderCase& c, std::ostream* out) {
    *out << c.name;
}

gdi::DibFormat rle(WORD bitCount) {
    gdi::DibFormat format = dib(bitCount, 1);
    format.compression = bitCount == 8 ? BI_RLE8 : BI_RLE4;
    format.sizeImage = 1;
    return format;
}

gdi::DibFormat withHeader(DWORD size, gdi::DibFormat format = dib(24, 1)) {
    format.headerSize = size;
    return format;
}

auto set(WORD BITMAPINFOHEADER::*field, int value) {
    return [field, value](BITMAPINFOHEADER& h) { h.*field = WORD(value); };
}

auto setCompression(DWORD compression) {
    return [compression](BITMAPINFOHEADER& h) { h.biCompression = compression; };
}

const HeaderCase headerCases[] = {
    {"ZeroMasks", dib(32, 1), setCompression(BI_BITFIELDS), true},
    {"BitFieldsWithPaletteColours", dib(16, 1, 1, {}, {1, 2, 4}), {}, true, DIB_PAL_COLORS},
    {"Rle8PlanesZero", rle(8), set(&BITMAPINFOHEADER::biPlanes, 0), true},
    {"Rle8SizeImageZero", rle(8), [](BITMAPINFOHEADER& h) { h.biSizeImage = 0; }, false},
    {"Rle8TopDown", rle(8), [](BITMAPINFOHEADER& h) { h.biHeight = -1; }, false},
    {"Rle8LinesZero", rle(8), {}, false, DIB_RGB_COLORS, 0},
    {"Rle8On4Bits", rle(8), set(&BITMAPINFOHEADER::biBitCount, 4), false},
    {"BitCount0", dib(8, 1), set(&BITMAPINFOHEADER::biBitCount, 0), false},
    {"BitCount2", dib(8, 1), set(&BITMAPINFOHEADER::biBitCount, 2), false},
    {"BitCount33", dib(32, 1), set(&BITMAPINFOHEADER::biBitCount, 33), false},
    {"BitFieldsOn24Bits", dib(24, 1), setCompression(BI_BITFIELDS), false},
    {"Jpeg", dib(24, 1), setCompression(BI_JPEG), false},
    {"Png", dib(24, 1), setCompression(BI_PNG), false},
    {"Compression8", dib(24, 1), setCompression(8), false},
    {"PlanesZero", dib(24, 1), set(&BITMAPINFOHEADER::biPlanes, 0), false},
    {"Planes64", dib(8, 1), set(&BITMAPINFOHEADER::biPlanes, 64), true},
    {"WidthZero", dib(8, 1), [](BITMAPINFOHEADER& h) { h.biWidth = 0; }, false},
    {"HeightZero", dib(8, 1), [](BITMAPINFOHEADER& h) { h.biHeight = 0; }, false},
    {"RowBeyond32Bits", dib(32, 1), [](BITMAPINFOHEADER& h) { h.biWidth = 0x8000000; }, false},
    {"ImageBeyond32Bits", dib(8, 1),
     [](BITMAPINFOHEADER& h) {
         h.biWidth = 0x10000;
         h.biHeight = 0x10001;
     },
     false},
    {"HeaderSize41", withHeader(41), {}, true},
    {"V5Header", withHeader(124, dib(8, 1)), {}, true},
    {"HeaderSize13", withHeader(40), [](BITMAPINFOHEADER& h) { h.biSize = 13; }, false},
    {"ColorUse2", dib(1, 1), {}, true, 2},
    {"ColorUse3", dib(1, 1), {}, false, 3},
};

class SourceHeader : public testing::TestWithParam<HeaderCase> {};

TEST_P(SourceHeader, IsAcceptedOrRefusedWithZero) {
    const HeaderCase& c = GetParam();
    gditest::Section destination(dib(32, 1), gditest::untouched);
    gdi::DibInfo info(c.format);
    if (c.change) {
        c.change(info.get()->bmiHeader);
    }
    const std::vector<std::byte> bits(64);
    const int result = SetDIBitsToDevice(destination.dc(), 0, 0, 1, 1, 0, 0, 0, c.cLines, bits,
                                         info.get(), c.colorUse);
    EXPECT_EQ(result, c.accepted ? 1 : 0);
    if (!c.accepted) {
        EXPECT_EQ(destination.values()[0], gditest::untouched);
    }
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, SourceHeader, testing::ValuesIn(headerCases),
                         [](const auto& info) { return std::string(info.param.name); });

// One row of source pixels (stored values) and the 0xXXRRGGBB values a 32-bpp section receives.
struct PixelCase {
    const char* name;
    gdi::DibFormat format;
    std::vector<std::uint32_t> stored;
    std::vector<std::uint32_t> drawn;
    UINT colorUse = DIB_RGB_COLORS;
    std::function<void(BITMAPINFO*)> change = {};
};

void PrintTo(const PixelCase& c, std::ostream* out) {
    *out << c.name;
}

gdi::DibFormat sized(gdi::DibFormat format, LONG width, DWORD headerSize = 40) {
    format.width = width;
    format.headerSize = headerSize;
    return format;
}

std::vector<DWORD> greys(std::size_t count) {
    std::vector<DWORD> colours;
    for (std::size_t i = 0; i < count; ++i) {
        colours.push_back(DWORD(i * 0x111111));
    }
    return colours;
}

const std::vector<DWORD> three{0x102030, 0x405060, 0x708090};

const PixelCase widening[] = {
    {"OneBitHighBitIsLeftmost",
     dib(1, 9, 1, {0x102030, 0x405060}),
     {1, 0, 0, 1, 1, 1, 0, 1, 0},
     {0x405060, 0x102030, 0x102030, 0x405060, 0x405060, 0x405060, 0x102030, 0x405060, 0x102030}},
    {"FourBitsHighNibbleIsLeft",
     dib(4, 3, 1, greys(16)),
     {0xA, 0x3, 0xF},
     {0xAAAAAA, 0x333333, 0xFFFFFF}},
    {"Rgb555ReplicatesAndIgnoresBit15",
     dib(16, 5),
     {0x7FFF, 0x4210, 0x8000, 0x0421, 0x7C00},
     {0xFFFFFF, 0x848484, 0, 0x080808, 0xFF0000}},
    {"Rgb565",
     dib(16, 4, 1, {}, {0xF800, 0x7E0, 0x1F}),
     {0xF800, 0x07E0, 0x0020, 0x0821},
     {0xFF0000, 0x00FF00, 0x000400, 0x080408}},
    {"TenBitFieldsKeepTheirTopBits",
     dib(32, 3, 1, {}, {0x3FF00000, 0xFFC00, 0x3FF}),
     {0x3FFFFFFF, 0xC0000000, 0x2003FC03},
     {0xFFFFFF, 0, 0x803F00}},
    {"FieldsUnderFourBitsTakeOneCopy",
     dib(16, 3, 1, {}, {0x8000, 0x6000, 0x1C00}),
     {0xFC00, 0, 0xC800},
     {0xC0F0FC, 0, 0xC0A048}},
    {"ZeroMaskAndLowestRunOfASplitMask",
     dib(32, 1, 1, {}, {0, 0xF0F0, 0xFF}),
     {0xFFFFA5C3},
     {0x00CCC3}},
    {"Rgb24WithPaddedRows",
     dib(24, 3),
     {0x112233, 0x445566, 0x778899},
     {0x112233, 0x445566, 0x778899}},
    {"Rgb32KeepsItsTopByte", dib(32, 1), {0xAB123456}, {0xAB123456}},
    {"StandardFieldsKeepTheTopByte",
     dib(32, 1, 1, {}, {0xFF0000, 0xFF00, 0xFF}),
     {0xAB123456},
     {0xAB123456}},
    {"OtherFieldsDropTheTopByte",
     dib(32, 1, 1, {}, {0xFF, 0xFF00, 0xFF0000}),
     {0xAB123456},
     {0x563412}},
};

const PixelCase colourTables[] = {
    {"EntriesBeyondClrUsedAreBlack",
     dib(8, 5, 1, three),
     {0, 1, 2, 3, 255},
     {0x102030, 0x405060, 0x708090, 0, 0}},
    {"ClrUsedZeroMeansAllEntries",
     [] {
         gdi::DibFormat f = dib(4, 2, 1, greys(16));
         f.clrUsed = 0;
         return f;
     }(),
     {15, 1},
     {0xFFFFFF, 0x111111}},
    {"ClrUsedIsCappedAt2PowBitCount",
     [] {
         gdi::DibFormat f = dib(1, 2, 1, three);
         f.clrUsed = 1000;
         return f;
     }(),
     {1, 0},
     {0x405060, 0x102030}},
    {"ReservedByteIsIgnored",
     dib(8, 1, 1, three),
     {0},
     {0x102030},
     DIB_RGB_COLORS,
     [](BITMAPINFO* info) { info->bmiColors[0].rgbReserved = 0xAB; }},
    {"PaletteIndicesUseTheDefaultPalette",
     dib(8, 5, 1, {0, 13, 19, 7}),
     {0, 1, 2, 3, 4},
     {0x000000, 0xFF0000, 0xFFFFFF, 0xC0C0C0, 0},
     DIB_PAL_COLORS},
    {"PaletteIndicesWrapAtTwenty",
     dib(8, 3, 1, {20, 33, 59}),
     {0, 1, 2},
     {0x000000, 0xFF0000, 0xFFFFFF},
     DIB_PAL_COLORS},
    {"PaletteIndicesWrapAtTwentyWhateverTheCount",
     dib(1, 2, 1, {0, 19}),
     {0, 1},
     {0x000000, 0xFFFFFF},
     DIB_PAL_COLORS},
    {"PaletteColoursLeaveDirectSourcesAlone",
     dib(16, 1, 1, {}, {0xF800, 0x7E0, 0x1F}),
     {0x0821},
     {0x080408},
     DIB_PAL_COLORS},
    {"ColorUse2ReadsColours", dib(1, 2, 1, {0xFF0000, 0x00FF00}), {1, 0}, {0x00FF00, 0xFF0000}, 2},
    {"CoreHeaderTableOfTriples",
     sized(dib(8, 3, 1, {0x102030, 0x405060}), 3, 12),
     {1, 0, 2},
     {0x405060, 0x102030, 0}},
    {"V5HeaderTableAfterTheHeader",
     sized(dib(4, 2, 1, three), 2, 124),
     {2, 1},
     {0x708090, 0x405060}},
    {"V4HeaderMasksInsideTheHeader",
     sized(dib(16, 1, 1, {}, {0xF800, 0x7E0, 0x1F}), 1, 108),
     {0x0821},
     {0x080408}},
};

class SourcePixels : public testing::TestWithParam<PixelCase> {};

TEST_P(SourcePixels, ReachA32BitSectionAsTheRulesSay) {
    const PixelCase& c = GetParam();
    gditest::Section destination(dib(32, c.format.width), gditest::untouched);
    gdi::DibFormat format = c.format;
    format.colorUse = c.colorUse;
    gdi::DibInfo info(format);
    if (c.change) {
        c.change(info.get());
    }
    const std::vector<std::byte> bits = gditest::packed(format, c.stored);
    EXPECT_EQ(SetDIBitsToDevice(destination.dc(), 0, 0, DWORD(c.format.width), 1, 0, 0, 0, 1, bits,
                                info.get(), c.colorUse),
              1);
    EXPECT_EQ(gditest::hexList(destination.values()), gditest::hexList(c.drawn));
}

INSTANTIATE_TEST_SUITE_P(Widening, SourcePixels, testing::ValuesIn(widening),
                         [](const auto& info) { return std::string(info.param.name); });
INSTANTIATE_TEST_SUITE_P(ColourTables, SourcePixels, testing::ValuesIn(colourTables),
                         [](const auto& info) { return std::string(info.param.name); });

// Sub-byte rows are used only when the buffer holds all their stride bytes: here 2 of 3 rows of a
// bottom-up 1-bpp source, plus three stray bytes of the third, in an exact-size heap block.
TEST(SetDIBitsToDevice, SubByteSourceDrawsOnlyTheWholeRowsTheBufferHolds) {
    const gdi::DibFormat format = dib(1, 9, 3, {0, 0xFFFFFF});
    const std::vector<std::uint32_t> picture(27, 1);
    const std::vector<std::byte> full = gditest::packed(format, picture);
    const std::size_t bytes = 2 * format.stride() + 3;
    const auto held = std::make_unique<std::byte[]>(bytes);
    std::memcpy(held.get(), full.data(), bytes);
    gditest::Section destination(dib(32, 9, 3), gditest::untouched);
    const gdi::DibInfo info(format);
    EXPECT_EQ(SetDIBitsToDevice(destination.dc(), 0, 0, 9, 3, 0, 0, 0, 3, {held.get(), bytes},
                                info.get(), DIB_RGB_COLORS),
              3);
    const std::vector<std::uint32_t> values = destination.values();
    for (std::size_t i = 0; i < values.size(); ++i) {
        EXPECT_EQ(values[i], i < 9 ? gditest::untouched : 0xFFFFFFu) << i;
    }
}

}  // namespace
