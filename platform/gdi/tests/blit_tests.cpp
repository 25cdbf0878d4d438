#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

using gditest::hex;
using gditest::picturePixel;
using gditest::Rows;
using gditest::untouched;

// A 4x4 surface holding the test picture.
class PictureSurface : public gditest::Surface {
public:
    explicit PictureSurface(Rows rows) : Surface(4, 4, rows) {
        const BITMAPINFO header = gditest::dibHeader(4, 4, Rows::TopDown);
        const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(4, 4, Rows::TopDown);
        SetDIBitsToDevice(dc(), 0, 0, 4, 4, 0, 0, 0, 4, std::as_bytes(std::span(pixels)), &header,
                          DIB_RGB_COLORS);
    }
};

std::string rowText(std::initializer_list<std::uint32_t> pixels) {
    std::string text;
    for (const std::uint32_t pixel : pixels) {
        text += (text.empty() ? "" : " ") + hex(pixel);
    }
    return text + '\n';
}

TEST(BitBlt, CopiesAll32BitsAndClipsAtBothBitmaps) {
    const PictureSurface source(Rows::BottomUp);
    gditest::Surface destination(3, 3, Rows::TopDown);
    EXPECT_EQ(BitBlt(destination.dc(), 1, -1, 10, 10, source.dc(), 2, 0, SRCCOPY), TRUE);
    const std::uint32_t u = untouched;
    EXPECT_EQ(destination.screenText(), rowText({u, picturePixel(1, 2), picturePixel(1, 3)}) +
                                            rowText({u, picturePixel(2, 2), picturePixel(2, 3)}) +
                                            rowText({u, picturePixel(3, 2), picturePixel(3, 3)}));
}

TEST(BitBlt, NegativeExtentsNameTheSameRectangle) {
    const PictureSurface source(Rows::TopDown);
    gditest::Surface destination(2, 2, Rows::BottomUp);
    EXPECT_EQ(BitBlt(destination.dc(), 2, 2, -2, -2, source.dc(), 4, 4, SRCCOPY), TRUE);
    EXPECT_EQ(destination.screenText(), rowText({picturePixel(2, 2), picturePixel(2, 3)}) +
                                            rowText({picturePixel(3, 2), picturePixel(3, 3)}));
}

TEST(BitBlt, OverlappingCopyWithinOneBitmapReadsBeforeWriting) {
    const PictureSurface surface(Rows::BottomUp);
    EXPECT_EQ(BitBlt(surface.dc(), 1, 1, 3, 3, surface.dc(), 0, 0, SRCCOPY), TRUE);
    const std::vector<std::uint32_t> pixels = surface.screen();
    EXPECT_EQ(pixels[1 * 4 + 1], picturePixel(0, 0));
    EXPECT_EQ(pixels[3 * 4 + 3], picturePixel(2, 2));
    EXPECT_EQ(pixels[2 * 4 + 1], picturePixel(1, 0));
}

TEST(BitBlt, OutsideEverythingStillSucceeds) {
    const PictureSurface source(Rows::BottomUp);
    gditest::Surface destination(2, 2, Rows::BottomUp);
    const std::string before = destination.screenText();
    EXPECT_EQ(BitBlt(destination.dc(), 5, 5, 2, 2, source.dc(), 0, 0, SRCCOPY), TRUE);
    EXPECT_EQ(BitBlt(destination.dc(), 0, 0, 2, 2, source.dc(), -9, 0, SRCCOPY), TRUE);
    EXPECT_EQ(BitBlt(destination.dc(), INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, source.dc(),
                     INT32_MAX, INT32_MAX, SRCCOPY),
              TRUE);
    EXPECT_EQ(destination.screenText(), before);
}

TEST(BitBlt, RefusesBadHandlesAndOtherRasterOperations) {
    const PictureSurface source(Rows::BottomUp);
    gditest::Surface destination(2, 2, Rows::BottomUp);
    const std::string before = destination.screenText();
    EXPECT_EQ(BitBlt(destination.dc(), 0, 0, 2, 2, source.dc(), 0, 0, 0x00EE0086), FALSE);
    EXPECT_EQ(BitBlt(destination.dc(), 0, 0, 2, 2, nullptr, 0, 0, SRCCOPY), FALSE);
    EXPECT_EQ(BitBlt(nullptr, 0, 0, 2, 2, source.dc(), 0, 0, SRCCOPY), FALSE);
    EXPECT_EQ(
        BitBlt(reinterpret_cast<HDC>(source.bitmap()), 0, 0, 2, 2, source.dc(), 0, 0, SRCCOPY),
        FALSE);
    EXPECT_EQ(destination.screenText(), before);
}

TEST(BitBlt, FromTheStockBitmapGivesBlack) {
    const HDC empty = CreateCompatibleDC(nullptr);
    gditest::Surface destination(2, 1, Rows::BottomUp);
    EXPECT_EQ(BitBlt(destination.dc(), 0, 0, 2, 1, empty, 0, 0, SRCCOPY), TRUE);
    EXPECT_EQ(destination.screenText(), rowText({0, untouched}));
    DeleteDC(empty);
}

TEST(FillRect, WritesTheColourReferenceAsAPixelWithinTheSurface) {
    gditest::Surface surface(3, 2, Rows::BottomUp);
    const HBRUSH brush = CreateSolidBrush(0x000080FF);
    const RECT rect{1, -5, 9, 1};
    EXPECT_NE(FillRect(surface.dc(), &rect, brush), 0);
    EXPECT_EQ(surface.screenText(), rowText({untouched, 0x00FF8000, 0x00FF8000}) +
                                        rowText({untouched, untouched, untouched}));
    const RECT inverted{3, 2, 0, 0};
    EXPECT_NE(FillRect(surface.dc(), &inverted, brush), 0);
    EXPECT_EQ(surface.screen()[3], untouched);
    DeleteObject(brush);
}

TEST(FillRect, RefusesBadArguments) {
    gditest::Surface surface(1, 1, Rows::BottomUp);
    const HBRUSH brush = CreateSolidBrush(0x00FFFFFF);
    const RECT rect{0, 0, 1, 1};
    EXPECT_EQ(FillRect(surface.dc(), nullptr, brush), 0);
    EXPECT_EQ(FillRect(nullptr, &rect, brush), 0);
    EXPECT_EQ(FillRect(surface.dc(), &rect, reinterpret_cast<HBRUSH>(surface.bitmap())), 0);
    DeleteObject(brush);
    EXPECT_EQ(FillRect(surface.dc(), &rect, brush), 0);
    EXPECT_EQ(surface.screen()[0], untouched);
}

TEST(MoveMemoryBounded, CopiesOnlyWhenTheSourceFits) {
    gditest::GuardedBuffer destination(8);
    std::memset(destination.span().data(), 0, 8);
    const std::byte source[9] = {std::byte{1}, std::byte{2}, std::byte{3},
                                 std::byte{4}, std::byte{5}, std::byte{6},
                                 std::byte{7}, std::byte{8}, std::byte{9}};
    EXPECT_FALSE(MoveMemoryBounded(destination.span(), source));
    EXPECT_EQ(destination.span()[0], std::byte{0});
    EXPECT_TRUE(MoveMemoryBounded(destination.span(), std::span(source, 8)));
    EXPECT_TRUE(std::equal(source, source + 8, destination.span().begin()));
    EXPECT_TRUE(MoveMemoryBounded(destination.span(), {}));
    EXPECT_TRUE(MoveMemoryBounded(destination.span().subspan(2), destination.span().first(6)));
    EXPECT_EQ(destination.span()[7], std::byte{6});
    EXPECT_TRUE(destination.guardsIntact());
}

}  // namespace
