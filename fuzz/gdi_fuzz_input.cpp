#include "gdi_fuzz_input.h"

#include <array>
#include <climits>

namespace fuzzinput {

namespace {

constexpr std::array<std::int64_t, 14> edgeValues{0,       1,       -1,       2,         8,
                                                  -8,      0x7FFF,  -0x8000,  0x8001,    0x40000001,
                                                  INT_MAX, INT_MIN, UINT_MAX, 0x80000000};

BITMAPINFOHEADER dibHeader(LONG width, LONG height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

}  // namespace

// Mostly small values, sometimes a boundary or any 32-bit pattern.
std::int64_t GdiInput::number() {
    const int kind = ConsumeIntegralInRange(0, 15);
    if (kind < 12) {
        return ConsumeIntegralInRange(-3, 14);
    }
    if (kind < 14) {
        return edgeValues[ConsumeIntegralInRange<std::size_t>(0, edgeValues.size() - 1)];
    }
    if (kind == 14) {
        return ConsumeIntegralInRange(-2 * maxSide, 2 * maxSide);
    }
    return ConsumeIntegral<std::int32_t>();
}

// Mostly a supported header of a small DIB; sometimes one field, sometimes every field, odd.
BITMAPINFOHEADER GdiInput::header() {
    const LONG width = ConsumeIntegralInRange(1, 16);
    BITMAPINFOHEADER header = dibHeader(width, ConsumeIntegralInRange(-16, 16));
    const int odd = ConsumeIntegralInRange(0, 15);
    if (odd == 0 || odd == 1) {
        header.biSize = unsignedArgument();
    }
    if (odd == 0 || odd == 2) {
        header.biWidth = signedArgument();
    }
    if (odd == 0 || odd == 3) {
        header.biHeight = signedArgument();
    }
    if (odd == 0 || odd == 4) {
        header.biPlanes = WORD(unsignedArgument());
    }
    if (odd == 0 || odd == 5) {
        header.biBitCount = WORD(unsignedArgument());
    }
    if (odd == 0 || odd == 6) {
        header.biCompression = unsignedArgument();
    }
    header.biSizeImage = odd == 0 ? unsignedArgument() : 0;
    header.biClrUsed = odd == 0 ? unsignedArgument() : 0;
    return header;
}

// A heap block of exactly the chosen size, so AddressSanitizer sees any access beyond it.
std::vector<std::byte> GdiInput::buffer(std::byte fill) {
    return std::vector<std::byte>(ConsumeIntegralInRange<std::size_t>(0, maxBufferBytes), fill);
}

}  // namespace fuzzinput
