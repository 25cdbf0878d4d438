#include "dib/format_choices.h"
#include "dib/picture_readback.h"
#include "dib/rle_encoder.h"
#include "dib/value_lines.h"
#include "gdi/dib_section_dc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

namespace {

// A 32-bpp bitmap as the bench's pictures are, selected into a memory DC, its pixels 0x00RRGGBB
// top row first.
class Picture {
public:
    Picture(int width, int height, const std::vector<std::uint32_t>& pixels)
        : m_dc(CreateCompatibleDC(nullptr)),
          m_bitmap(CreateBitmap(width, height, 1, 32, pixels.data())),
          m_previous(SelectObject(m_dc, m_bitmap)) {}
    ~Picture() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;

    std::optional<dib::PictureDib> read(std::string_view word, gdi::RowOrder order,
                                        dib::TableUse table = dib::TableUse::Colours) const {
        return dib::readPicture(m_dc, m_bitmap, {dib::findChoice(word)->format(), order, table});
    }

private:
    HDC m_dc;
    HBITMAP m_bitmap;
    HGDIOBJ m_previous;
};

std::vector<std::uint32_t> manyColours() {
    std::vector<std::uint32_t> pixels;
    for (std::uint32_t i = 0; i < 64; ++i) {
        pixels.push_back(i * 0x9E3779B1u >> 8);
    }
    pixels[9] = pixels[10] = pixels[11] = pixels[12] = 0xFF0000;
    return pixels;
}

// What SetDIBitsToDevice draws of a DIB onto an 8x8 32-bpp section.
std::vector<std::uint32_t> drawn(const dib::Dib& dib) {
    const gdi::DibSectionDC section(gdi::DibFormat::rgb32(8, 8, gdi::RowOrder::TopDown));
    const gdi::DibInfo info(dib.format);
    EXPECT_EQ(SetDIBitsToDevice(section.dc(), 0, 0, 8, 8, 0, 0, 0, 8, dib.bits, info.get(),
                                dib.format.colorUse),
              dib.format.order == gdi::RowOrder::TopDown &&
                      (dib.format.compression == BI_RLE8 || dib.format.compression == BI_RLE4)
                  ? 0
                  : 8);
    std::vector<std::uint32_t> pixels(64);
    std::memcpy(pixels.data(), section.bits().data(), 256);
    return pixels;
}

class PictureReadback : public testing::TestWithParam<dib::FormatChoice> {};

// Every format in both row orders: the header says the format and the order, and the call draws
// the DIB as it draws the uncompressed one (RLE: unless top-down, which it refuses).
TEST_P(PictureReadback, HandsOverTheChosenFormat) {
    const dib::FormatChoice& choice = GetParam();
    const Picture picture(8, 8, manyColours());
    for (const gdi::RowOrder order : {gdi::RowOrder::BottomUp, gdi::RowOrder::TopDown}) {
        const std::optional<dib::PictureDib> read = picture.read(choice.word, order);
        ASSERT_TRUE(read);
        const gdi::DibFormat& format = read->dib.format;
        EXPECT_EQ(format.compression, choice.format().compression);
        EXPECT_EQ(format.bitCount, choice.format().bitCount);
        EXPECT_EQ(format.order, order);
        EXPECT_EQ(format.colours.size(), format.bitCount <= 8 ? 1u << format.bitCount : 0u);
        EXPECT_EQ(format.colorUse, DIB_RGB_COLORS);
        EXPECT_EQ(format.clrUsed, 0u);
        EXPECT_EQ(format.sizeImage, read->dib.bits.size());
        EXPECT_EQ(read->uncompressed.format.compression,
                  format.compression == BI_BITFIELDS ? BI_BITFIELDS : BI_RGB);
        if (format.compression == BI_RLE8 || format.compression == BI_RLE4) {
            EXPECT_EQ(read->dib.bits,
                      dib::encodeRle(read->uncompressed.format, read->uncompressed.bits));
            if (order == gdi::RowOrder::BottomUp) {
                EXPECT_EQ(drawn(read->dib), drawn(read->uncompressed));
            } else {
                drawn(read->dib);
            }
        } else {
            EXPECT_EQ(read->dib.bits, read->uncompressed.bits);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Readback, PictureReadback, testing::ValuesIn(dib::formatChoices()),
                         [](const auto& info) { return "Choice" + std::to_string(info.index); });

TEST(PictureReadback, PaletteIndexesKeepTheBitsAndReplaceTheTable) {
    const Picture picture(8, 8, manyColours());
    for (const std::string_view word : {"1", "4", "8", "rle8", "rle4"}) {
        const auto colours = picture.read(word, gdi::RowOrder::BottomUp);
        const auto indices =
            picture.read(word, gdi::RowOrder::BottomUp, dib::TableUse::PaletteIndexes);
        ASSERT_TRUE(colours && indices);
        EXPECT_EQ(indices->dib.bits, colours->dib.bits) << word;
        EXPECT_EQ(indices->dib.format.colorUse, DIB_PAL_COLORS);
        for (std::size_t i = 0; i < indices->dib.format.colours.size(); ++i) {
            EXPECT_EQ(indices->dib.format.colours[i], i);
        }
    }
    const auto direct = picture.read("24", gdi::RowOrder::BottomUp, dib::TableUse::PaletteIndexes);
    EXPECT_EQ(direct->dib.format.colorUse, DIB_RGB_COLORS);
}

TEST(PictureReadback, DefaultPaletteComesFromTheEightBitTable) {
    const std::vector<DWORD> typed{0x000000, 0x800000, 0x008000, 0x808000, 0x000080,
                                   0x800080, 0x008080, 0xC0C0C0, 0xC0DCC0, 0xA6CAF0,
                                   0xFFFBF0, 0xA0A0A4, 0x808080, 0xFF0000, 0x00FF00,
                                   0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateBitmap(1, 1, 1, 32, nullptr);
    EXPECT_EQ(dib::defaultPalette(dc, bitmap), typed);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

// `bits PICTURE`: the word of the DIB handed over, then each row's values in the probe's widths.
TEST(ValueLines, ShowTheValuesInTheFormatsWidth) {
    const Picture picture(2, 2, {0x000000, 0xFFFFFF, 0xFF0000, 0x808080});
    const auto lines = [&](std::string_view word, gdi::RowOrder order) {
        return dib::valueLines("srcPic", *picture.read(word, order));
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(lines("4", gdi::RowOrder::BottomUp),
              (Lines{"srcPic format: 4", "srcPic row 0: 0 f", "srcPic row 1: 9 7"}));
    EXPECT_EQ(lines("rle8", gdi::RowOrder::TopDown),
              (Lines{"srcPic format: rle8", "srcPic row 0: 00 ff", "srcPic row 1: f9 a4"}));
    EXPECT_EQ(lines("16:f800:7e0:1f", gdi::RowOrder::BottomUp),
              (Lines{"srcPic format: 16:f800:7e0:1f", "srcPic row 0: 0000 ffff",
                     "srcPic row 1: f800 8410"}));
    EXPECT_EQ(
        lines("24", gdi::RowOrder::BottomUp),
        (Lines{"srcPic format: 24", "srcPic row 0: 000000 ffffff", "srcPic row 1: ff0000 808080"}));
    EXPECT_EQ(lines("32", gdi::RowOrder::TopDown),
              (Lines{"srcPic format: 32", "srcPic row 0: 00000000 00ffffff",
                     "srcPic row 1: 00ff0000 00808080"}));
}

}  // namespace
