#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>

namespace {

using gditest::picturePixel;
using gditest::Rows;

enum class Storage { DeviceCompatible, TopDownSection, BottomUpSection };

void PrintTo(Storage storage, std::ostream* out) {
    *out << (storage == Storage::DeviceCompatible ? "device-compatible"
             : storage == Storage::TopDownSection ? "top-down section"
                                                  : "bottom-up section");
}

// An 8x8 bitmap holding the test picture, selected into its own memory DC.
class PictureBitmap {
public:
    explicit PictureBitmap(Storage storage) : m_dc(CreateCompatibleDC(nullptr)) {
        const std::vector<std::uint32_t> topDown = gditest::pictureBuffer(8, 8, Rows::TopDown);
        if (storage == Storage::DeviceCompatible) {
            m_bitmap = CreateBitmap(8, 8, 1, 32, topDown.data());
        } else {
            const Rows rows = storage == Storage::TopDownSection ? Rows::TopDown : Rows::BottomUp;
            const BITMAPINFO header = gditest::dibHeader(8, 8, rows);
            void* bits = nullptr;
            m_bitmap = CreateDIBSection(m_dc, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
            const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(8, 8, rows);
            std::memcpy(bits, pixels.data(), pixels.size() * 4);
        }
        m_previous = SelectObject(m_dc, m_bitmap);
    }

    ~PictureBitmap() {
        SelectObject(m_dc, m_previous);
        DeleteObject(m_bitmap);
        DeleteDC(m_dc);
    }

    PictureBitmap(const PictureBitmap&) = delete;
    PictureBitmap& operator=(const PictureBitmap&) = delete;

    HDC dc() const { return m_dc; }
    HBITMAP bitmap() const { return m_bitmap; }

private:
    HDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_previous = nullptr;
};

// One read of the 8x8 picture. `rows` lists the buffer rows in order: a letter is that picture
// row (A = top), '0' a zero-filled row.
struct Read {
    const char* name;
    LONG biHeight;
    UINT startScan, cLines;
    int result;
    const char* rows;
};

void PrintTo(const Read& read, std::ostream* out) {
    *out << read.name;
}

const Read reads[] = {
    {"BottomUpWhole", 8, 0, 8, 8, "HGFEDCBA"},
    {"TopDownWhole", -8, 0, 8, 8, "ABCDEFGH"},
    {"BottomUpBand", 8, 2, 3, 3, "FED"},
    {"TopDownBand", -8, 2, 3, 3, "DEF"},
    {"BottomUpBandCutAtTop", 8, 6, 10, 2, "BA"},
    {"TopDownBandCutAtTop", -8, 6, 10, 2, "AB"},
    {"TallerHeaderZeroFillsBelowTheBitmap", 10, 0, 10, 8, "00HGFEDCBA"},
    {"TallerTopDownHeader", -10, 0, 10, 8, "ABCDEFGH00"},
    {"ShorterHeaderReadsTheTopRows", 4, 0, 4, 4, "DCBA"},
    {"ShorterTopDownHeader", -4, 0, 8, 4, "ABCD"},
};

class GetDIBitsRead : public testing::TestWithParam<std::tuple<Read, Storage>> {};

TEST_P(GetDIBitsRead, WritesTheCoveredRowsInTheHeadersOrder) {
    const auto& [read, storage] = GetParam();
    PictureBitmap picture(storage);
    BITMAPINFO header = gditest::dibHeader(8, 8, Rows::BottomUp);
    header.bmiHeader.biHeight = read.biHeight;
    header.bmiHeader.biClrUsed = 77;
    const std::size_t rowCount = std::strlen(read.rows);
    gditest::GuardedBuffer buffer(rowCount * 32);

    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), read.startScan, read.cLines, buffer.span(),
                        &header, DIB_RGB_COLORS),
              read.result);

    std::vector<std::uint32_t> expected;
    for (std::size_t row = 0; row < rowCount; ++row) {
        for (int column = 0; column < 8; ++column) {
            const char letter = read.rows[row];
            expected.push_back(letter == '0' ? 0 : picturePixel(letter - 'A', column));
        }
    }
    std::vector<std::uint32_t> actual(rowCount * 8);
    std::memcpy(actual.data(), buffer.span().data(), buffer.span().size());
    EXPECT_EQ(gditest::hexRows(actual, 8), gditest::hexRows(expected, 8));
    EXPECT_TRUE(buffer.guardsIntact());
    EXPECT_EQ(header.bmiHeader.biSizeImage, DWORD(32 * std::abs(read.biHeight)));
    EXPECT_EQ(header.bmiHeader.biClrUsed, 0u);
    EXPECT_EQ(header.bmiHeader.biHeight, read.biHeight);
    EXPECT_EQ(header.bmiHeader.biBitCount, 32);
}

INSTANTIATE_TEST_SUITE_P(GetDIBits, GetDIBitsRead,
                         testing::Combine(testing::ValuesIn(reads),
                                          testing::Values(Storage::DeviceCompatible,
                                                          Storage::TopDownSection,
                                                          Storage::BottomUpSection)),
                         [](const auto& info) {
                             const Storage storage = std::get<1>(info.param);
                             return std::string(std::get<0>(info.param).name) +
                                    (storage == Storage::DeviceCompatible ? "_Ddb"
                                     : storage == Storage::TopDownSection ? "_TopDownSection"
                                                                          : "_BottomUpSection");
                         });

TEST(GetDIBits, BandOutsideTheImageIsAHeaderQuery) {
    PictureBitmap picture(Storage::DeviceCompatible);
    BITMAPINFO header = gditest::dibHeader(8, 8, Rows::BottomUp);
    gditest::GuardedBuffer buffer(8 * 32);
    const std::vector<std::byte> before(buffer.span().begin(), buffer.span().end());

    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 8, 8, buffer.span(), &header, 0), 1);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 0, buffer.span(), &header, 0), 1);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), buffer.span().begin()));
    EXPECT_EQ(header.bmiHeader.biSizeImage, 256u);
}

TEST(GetDIBits, NullBitsFillsTheHeader) {
    PictureBitmap picture(Storage::BottomUpSection);
    BITMAPINFO header = gditest::dibHeader(8, -8, Rows::BottomUp);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 8, {}, &header, 0), 1);
    EXPECT_EQ(header.bmiHeader.biSizeImage, 256u);

    BITMAPINFO query{};
    query.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 0, {}, &query, 0), 1);
    EXPECT_EQ(query.bmiHeader.biWidth, 8);
    EXPECT_EQ(query.bmiHeader.biHeight, 8);
    EXPECT_EQ(query.bmiHeader.biPlanes, 1);
    EXPECT_EQ(query.bmiHeader.biBitCount, 32);
    EXPECT_EQ(query.bmiHeader.biCompression, BI_BITFIELDS);
    EXPECT_EQ(query.bmiHeader.biSizeImage, 256u);
}

TEST(GetDIBits, ReadsTheBitmapThroughAnotherDc) {
    PictureBitmap picture(Storage::DeviceCompatible);
    const HDC other = CreateCompatibleDC(nullptr);
    BITMAPINFO header = gditest::dibHeader(8, -8, Rows::BottomUp);
    std::vector<std::uint32_t> pixels(64);
    EXPECT_EQ(GetDIBits(other, picture.bitmap(), 0, 8, std::as_writable_bytes(std::span(pixels)),
                        &header, 0),
              8);
    EXPECT_EQ(gditest::hexRows(pixels, 8),
              gditest::hexRows(gditest::pictureBuffer(8, 8, Rows::TopDown), 8));
    DeleteDC(other);
}

TEST(GetDIBits, NarrowerAndWiderHeadersCopyTheCommonColumns) {
    PictureBitmap picture(Storage::DeviceCompatible);
    BITMAPINFO narrow = gditest::dibHeader(2, -1, Rows::BottomUp);
    std::vector<std::uint32_t> two(2);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 1,
                        std::as_writable_bytes(std::span(two)), &narrow, 0),
              1);
    EXPECT_EQ(gditest::hexRows(two, 2),
              gditest::hex(picturePixel(0, 0)) + ' ' + gditest::hex(picturePixel(0, 1)) + '\n');

    BITMAPINFO wide = gditest::dibHeader(10, -1, Rows::BottomUp);
    std::vector<std::uint32_t> ten(10, gditest::untouched);
    EXPECT_EQ(GetDIBits(picture.dc(), picture.bitmap(), 0, 1,
                        std::as_writable_bytes(std::span(ten)), &wide, 0),
              1);
    EXPECT_EQ(ten[7], picturePixel(0, 7));
    EXPECT_EQ(ten[8], 0u);
    EXPECT_EQ(ten[9], 0u);
}

// One way of making an otherwise valid read fail.
struct BadRead {
    const char* name;
    void (*breakRead)(HDC& dc, HBITMAP& bitmap, BITMAPINFO*& header, std::size_t& bytes,
                      UINT& usage);
};

void PrintTo(const BadRead& bad, std::ostream* out) {
    *out << bad.name;
}

const BadRead badReads[] = {
    {"NullDc", [](HDC& dc, HBITMAP&, BITMAPINFO*&, std::size_t&, UINT&) { dc = nullptr; }},
    {"BitmapAsDc", [](HDC& dc, HBITMAP& bitmap, BITMAPINFO*&, std::size_t&,
                      UINT&) { dc = reinterpret_cast<HDC>(bitmap); }},
    {"NullBitmap",
     [](HDC&, HBITMAP& bitmap, BITMAPINFO*&, std::size_t&, UINT&) { bitmap = nullptr; }},
    {"DcAsBitmap", [](HDC& dc, HBITMAP& bitmap, BITMAPINFO*&, std::size_t&,
                      UINT&) { bitmap = reinterpret_cast<HBITMAP>(dc); }},
    {"NullHeader",
     [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&, UINT&) { header = nullptr; }},
    {"HeaderSize39", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                        UINT&) { header->bmiHeader.biSize = 39; }},
    {"WidthZero", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                     UINT&) { header->bmiHeader.biWidth = 0; }},
    {"WidthNegative", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                         UINT&) { header->bmiHeader.biWidth = -8; }},
    {"HeightZero", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                      UINT&) { header->bmiHeader.biHeight = 0; }},
    {"BitCount2", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                     UINT&) { header->bmiHeader.biBitCount = 2; }},
    {"BitCount24WithBitFields",
     [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&, UINT&) {
         header->bmiHeader.biBitCount = 24;
         header->bmiHeader.biCompression = BI_BITFIELDS;
     }},
    {"BitCount8WithBitFields",
     [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&, UINT&) {
         header->bmiHeader.biBitCount = 8;
         header->bmiHeader.biCompression = BI_BITFIELDS;
     }},
    {"Rle8WithBits",
     [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&, UINT&) {
         header->bmiHeader.biBitCount = 8;
         header->bmiHeader.biCompression = BI_RLE8;
         header->bmiHeader.biSizeImage = 256;
     }},
    {"Rle4WithBitCount8",
     [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&, UINT&) {
         header->bmiHeader.biBitCount = 8;
         header->bmiHeader.biCompression = BI_RLE4;
     }},
    {"Jpeg", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                UINT&) { header->bmiHeader.biCompression = BI_JPEG; }},
    {"PlanesZero", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                      UINT&) { header->bmiHeader.biPlanes = 0; }},
    {"HugeImage", [](HDC&, HBITMAP&, BITMAPINFO*& header, std::size_t&,
                     UINT&) { header->bmiHeader.biWidth = 0x40000000; }},
    {"UsageTwo", [](HDC&, HBITMAP&, BITMAPINFO*&, std::size_t&, UINT& usage) { usage = 2; }},
    {"BufferOneByteShort",
     [](HDC&, HBITMAP&, BITMAPINFO*&, std::size_t& bytes, UINT&) { --bytes; }},
};

class BrokenRead : public testing::TestWithParam<BadRead> {};

TEST_P(BrokenRead, ReturnsZeroAndWritesNothing) {
    PictureBitmap picture(Storage::DeviceCompatible);
    HDC dc = picture.dc();
    HBITMAP bitmap = picture.bitmap();
    BITMAPINFO info = gditest::dibHeader(8, 8, Rows::BottomUp);
    BITMAPINFO* header = &info;
    std::size_t bytes = 256;
    UINT usage = DIB_RGB_COLORS;
    GetParam().breakRead(dc, bitmap, header, bytes, usage);
    gditest::GuardedBuffer buffer(bytes);
    const std::vector<std::byte> before(buffer.span().begin(), buffer.span().end());

    EXPECT_EQ(GetDIBits(dc, bitmap, 0, 8, buffer.span(), header, usage), 0);
    EXPECT_TRUE(std::equal(before.begin(), before.end(), buffer.span().begin()));
    EXPECT_TRUE(buffer.guardsIntact());
}

INSTANTIATE_TEST_SUITE_P(GetDIBits, BrokenRead, testing::ValuesIn(badReads),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
