#include "probe_eval.h"

#include "gdi/gdi.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <span>

namespace probe {

namespace {

BITMAPINFO makeHeader(std::uint32_t width, std::uint32_t height, RowOrder order) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = LONG(width);
    info.bmiHeader.biHeight = order == RowOrder::TopDown ? -LONG(height) : LONG(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// Row r of the picture (0 = top) sits in buffer row r of a top-down DIB and h-1-r of a bottom-up
// one. Both copy directions use this mapping.
std::size_t bufferRowOf(std::uint32_t pictureRow, std::uint32_t height, RowOrder order) {
    return order == RowOrder::TopDown ? pictureRow : height - 1 - pictureRow;
}

std::vector<std::uint32_t> sourceBuffer(const ProbeCase& probeCase) {
    std::vector<std::uint32_t> buffer(probeCase.picture.size());
    const std::size_t width = probeCase.srcWidth;
    for (std::uint32_t row = 0; row < probeCase.srcHeight; ++row) {
        const std::size_t target = bufferRowOf(row, probeCase.srcHeight, probeCase.srcOrder);
        std::memcpy(buffer.data() + target * width, probeCase.picture.data() + row * width,
                    width * 4);
    }
    return buffer;
}

std::vector<std::uint32_t> screenOrder(const std::uint32_t* pixels, const ProbeCase& probeCase) {
    const std::size_t width = probeCase.destWidth;
    std::vector<std::uint32_t> screen(width * probeCase.destHeight);
    for (std::uint32_t row = 0; row < probeCase.destHeight; ++row) {
        const std::size_t source = bufferRowOf(row, probeCase.destHeight, probeCase.destOrder);
        std::memcpy(screen.data() + row * width, pixels + source * width, width * 4);
    }
    return screen;
}

int callSetDIBitsToDevice(HDC dc, const ProbeCase& probeCase) {
    const std::vector<std::uint32_t> buffer = sourceBuffer(probeCase);
    const BITMAPINFO source =
        makeHeader(probeCase.srcWidth, probeCase.srcHeight, probeCase.srcOrder);
    return SetDIBitsToDevice(dc, probeCase.xDest, probeCase.yDest, probeCase.width,
                             probeCase.height, probeCase.xSrc, probeCase.ySrc, probeCase.startScan,
                             probeCase.cLines, std::as_bytes(std::span(buffer)), &source,
                             DIB_RGB_COLORS);
}

}  // namespace

ProbeOutcome evaluateCase(const ProbeCase& probeCase) {
    ProbeOutcome outcome;
    const BITMAPINFO destHeader =
        makeHeader(probeCase.destWidth, probeCase.destHeight, probeCase.destOrder);
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP section = CreateDIBSection(dc, &destHeader, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!dc || !section) {
        outcome.error = "cannot create the destination bitmap";
    } else {
        auto* pixels = static_cast<std::uint32_t*>(bits);
        std::fill_n(pixels, std::size_t(probeCase.destWidth) * probeCase.destHeight,
                    probeCase.fill);
        const HGDIOBJ previous = SelectObject(dc, section);
        outcome.result = callSetDIBitsToDevice(dc, probeCase);
        outcome.destination = screenOrder(pixels, probeCase);
        SelectObject(dc, previous);
    }
    DeleteObject(section);
    DeleteDC(dc);
    return outcome;
}

}  // namespace probe
