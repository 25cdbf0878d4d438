#include "picture_pixels.h"

#include <algorithm>
#include <span>

#include "gdi/dib_format.h"

void drawBottomUp(ui::Picture& picture, const std::vector<std::int32_t>& pixels) {
    const gdi::DibInfo info(
        gdi::DibFormat::rgb32(picture.Width, picture.Height, gdi::RowOrder::BottomUp));
    SetDIBitsToDevice(picture.hDC(), 0, 0, static_cast<DWORD>(picture.Width),
                      static_cast<DWORD>(picture.Height), 0, 0, 0,
                      static_cast<UINT>(picture.Height), std::as_bytes(std::span(pixels)),
                      info.get(), DIB_RGB_COLORS);
}

std::vector<std::uint32_t> bottomUpPixels(const ui::Picture& picture) {
    const std::vector<std::uint32_t> topDown = ui::imagePixels(picture);
    std::vector<std::uint32_t> bottomUp;
    bottomUp.reserve(topDown.size());
    for (int row = picture.Height - 1; row >= 0; --row) {
        const auto first = topDown.begin() + row * picture.Width;
        bottomUp.insert(bottomUp.end(), first, first + picture.Width);
    }
    return bottomUp;
}

std::vector<std::int32_t> distinctPixels() {
    std::vector<std::int32_t> pixels(64);
    for (int i = 0; i < 64; ++i) pixels[i] = (i << 16) | ((63 - i) << 8) | (i * 3 + 1);
    return pixels;
}

bool uniform(const ui::Picture& picture, std::uint32_t value) {
    const std::vector<std::uint32_t> pixels = ui::imagePixels(picture);
    return !pixels.empty() && std::all_of(pixels.begin(), pixels.end(),
                                          [value](std::uint32_t pixel) { return pixel == value; });
}
