#include "dib/dib_listing.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>

namespace {

const std::vector<DWORD> palette{0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                 0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                 0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};

dib::Dib makeDib(WORD bitCount, LONG width, LONG height, std::vector<unsigned> bytes) {
    dib::Dib dib;
    dib.format = gdi::DibFormat::rgb32(width, height, gdi::RowOrder::BottomUp);
    dib.format.bitCount = bitCount;
    for (const unsigned b : bytes) {
        dib.bits.push_back(std::byte(b));
    }
    dib.format.sizeImage = DWORD(dib.bits.size());
    return dib;
}

dib::Dib rgb24Row() {
    return makeDib(24, 3, 1, {0x56, 0x34, 0x12, 0, 0, 0xFF, 0, 0xFF, 0, 0, 0, 0});
}

dib::Dib bitFields565() {
    dib::Dib dib = makeDib(16, 2, 1, {0x1F, 0, 0xE0, 0x07});
    dib.format.compression = BI_BITFIELDS;
    dib.format.masks = {0xF800, 0x07E0, 0x001F};
    return dib;
}

dib::Dib paletteIndexes() {
    dib::Dib dib = makeDib(8, 4, 1, {3, 25, 0, 0});
    dib.format.colorUse = DIB_PAL_COLORS;
    for (DWORD i = 0; i < 256; ++i) {
        dib.format.colours.push_back(i);
    }
    return dib;
}

dib::Dib rle8() {
    dib::Dib dib =
        makeDib(8, 9, 2, {5, 3, 0, 4, 1, 2, 3, 4, 0, 0, 0, 2, 2, 0, 0, 3, 1, 2, 3, 0, 0, 1, 9, 9});
    dib.format.compression = BI_RLE8;
    dib.format.order = gdi::RowOrder::TopDown;
    dib.format.colours.assign(256, 0x336699);
    return dib;
}

dib::Dib rle4() {
    dib::Dib dib = makeDib(4, 5, 1, {5, 0x68, 0, 5, 0x79, 0xFD, 0xB0, 0, 0, 1});
    dib.format.compression = BI_RLE4;
    return dib;
}

// One line the listing of a DIB must hold, word for word.
struct ListingRule {
    const char* name;
    dib::Dib (*dib)();
    const char* line;
};

void PrintTo(const ListingRule& rule, std::ostream* out) {
    *out << rule.name;
}

const ListingRule listingRules[] = {
    {"RowsShowTheirPadding", rgb24Row, "  row 1: 56 34 12 00 00 ff 00 ff 00 | padding 00 00 00"},
    {"BitsLineCountsThePadding", rgb24Row,
     "bits, 12 bytes: 1 row of 12 bytes (9 of pixels, 3 of padding to a whole DWORD), in memory "
     "order, numbered as the window labels them: the bottom row first"},
    {"SizeImageCountsRows", rgb24Row,
     "  biSizeImage     = 12: bytes of the image, 1 row of 12 bytes"},
    {"HeightSaysBottomUp", rgb24Row,
     "  biHeight        = 1: 1 row, bottom-up: the first row in memory is the bottom row"},
    {"NoTableAbove8Bits", rgb24Row, "  biClrUsed       = 0: no colour table"},
    {"CompressionByName", bitFields565,
     "  biCompression   = 3: BI_BITFIELDS, uncompressed rows of pixels whose channels the masks "
     "place"},
    {"MaskBits", bitFields565, "  green = 000007e0: bits 5-10 (6 bits)"},
    {"ColorUseByName", paletteIndexes,
     "ColorUse = 1: DIB_PAL_COLORS, each table entry is a 16-bit index into the DC's palette"},
    {"PaletteIndexWithItsColour", paletteIndexes, "  3: palette index 3 = 808000"},
    {"PaletteIndexWrapsAround", paletteIndexes,
     "  25: palette index 25 = palette entry 5 (25 mod 20) = 800080"},
    {"TopDownRleIsRefused", rle8,
     "  biHeight        = -2: 2 rows, top-down: the first row in memory is the top row "
     "(SetDIBitsToDevice refuses a top-down RLE DIB)"},
    {"RleStreamLine", rle8, "bits, 24 bytes: the RLE8 stream, read from the bottom row up"},
    {"EncodedRun", rle8, "  05 03: run of 5 \u00d7 index 3 (row 1, x 0-4)"},
    {"AbsoluteRun", rle8, "  00 04 01 02 03 04: absolute run of 4: 1 2 3 4 (row 1, x 5-8)"},
    {"EndOfLine", rle8, "  00 00: end of line"},
    {"Delta", rle8, "  00 02 02 00: delta: 2 right, 0 up, to row 2, x 2"},
    {"PaddedAbsoluteRun", rle8,
     "  00 03 01 02 03 00: absolute run of 3: 1 2 3, 1 pad byte (row 2, x 2-4)"},
    {"EndOfBitmap", rle8, "  00 01: end of bitmap"},
    {"BytesAfterTheEnd", rle8, "  09 09: 2 bytes after the end of bitmap, never read"},
    {"AlternatingRun", rle4, "  05 68: run of 5 alternating indices 6 and 8 (row 1, x 0-4)"},
    {"AbsoluteRle4Run", rle4,
     "  00 05 79 fd b0 00: absolute run of 5: 7 9 15 13 11, 1 pad byte (row 1, x 5-9)"},
};

class DibListing : public testing::TestWithParam<ListingRule> {};

TEST_P(DibListing, HoldsTheLine) {
    const ListingRule& rule = GetParam();
    const std::vector<std::string> lines = dib::listDib(rule.dib(), palette);
    EXPECT_NE(std::find(lines.begin(), lines.end(), rule.line), lines.end())
        << testing::PrintToString(lines);
}

INSTANTIATE_TEST_SUITE_P(Listing, DibListing, testing::ValuesIn(listingRules),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
