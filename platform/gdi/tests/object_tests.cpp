#include "format_test_support.h"
#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <ostream>
#include <thread>

namespace {

using gditest::Rows;

BITMAP bitmapRecord(HGDIOBJ bitmap) {
    BITMAP record{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof record, &record), 24);
    return record;
}

HGDIOBJ stockBitmap() {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HGDIOBJ stock = GetCurrentObject(dc, OBJ_BITMAP);
    DeleteDC(dc);
    return stock;
}

HGDIOBJ garbageHandle() {
    return reinterpret_cast<HGDIOBJ>(std::uintptr_t(0x12345678));
}

TEST(CreateCompatibleDC, StartsWithTheMonochromeStockBitmap) {
    const HDC dc = CreateCompatibleDC(nullptr);
    ASSERT_NE(dc, nullptr);
    const BITMAP record = bitmapRecord(GetCurrentObject(dc, OBJ_BITMAP));
    EXPECT_EQ(record.bmWidth, 1);
    EXPECT_EQ(record.bmHeight, 1);
    EXPECT_EQ(record.bmWidthBytes, 2);
    EXPECT_EQ(record.bmPlanes, 1);
    EXPECT_EQ(record.bmBitsPixel, 1);
    EXPECT_EQ(DeleteDC(dc), TRUE);
}

TEST(CreateCompatibleDC, AcceptsOnlyNullOrALiveDc) {
    const HDC screenLike = CreateCompatibleDC(nullptr);
    const HDC compatible = CreateCompatibleDC(screenLike);
    EXPECT_NE(compatible, nullptr);
    EXPECT_EQ(CreateCompatibleDC(reinterpret_cast<HDC>(garbageHandle())), nullptr);
    DeleteDC(compatible);
    DeleteDC(screenLike);
    EXPECT_EQ(CreateCompatibleDC(screenLike), nullptr);
}

TEST(Handles, StaleHandleStaysDeadWhenItsSlotIsReused) {
    const HDC first = CreateCompatibleDC(nullptr);
    ASSERT_EQ(DeleteDC(first), TRUE);
    const HDC second = CreateCompatibleDC(nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(DeleteDC(first), FALSE);
    EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), nullptr);
    EXPECT_NE(GetCurrentObject(second, OBJ_BITMAP), nullptr);
    EXPECT_EQ(DeleteDC(second), TRUE);
}

// Threads that make, draw on and delete objects at once: the table hands each object a slot of
// its own, so every thread reads back exactly the pixels it drew.
TEST(Handles, ThreadsWorkingAtOnceEachKeepTheirOwnObjects) {
    constexpr int threads = 4;
    constexpr int rounds = 20000;
    std::atomic<int> wrong{0};
    std::vector<std::thread> workers;
    for (int t = 0; t < threads; ++t) {
        workers.emplace_back([t, &wrong] {
            const gdi::DibFormat format = gditest::dib(32, 4, 4);
            const gdi::DibInfo info(format);
            const std::vector<std::uint32_t> picture(16, 0x010101u * std::uint32_t(t + 1));
            const std::vector<std::byte> bits = gditest::packed(format, picture);
            for (int round = 0; round < rounds; ++round) {
                const gditest::Section section(format, 0);
                const HBITMAP spare = CreateBitmap(2, 2, 1, 32, nullptr);
                const bool drawn = SetDIBitsToDevice(section.dc(), 0, 0, 4, 4, 0, 0, 0, 4, bits,
                                                     info.get(), DIB_RGB_COLORS) == 4;
                if (!drawn || !spare || section.values() != picture) {
                    ++wrong;
                }
                DeleteObject(spare);
            }
        });
    }
    std::ranges::for_each(workers, [](std::thread& worker) { worker.join(); });
    EXPECT_EQ(wrong, 0);
}

TEST(Handles, WrongKindsAndGarbageGiveTheFailureResult) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    const HBRUSH brush = CreateSolidBrush(0);
    BITMAP record{};
    EXPECT_EQ(GetObjectA(dc, sizeof record, &record), 0);
    EXPECT_EQ(GetObjectA(brush, sizeof record, &record), 0);
    EXPECT_EQ(GetObjectA(garbageHandle(), sizeof record, &record), 0);
    EXPECT_EQ(GetObjectA(nullptr, sizeof record, &record), 0);
    EXPECT_EQ(SelectObject(reinterpret_cast<HDC>(bitmap), bitmap), nullptr);
    EXPECT_EQ(SelectObject(dc, dc), nullptr);
    EXPECT_EQ(SelectObject(dc, brush), nullptr);
    EXPECT_EQ(SelectObject(dc, garbageHandle()), nullptr);
    EXPECT_EQ(SelectObject(nullptr, bitmap), nullptr);
    EXPECT_EQ(GetCurrentObject(reinterpret_cast<HDC>(bitmap), OBJ_BITMAP), nullptr);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), nullptr);
    EXPECT_EQ(DeleteDC(reinterpret_cast<HDC>(bitmap)), FALSE);
    EXPECT_EQ(DeleteDC(nullptr), FALSE);
    EXPECT_EQ(DeleteObject(dc), FALSE);
    EXPECT_EQ(DeleteObject(nullptr), FALSE);
    EXPECT_EQ(DeleteObject(garbageHandle()), FALSE);
    EXPECT_EQ(DeleteObject(brush), TRUE);
    EXPECT_EQ(DeleteObject(brush), FALSE);
    EXPECT_EQ(DeleteObject(bitmap), TRUE);
    EXPECT_EQ(DeleteObject(bitmap), FALSE);
    EXPECT_EQ(DeleteDC(dc), TRUE);
}

TEST(SelectObject, ReturnsThePreviousBitmapAndRefusesOneSelectedElsewhere) {
    const HDC first = CreateCompatibleDC(nullptr);
    const HDC second = CreateCompatibleDC(nullptr);
    const HGDIOBJ stock = GetCurrentObject(first, OBJ_BITMAP);
    const HBITMAP a = CreateBitmap(4, 4, 1, 32, nullptr);
    const HBITMAP b = CreateBitmap(4, 4, 1, 32, nullptr);

    EXPECT_EQ(SelectObject(first, a), stock);
    EXPECT_EQ(GetCurrentObject(first, OBJ_BITMAP), a);
    EXPECT_EQ(SelectObject(second, a), nullptr);
    EXPECT_EQ(GetCurrentObject(second, OBJ_BITMAP), stock);
    EXPECT_EQ(SelectObject(first, a), a);
    EXPECT_EQ(SelectObject(first, b), a);
    EXPECT_EQ(SelectObject(second, a), stock);
    EXPECT_EQ(SelectObject(second, stock), a);

    DeleteDC(first);
    DeleteDC(second);
    EXPECT_EQ(DeleteObject(a), TRUE);
    EXPECT_EQ(DeleteObject(b), TRUE);
}

TEST(DeleteDC, LeavesTheSelectedBitmapAlive) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateBitmap(3, 5, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    EXPECT_EQ(DeleteDC(dc), TRUE);
    EXPECT_EQ(bitmapRecord(bitmap).bmHeight, 5);
    const HDC other = CreateCompatibleDC(nullptr);
    EXPECT_NE(SelectObject(other, bitmap), nullptr);
    DeleteDC(other);
    EXPECT_EQ(DeleteObject(bitmap), TRUE);
}

TEST(DeleteObject, OfASelectedBitmapWaitsUntilItIsDeselected) {
    gditest::Surface surface(2, 2, Rows::TopDown);
    const HBITMAP bitmap = surface.bitmap();
    EXPECT_EQ(DeleteObject(bitmap), TRUE);
    EXPECT_EQ(bitmapRecord(bitmap).bmWidth, 2);
    const BITMAPINFO header = gditest::dibHeader(2, 2, Rows::TopDown);
    const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(2, 2, Rows::TopDown);
    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 2, 2, 0, 0, 0, 2,
                                std::as_bytes(std::span(pixels)), &header, DIB_RGB_COLORS),
              2);
    EXPECT_EQ(surface.screen(), pixels);

    EXPECT_EQ(SelectObject(surface.dc(), stockBitmap()), bitmap);
    BITMAP record{};
    EXPECT_EQ(GetObjectA(bitmap, sizeof record, &record), 0);
    EXPECT_EQ(DeleteObject(bitmap), FALSE);
}

TEST(DeleteObject, OfASelectedBitmapCompletesWithDeleteDC) {
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateBitmap(2, 2, 1, 32, nullptr);
    SelectObject(dc, bitmap);
    EXPECT_EQ(DeleteObject(bitmap), TRUE);
    EXPECT_EQ(DeleteDC(dc), TRUE);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), 0);
    EXPECT_EQ(DeleteObject(bitmap), FALSE);
}

TEST(DeleteObject, NeverDeletesTheStockBitmap) {
    const HGDIOBJ stock = stockBitmap();
    EXPECT_EQ(DeleteObject(stock), TRUE);
    EXPECT_EQ(bitmapRecord(stock).bmBitsPixel, 1);
}

TEST(GetObjectA, ReportsTheRecordSizeOnlyWhenItFits) {
    const HBITMAP bitmap = CreateBitmap(3, 2, 1, 32, nullptr);
    EXPECT_EQ(GetObjectA(bitmap, 0, nullptr), 24);
    for (const int size : {23, 0, -1, INT32_MIN}) {
        gditest::GuardedBuffer buffer(24);
        const std::vector<std::byte> before(buffer.span().begin(), buffer.span().end());
        EXPECT_EQ(GetObjectA(bitmap, size, buffer.span().data()), 0) << size;
        EXPECT_TRUE(std::equal(before.begin(), before.end(), buffer.span().begin())) << size;
    }
    gditest::GuardedBuffer roomy(100);
    EXPECT_EQ(GetObjectA(bitmap, 100, roomy.span().data()), 24);
    EXPECT_EQ(roomy.span()[24], std::byte{0xA5});
    BITMAP record{};
    std::memcpy(&record, roomy.span().data(), sizeof record);
    EXPECT_EQ(record.bmType, 0);
    EXPECT_EQ(record.bmWidth, 3);
    EXPECT_EQ(record.bmHeight, 2);
    EXPECT_EQ(record.bmWidthBytes, 12);
    EXPECT_EQ(record.bmPlanes, 1);
    EXPECT_EQ(record.bmBitsPixel, 32);
    EXPECT_EQ(record.bmBits, 0u);
    DeleteObject(bitmap);
}

TEST(GetObjectA, DescribesATopDownSectionWithAPositiveHeight) {
    const BITMAPINFO header = gditest::dibHeader(5, 7, Rows::TopDown);
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
    const BITMAP record = bitmapRecord(section);
    EXPECT_EQ(record.bmWidth, 5);
    EXPECT_EQ(record.bmHeight, 7);
    EXPECT_EQ(record.bmWidthBytes, 20);
    EXPECT_EQ(record.bmBitsPixel, 32);
    EXPECT_EQ(record.bmBits, DWORD(reinterpret_cast<std::uintptr_t>(bits)));
    DeleteObject(section);
}

TEST(CreateDIBSection, GivesZeroedPageAlignedPixels) {
    for (const DWORD headerSize : {40u, 41u, 44u, 45u, 108u, 124u}) {
        BITMAPINFO header = gditest::dibHeader(3, 3, Rows::BottomUp);
        header.bmiHeader.biSize = headerSize;
        void* bits = nullptr;
        const HBITMAP section =
            CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(section, nullptr) << headerSize;
        EXPECT_EQ(reinterpret_cast<std::uintptr_t>(bits) % 4096, 0u);
        const auto* pixels = static_cast<const std::uint32_t*>(bits);
        EXPECT_TRUE(std::all_of(pixels, pixels + 9, [](std::uint32_t p) { return p == 0; }));
        DeleteObject(section);
    }
}

struct BadSection {
    const char* name;
    void (*breakHeader)(BITMAPINFOHEADER&);
};

void PrintTo(const BadSection& bad, std::ostream* out) {
    *out << bad.name;
}

const BadSection badSections[] = {
    {"HeaderSize0", [](BITMAPINFOHEADER& h) { h.biSize = 0; }},
    {"CoreHeaderSize12", [](BITMAPINFOHEADER& h) { h.biSize = 12; }},
    {"HeaderSize16", [](BITMAPINFOHEADER& h) { h.biSize = 16; }},
    {"HeaderSize39", [](BITMAPINFOHEADER& h) { h.biSize = 39; }},
    {"WidthZero", [](BITMAPINFOHEADER& h) { h.biWidth = 0; }},
    {"WidthNegative", [](BITMAPINFOHEADER& h) { h.biWidth = -4; }},
    {"HeightZero", [](BITMAPINFOHEADER& h) { h.biHeight = 0; }},
    {"PlanesZero", [](BITMAPINFOHEADER& h) { h.biPlanes = 0; }},
    {"PlanesTwo", [](BITMAPINFOHEADER& h) { h.biPlanes = 2; }},
    {"BitCount0", [](BITMAPINFOHEADER& h) { h.biBitCount = 0; }},
    {"BitCount2", [](BITMAPINFOHEADER& h) { h.biBitCount = 2; }},
    {"BitCount24Bitfields",
     [](BITMAPINFOHEADER& h) {
         h.biBitCount = 24;
         h.biCompression = BI_BITFIELDS;
     }},
    {"BitCount64", [](BITMAPINFOHEADER& h) { h.biBitCount = 64; }},
    {"CompressionRle8", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE8; }},
    {"CompressionRle4", [](BITMAPINFOHEADER& h) { h.biCompression = BI_RLE4; }},
    {"CompressionJpeg", [](BITMAPINFOHEADER& h) { h.biCompression = 4; }},
    {"BitfieldsWithZeroMasks", [](BITMAPINFOHEADER& h) { h.biCompression = BI_BITFIELDS; }},
    {"PlanesTimesBitCountBeyondInt",
     [](BITMAPINFOHEADER& h) { h.biPlanes = h.biBitCount = 0xFFFD; }},
    {"Overflow8001Squared", [](BITMAPINFOHEADER& h) { h.biWidth = h.biHeight = 0x8001; }},
    {"OverflowTallColumn",
     [](BITMAPINFOHEADER& h) {
         h.biWidth = 1;
         h.biHeight = 0x40000001;
     }},
    {"MaxDimensions",
     [](BITMAPINFOHEADER& h) {
         h.biWidth = INT32_MAX;
         h.biHeight = INT32_MIN;
     }},
};

class BrokenSection : public testing::TestWithParam<BadSection> {};

TEST_P(BrokenSection, ReturnsNullAndClearsThePixelPointer) {
    BITMAPINFO header = gditest::dibHeader(4, 4, Rows::BottomUp);
    GetParam().breakHeader(header.bmiHeader);
    int sentinel = 0;
    void* bits = &sentinel;
    EXPECT_EQ(CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
}

INSTANTIATE_TEST_SUITE_P(CreateDIBSection, BrokenSection, testing::ValuesIn(badSections),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(CreateDIBSection, RefusesBadUsageMissingHeaderAndFileMappings) {
    const BITMAPINFO header = gditest::dibHeader(4, 4, Rows::BottomUp);
    int sentinel = 0;
    void* bits = &sentinel;
    EXPECT_EQ(CreateDIBSection(nullptr, &header, 2, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    bits = &sentinel;
    EXPECT_EQ(CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0), nullptr);
    EXPECT_EQ(bits, nullptr);
    EXPECT_EQ(CreateDIBSection(nullptr, &header, DIB_RGB_COLORS, &bits, &sentinel, 0), nullptr);
    const HBITMAP withoutPointer =
        CreateDIBSection(nullptr, &header, DIB_PAL_COLORS, nullptr, nullptr, 0);
    EXPECT_NE(withoutPointer, nullptr);
    DeleteObject(withoutPointer);
}

TEST(CreateBitmap, MakesOnly32BppBitmapsAndTheStockOneForAnEmptySize) {
    const HBITMAP bitmap = CreateBitmap(4, 3, 1, 32, nullptr);
    EXPECT_EQ(bitmapRecord(bitmap).bmBitsPixel, 32);
    DeleteObject(bitmap);
    EXPECT_EQ(CreateBitmap(4, 3, 1, 24, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 3, 1, 1, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, 3, 2, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(-4, 3, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(4, -3, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(0x10000, 0x10000, 1, 32, nullptr), nullptr);
    EXPECT_EQ(CreateBitmap(0, 3, 1, 32, nullptr), stockBitmap());
}

}  // namespace
