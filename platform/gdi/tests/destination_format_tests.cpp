#include "format_test_support.h"
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using gditest::dib;

// Source pixels drawn onto a section of another format, and the stored values it then holds.
struct ConversionCase {
    const char* name;
    gdi::DibFormat source;
    std::vector<std::uint32_t> stored;
    gdi::DibFormat destination;
    std::vector<std::uint32_t> written;
};

void PrintTo(const ConversionCase& c, std::ostream* out) {
    *out << c.name;
}

const gdi::ChannelMasks masks565{0xF800, 0x7E0, 0x1F};
const gdi::ChannelMasks masks101010{0x3FF00000, 0xFFC00, 0x3FF};
const gdi::ChannelMasks masks888{0xFF0000, 0xFF00, 0xFF};

// A 256-entry table of white with two near-black entries at 1 and 2.
std::vector<DWORD> whiteWith(std::size_t count, DWORD at1, DWORD at2) {
    std::vector<DWORD> colours(count, 0xFFFFFF);
    colours[1] = at1;
    colours[2] = at2;
    return colours;
}

const ConversionCase narrowing[] = {
    {"ToRgb24DropsTheTopByte", dib(32, 1), {0xAB123456}, dib(24, 1), {0x123456}},
    {"ToRgb555Truncates",
     dib(32, 4),
     {0xFFFFFF, 0x080808, 0xF8F8F8, 0x07FF07},
     dib(16, 4),
     {0x7FFF, 0x0421, 0x7FFF, 0x03E0}},
    {"ToRgb565Truncates",
     dib(32, 3),
     {0xFFFFFF, 0x040404, 0xFC0000},
     dib(16, 3, 1, {}, masks565),
     {0xFFFF, 0x0020, 0xF800}},
    {"ToTenBitFieldsWithZerosBelow",
     dib(32, 1),
     {0xFF8001},
     dib(32, 1, 1, {}, masks101010),
     {0x3FC80004}},
    {"Rgb32ToStandardFieldsIsVerbatim",
     dib(32, 1),
     {0xAB123456},
     dib(32, 1, 1, {}, masks888),
     {0xAB123456}},
    {"Rgb555KeepsBit15", dib(16, 1), {0x8001}, dib(16, 1), {0x8001}},
    {"EqualTenBitFieldsAreVerbatim",
     dib(32, 1, 1, {}, masks101010),
     {0xFFFFFFFF},
     dib(32, 1, 1, {}, masks101010),
     {0xFFFFFFFF}},
    {"Rgb555ToRgb565WidensThenTruncates",
     dib(16, 2),
     {0x7FFF, 0x4210},
     dib(16, 2, 1, {}, masks565),
     {0xFFFF, 0x8430}},
    {"TableColourTruncated", dib(8, 1, 1, {0x0C0C0C}), {0}, dib(16, 1), {0x0421}},
    {"EightBitsReduceDirectColours",
     dib(32, 1),
     {0},
     dib(8, 1, 1, whiteWith(256, 0x080808, 0)),
     {1}},
    {"EightBitsMatchTableColoursExactly",
     dib(8, 1, 1, {0}),
     {0},
     dib(8, 1, 1, whiteWith(256, 0x080808, 0)),
     {2}},
    {"FourBitsMatchDirectColoursExactly",
     dib(24, 1),
     {0},
     dib(4, 1, 1, whiteWith(16, 0x080808, 0)),
     {2}},
    {"TiesGoToTheLowestIndex", dib(32, 1), {0x800080}, dib(1, 1, 1, {0xFF0000, 0x0000FF}), {0}},
    {"EntriesBeyondClrUsedAreBlack", dib(32, 1), {0}, dib(4, 1, 1, {0xFFFFFF, 0x808080}), {2}},
    {"MonoSameTablesCopyBits",
     dib(1, 8, 1, {0xFFFFFF, 0}),
     {1, 0, 1, 0, 1, 0, 1, 0},
     dib(1, 8, 1, {0xFFFFFF, 0}),
     {1, 0, 1, 0, 1, 0, 1, 0}},
    {"MonoSwappedTablesInvertBits",
     dib(1, 8, 1, {0, 0xFFFFFF}),
     {1, 0, 1, 0, 1, 0, 1, 0},
     dib(1, 8, 1, {0xFFFFFF, 0}),
     {0, 1, 0, 1, 0, 1, 0, 1}},
    {"MonoNearestOfTwoReds",
     dib(1, 2, 1, {0, 0xFFFFFF}),
     {0, 1},
     dib(1, 2, 1, {0xFF0000, 0xFE0000}),
     {1, 0}},
    {"MonoExactDistanceForDirectBlack", dib(32, 1), {0}, dib(1, 1, 1, {0x0001FF, 0xFF0000}), {1}},
    {"IdenticalTablesCopyRepeatedIndices",
     dib(8, 1, 1, whiteWith(256, 0x808080, 0x808080)),
     {2},
     dib(8, 1, 1, whiteWith(256, 0x808080, 0x808080)),
     {2}},
    {"OtherTablesMatchRepeatsToTheFirst",
     dib(8, 1, 1, whiteWith(255, 0x808080, 0x808080)),
     {2},
     dib(8, 1, 1, whiteWith(256, 0x808080, 0x808080)),
     {1}},
};

class DestinationPixels : public testing::TestWithParam<ConversionCase> {};

TEST_P(DestinationPixels, HoldTheConvertedValues) {
    const ConversionCase& c = GetParam();
    gditest::Section destination(c.destination, 0);
    ASSERT_TRUE(destination.created());
    const gdi::DibInfo info(c.source);
    EXPECT_EQ(SetDIBitsToDevice(destination.dc(), 0, 0, DWORD(c.source.width), 1, 0, 0, 0, 1,
                                gditest::packed(c.source, c.stored), info.get(), DIB_RGB_COLORS),
              1);
    EXPECT_EQ(gditest::hexList(destination.values()), gditest::hexList(c.written));
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, DestinationPixels, testing::ValuesIn(narrowing),
                         [](const auto& info) { return std::string(info.param.name); });

// Long 24-bpp rows are taken apart eight pixels a step where the processor allows, short ones
// pixel by pixel: every width of both, each pixel truncated to 5-5-5 and 5-6-5 as the rule says.
TEST(SetDIBitsToDevice, Rgb24RowsOfEveryWidthNarrowPixelByPixel) {
    for (LONG width = 1; width <= 100; ++width) {
        std::vector<std::uint32_t> colours(static_cast<std::size_t>(width));
        for (std::size_t i = 0; i < colours.size(); ++i) {
            colours[i] = std::uint32_t(i + 1) * 0x0B1D37u & 0xFFFFFF;
        }
        std::vector<std::uint32_t> rgb555, rgb565;
        for (const std::uint32_t c : colours) {
            const std::uint32_t r = c >> 16, g = c >> 8 & 0xFF, b = c & 0xFF;
            rgb555.push_back((r >> 3) << 10 | (g >> 3) << 5 | b >> 3);
            rgb565.push_back((r >> 3) << 11 | (g >> 2) << 5 | b >> 3);
        }
        const gdi::DibFormat source = dib(24, width);
        const gdi::DibInfo info(source);
        const std::vector<std::byte> bits = gditest::packed(source, colours);
        for (const auto& [destination, expected] :
             {std::pair{dib(16, width), rgb555},
              std::pair{dib(16, width, 1, {}, masks565), rgb565}}) {
            gditest::Section section(destination, 0);
            ASSERT_EQ(SetDIBitsToDevice(section.dc(), 0, 0, DWORD(width), 1, 0, 0, 0, 1, bits,
                                        info.get(), DIB_RGB_COLORS),
                      1);
            EXPECT_EQ(gditest::hexList(section.values()), gditest::hexList(expected))
                << "width " << width;
        }
    }
}

// Long 24-bpp rows are stored eight pixels a step where the processor allows, short ones pixel
// by pixel: every width of both, one pixel in from the row's start, each pixel widened as the
// rule says and the pixels either side of the piece left as they were.
TEST(SetDIBitsToDevice, Rgb24RowsOfEveryWidthWidenPixelByPixel) {
    constexpr std::uint32_t fill = 0xA5C3E1;
    const auto widen = [](std::uint32_t field, int bits) {
        const std::uint32_t top = field << (8 - bits);
        return top | top >> bits;
    };
    for (LONG width = 1; width <= 100; ++width) {
        std::vector<std::uint32_t> rgb32, rgb565;
        std::vector<std::uint32_t> from32{fill}, fromBgr{fill}, from565{fill};
        for (std::uint32_t i = 0; i < std::uint32_t(width); ++i) {
            rgb32.push_back((i + 1) * 0x9E3779B1u);
            from32.push_back(rgb32.back() & 0xFFFFFF);
            const std::uint32_t c = rgb32.back();
            fromBgr.push_back((c & 0xFF) << 16 | (c & 0xFF00) | (c >> 16 & 0xFF));
            rgb565.push_back((i + 1) * 0x9E37u & 0xFFFF);
            const std::uint32_t v = rgb565.back();
            from565.push_back(widen(v >> 11, 5) << 16 | widen(v >> 5 & 0x3F, 6) << 8 |
                              widen(v & 0x1F, 5));
        }
        from32.push_back(fill);
        fromBgr.push_back(fill);
        from565.push_back(fill);
        for (const auto& [source, stored, expected] :
             {std::tuple{dib(32, width), rgb32, from32},
              std::tuple{dib(32, width, 1, {}, {0xFF, 0xFF00, 0xFF0000}), rgb32, fromBgr},
              std::tuple{dib(16, width, 1, {}, masks565), rgb565, from565}}) {
            const gdi::DibInfo info(source);
            const std::vector<std::byte> bits = gditest::packed(source, stored);
            gditest::Section section(dib(24, width + 2), fill);
            ASSERT_EQ(SetDIBitsToDevice(section.dc(), 1, 0, DWORD(width), 1, 0, 0, 0, 1, bits,
                                        info.get(), DIB_RGB_COLORS),
                      1);
            EXPECT_EQ(gditest::hexList(section.values()), gditest::hexList(expected))
                << source.bitCount << " bpp, red mask " << std::hex << source.masks.red
                << ", width " << std::dec << width;
        }
    }
}

// A section of each format: its record, and a pixel read back through GetDIBits as 32 bits.
struct SectionCase {
    const char* name;
    gdi::DibFormat format;
    LONG widthBytes;
    std::uint32_t stored;
    std::uint32_t read;
};

void PrintTo(const SectionCase& c, std::ostream* out) {
    *out << c.name;
}

const SectionCase sections[] = {
    {"OneBit", dib(1, 33, 2, {0x123456, 0xABCDEF}), 8, 1, 0xABCDEF},
    {"FourBits", dib(4, 9, 2, {0, 0x123456}), 8, 1, 0x123456},
    {"EightBitsEntriesBeyondClrUsedBlack", dib(8, 5, 2, {0x123456}), 8, 200, 0},
    {"Rgb555", dib(16, 3, 2), 8, 0xFFFF, 0xFFFFFF},
    {"Rgb565", dib(16, 3, 2, {}, masks565), 8, 0x0821, 0x080408},
    {"Rgb24", dib(24, 3, 2), 12, 0x123456, 0x123456},
    {"Rgb32", dib(32, 3, 2), 12, 0xAB123456, 0xAB123456},
    {"TenBitFields", dib(32, 3, 2, {}, masks101010), 12, 0xFFFFFFFF, 0xFFFFFF},
    {"CoreHeader",
     [] {
         gdi::DibFormat f = dib(24, 3, 2);
         f.headerSize = 12;
         return f;
     }(),
     12, 0x123456, 0x123456},
};

class SectionFormat : public testing::TestWithParam<SectionCase> {};

TEST_P(SectionFormat, IsCreatedDescribedAndReadBackAs32Bits) {
    const SectionCase& c = GetParam();
    gditest::Section section(c.format, c.stored);
    ASSERT_TRUE(section.created());
    BITMAP record{};
    EXPECT_EQ(GetObjectA(section.bitmap(), sizeof record, &record), 24);
    EXPECT_EQ(record.bmBitsPixel, c.format.bitCount);
    EXPECT_EQ(record.bmWidthBytes, c.widthBytes);
    EXPECT_EQ(record.bmHeight, 2);

    gdi::DibInfo request(gdi::DibFormat::rgb32(c.format.width, 2, gdi::RowOrder::TopDown));
    std::vector<std::uint32_t> pixels(std::size_t(c.format.width) * 2, gditest::untouched);
    EXPECT_EQ(GetDIBits(section.dc(), section.bitmap(), 0, 2,
                        std::as_writable_bytes(std::span(pixels)), request.get(), DIB_RGB_COLORS),
              2);
    EXPECT_EQ(gditest::hexList(pixels),
              gditest::hexList(std::vector<std::uint32_t>(pixels.size(), c.read)));

    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(section.dc(), section.bitmap(), 0, 0, {}, &query, DIB_RGB_COLORS), 1);
    EXPECT_EQ(query.bmiHeader.biBitCount, c.format.bitCount);
    const bool fields = c.format.bitCount == 16 || c.format.bitCount == 32;
    EXPECT_EQ(query.bmiHeader.biCompression, fields ? BI_BITFIELDS : BI_RGB);
}

INSTANTIATE_TEST_SUITE_P(CreateDIBSection, SectionFormat, testing::ValuesIn(sections),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CreateDIBSection, TakesPaletteIndicesOnlyForATableAndWithTheirDc) {
    void* bits = nullptr;
    const gdi::DibInfo fields(dib(16, 2, 2, {}, masks565));
    const HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(CreateDIBSection(dc, fields.get(), DIB_PAL_COLORS, &bits, nullptr, 0), nullptr);
    gdi::DibFormat indices = dib(8, 2, 2, {13, 39});
    indices.colorUse = DIB_PAL_COLORS;
    const gdi::DibInfo indexed(indices);
    EXPECT_EQ(CreateDIBSection(nullptr, indexed.get(), DIB_PAL_COLORS, &bits, nullptr, 0), nullptr);
    const HBITMAP section = CreateDIBSection(dc, indexed.get(), DIB_PAL_COLORS, &bits, nullptr, 0);
    ASSERT_NE(section, nullptr);
    // Entries 13 and 39 of the default palette, the second taken modulo its 20 entries.
    static_cast<std::uint8_t*>(bits)[0] = 1;
    SelectObject(dc, section);
    BITMAPINFO bottomRow = gditest::dibHeader(1, 2, gditest::Rows::BottomUp);
    std::uint32_t pixel = 0;
    const auto bytes = std::as_writable_bytes(std::span(&pixel, 1));
    EXPECT_EQ(GetDIBits(dc, section, 0, 1, bytes, &bottomRow, DIB_RGB_COLORS), 1);
    EXPECT_EQ(pixel, 0xFFFFFFu);
    DeleteDC(dc);
    DeleteObject(section);
}

TEST(BitBlt, ConvertsBetweenFormatsLikeSetDIBitsToDevice) {
    gditest::Section mono(dib(1, 2, 1, {0xFF0000, 0x00FF00}), 1);
    gditest::Section wide(dib(32, 2), gditest::untouched);
    EXPECT_EQ(BitBlt(wide.dc(), 0, 0, 2, 1, mono.dc(), 0, 0, SRCCOPY), TRUE);
    EXPECT_EQ(gditest::hexList(wide.values()),
              gditest::hexList(std::vector<std::uint32_t>{0x00FF00, 0x00FF00}));
    gditest::Section black(dib(32, 1), 0);
    gditest::Section indexed(dib(8, 1, 1, whiteWith(256, 0x080808, 0)), 9);
    EXPECT_EQ(BitBlt(indexed.dc(), 0, 0, 1, 1, black.dc(), 0, 0, SRCCOPY), TRUE);
    EXPECT_EQ(indexed.values()[0], 1u);
}

// A solid brush takes the nearest entry of a 4- or 8-bpp table; on 1 bpp an entry of exactly its
// colour, else the entry nearest white for white and the other entry for any other colour.
TEST(FillRect, PicksTheBrushsEntryInAColourTable) {
    const RECT whole{0, 0, 1, 1};
    const auto fill = [&whole](const gditest::Section& section, COLORREF colour) {
        const HBRUSH brush = CreateSolidBrush(colour);
        FillRect(section.dc(), &whole, brush);
        DeleteObject(brush);
        return section.values()[0];
    };
    const gditest::Section greys(dib(8, 1, 1, {0, 0xFFFFFF, 0x808080}), 9);
    EXPECT_EQ(fill(greys, 0x606060), 2u);
    const gditest::Section mono(dib(1, 1, 1, {0xFFFFFF, 0}), 1);
    EXPECT_EQ(fill(mono, 0xC0C0C0), 1u);
    EXPECT_EQ(fill(mono, 0xFFFFFF), 0u);
    const gditest::Section reds(dib(1, 1, 1, {0xFF0000, 0x0000FF}), 0);
    EXPECT_EQ(fill(reds, 0x0000FE), 1u);
    EXPECT_EQ(fill(reds, 0xFF0000), 1u);
    EXPECT_EQ(fill(reds, 0x0000FF), 0u);
    const gditest::Section fields(dib(16, 1, 1, {}, masks565), 0);
    EXPECT_EQ(fill(fields, 0x0000FF), 0xF800u);
}

}  // namespace
