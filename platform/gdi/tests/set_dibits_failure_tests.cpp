#include "gdi_test_support.h"

#include <gtest/gtest.h>

#include <ostream>

namespace {

using gditest::Rows;

struct Call {
    HDC dc;
    BITMAPINFO header;
    const BITMAPINFO* headerPointer;
    std::span<const std::byte> bits;
    UINT colorUse = DIB_RGB_COLORS;
    UINT cLines = 8;
};

// One way of breaking an otherwise valid 8x8 call.
struct Failure {
    const char* name;
    void (*breakCall)(Call&);
};

void PrintTo(const Failure& failure, std::ostream* out) {
    *out << failure.name;
}

HDC deletedDc() {
    const HDC dc = CreateCompatibleDC(nullptr);
    DeleteDC(dc);
    return dc;
}

const Failure failures[] = {
    {"NullBits", [](Call& c) { c.bits = {}; }},
    {"NullHeader", [](Call& c) { c.headerPointer = nullptr; }},
    {"HeaderSize0", [](Call& c) { c.header.bmiHeader.biSize = 0; }},
    {"HeaderSize39", [](Call& c) { c.header.bmiHeader.biSize = 39; }},
    {"CoreHeaderSize12", [](Call& c) { c.header.bmiHeader.biSize = 12; }},
    {"WidthZero", [](Call& c) { c.header.bmiHeader.biWidth = 0; }},
    {"WidthNegative", [](Call& c) { c.header.bmiHeader.biWidth = -8; }},
    {"HeightZero", [](Call& c) { c.header.bmiHeader.biHeight = 0; }},
    {"PlanesZero", [](Call& c) { c.header.bmiHeader.biPlanes = 0; }},
    {"BitCount0", [](Call& c) { c.header.bmiHeader.biBitCount = 0; }},
    {"BitCount2", [](Call& c) { c.header.bmiHeader.biBitCount = 2; }},
    {"BitCount64", [](Call& c) { c.header.bmiHeader.biBitCount = 64; }},
    {"CompressionRle8", [](Call& c) { c.header.bmiHeader.biCompression = BI_RLE8; }},
    {"CompressionJpeg", [](Call& c) { c.header.bmiHeader.biCompression = BI_JPEG; }},
    {"ColorUse3", [](Call& c) { c.colorUse = 3; }},
    {"LinesZero", [](Call& c) { c.cLines = 0; }},
    {"NullDc", [](Call& c) { c.dc = nullptr; }},
    {"DeletedDc", [](Call& c) { c.dc = deletedDc(); }},
    {"GarbageDc", [](Call& c) { c.dc = reinterpret_cast<HDC>(std::uintptr_t(0x12345678)); }},
    {"BitmapHandleAsDc",
     [](Call& c) { c.dc = reinterpret_cast<HDC>(GetCurrentObject(c.dc, OBJ_BITMAP)); }},
};

class BrokenCall : public testing::TestWithParam<std::tuple<Failure, Rows>> {};

TEST_P(BrokenCall, ReturnsZeroAndDrawsNothing) {
    const auto& [failure, sourceRows] = GetParam();
    gditest::Surface surface(8, 8, Rows::BottomUp);
    const std::string before = surface.screenText();
    const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(8, 8, sourceRows);
    Call call{surface.dc(), gditest::dibHeader(8, 8, sourceRows), nullptr,
              std::as_bytes(std::span(pixels))};
    call.headerPointer = &call.header;
    failure.breakCall(call);

    EXPECT_EQ(SetDIBitsToDevice(call.dc, 0, 0, 8, 8, 0, 0, 0, call.cLines, call.bits,
                                call.headerPointer, call.colorUse),
              0);
    EXPECT_EQ(surface.screenText(), before);
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, BrokenCall,
                         testing::Combine(testing::ValuesIn(failures),
                                          testing::Values(Rows::BottomUp, Rows::TopDown)),
                         [](const auto& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) == Rows::TopDown ? "_TopDown"
                                                                              : "_BottomUp");
                         });

TEST(SetDIBitsToDevice, TopDownBandOf2Pow31LinesFails) {
    gditest::Surface surface(8, 8, Rows::BottomUp);
    const std::string before = surface.screenText();
    const BITMAPINFO header = gditest::dibHeader(8, 8, Rows::TopDown);
    const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(8, 8, Rows::TopDown);
    const auto bits = std::as_bytes(std::span(pixels));

    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 8, 8, 0, 0, 0, 0x80000000u, bits, &header, 0),
              0);
    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 8, 8, 0, 0, 0, 0xFFFFFFFFu, bits, &header, 0),
              0);
    EXPECT_EQ(surface.screenText(), before);
    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 8, 8, 0, 0, 0, 0x7FFFFFFFu, bits, &header, 0),
              0x7FFFFFFF);
}

TEST(SetDIBitsToDevice, AcceptsPaletteColourUseAndLargerHeaders) {
    gditest::Surface surface(8, 8, Rows::BottomUp);
    BITMAPINFO header = gditest::dibHeader(8, 8, Rows::BottomUp);
    header.bmiHeader.biSize = 124;
    const std::vector<std::uint32_t> pixels = gditest::pictureBuffer(8, 8, Rows::BottomUp);
    const auto bits = std::as_bytes(std::span(pixels));

    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 8, 8, 0, 0, 0, 8, bits, &header, 1), 8);
    EXPECT_EQ(SetDIBitsToDevice(surface.dc(), 0, 0, 8, 8, 0, 0, 0, 8, bits, &header, 2), 8);
}

}  // namespace
