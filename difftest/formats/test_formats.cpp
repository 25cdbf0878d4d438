#include "test_formats.h"

#include <array>

namespace difftest {

namespace {

constexpr TestFormat indexed(std::string_view token, WORD bitCount) {
    return {token, token, bitCount, BI_RGB, {}};
}

constexpr TestFormat fields(std::string_view token, std::string_view label, WORD bitCount,
                            DWORD red, DWORD green, DWORD blue) {
    return {token, label, bitCount, BI_BITFIELDS, {red, green, blue}};
}

constexpr TestFormat rgb16{"16", "555", 16, BI_RGB, {}};
constexpr TestFormat rgb24{"24", "24", 24, BI_RGB, {}};
constexpr TestFormat rgb32{"32", "32", 32, BI_RGB, {}};
constexpr TestFormat fields555 = fields("16:7c00:3e0:1f", "555bf", 16, 0x7c00, 0x3e0, 0x1f);
constexpr TestFormat fields565 = fields("16:f800:7e0:1f", "565", 16, 0xf800, 0x7e0, 0x1f);
constexpr TestFormat fields444 = fields("16:f00:f0:f", "444", 16, 0xf00, 0xf0, 0xf);
constexpr TestFormat fields888 = fields("32:ff0000:ff00:ff", "888bf", 32, 0xff0000, 0xff00, 0xff);
constexpr TestFormat fields101010 =
    fields("32:3ff00000:ffc00:3ff", "10bit", 32, 0x3ff00000, 0xffc00, 0x3ff);

// Red's lowest run is 1 (16 bpp) or 3 (32 bpp) bits long with more bits above it, and blue's
// mask is empty.
constexpr std::array<TestFormat, 16> sources{
    indexed("1", 1),
    indexed("4", 4),
    indexed("8", 8),
    rgb16,
    fields555,
    fields565,
    fields444,
    fields("16:c00a:3f0:0", "16odd", 16, 0xc00a, 0x3f0, 0),
    rgb24,
    rgb32,
    fields888,
    fields("32:ff:ff00:ff0000", "bgr", 32, 0xff, 0xff00, 0xff0000),
    fields101010,
    fields("32:e0000007:1f800:0", "32odd", 32, 0xe0000007, 0x1f800, 0),
    TestFormat{"rle8", "rle8", 8, BI_RLE8, {}},
    TestFormat{"rle4", "rle4", 4, BI_RLE4, {}},
};

constexpr std::array<TestFormat, 11> destinations{
    indexed("1", 1), indexed("4", 4), indexed("8", 8), rgb16,     fields555,    fields565,
    fields444,       rgb24,           rgb32,           fields888, fields101010,
};

}  // namespace

int TestFormat::hexDigits() const {
    return bitCount <= 4 ? 1 : bitCount / 4;
}

std::size_t TestFormat::stride(std::uint32_t width) const {
    return (std::size_t(width) * bitCount + 31) / 32 * 4;
}

gdi::DibFormat TestFormat::dibFormat(LONG width, LONG height, gdi::RowOrder order) const {
    gdi::DibFormat format;
    format.width = width;
    format.height = height;
    format.order = order;
    format.bitCount = bitCount;
    format.compression = compression;
    format.masks = masks;
    return format;
}

std::span<const TestFormat> sourceFormats() {
    return sources;
}

std::span<const TestFormat> destinationFormats() {
    return destinations;
}

const TestFormat& rgb32Format() {
    return rgb32;
}

}  // namespace difftest
