#include "dib_header.h"
#include "object_table.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::DibFormat;
using gdi::RowOrder;

constexpr std::int64_t signedLimit = std::int64_t(1) << 31;

struct SetDibitsCall {
    std::int64_t xDest, yDest, width, height, xSrc, ySrc, startScan, cLines;
};

// A Height of 2^31 or more is a negative 32-bit value: it shortens the source rectangle from the
// top instead of reaching beyond the image.
std::int64_t asSigned(std::int64_t value) {
    return value >= signedLimit ? value - 2 * signedLimit : value;
}

// The number of scan lines Windows reports. Bottom-up: the band cut at the image's top and at the
// source rectangle's top. Top-down: the band as given, whatever is drawn.
int scanLinesSet(const SetDibitsCall& call, const DibFormat& format) {
    if (format.order == RowOrder::TopDown) {
        return call.cLines >= signedLimit ? 0 : int(call.cLines);
    }
    const std::int64_t lines =
        std::max<std::int64_t>(0, std::min(call.cLines, format.height - call.startScan));
    const std::int64_t rectTop = call.ySrc + asSigned(call.height);
    return int(
        std::max<std::int64_t>(0, std::min(call.startScan + lines, rectTop) - call.startScan));
}

struct ScanRange {
    std::int64_t low, high;
};

// Scan lines whose band row the bits buffer really holds.
ScanRange availableScanLines(const SetDibitsCall& call, const DibFormat& format,
                             std::size_t bufferBytes) {
    const auto bufferRows = std::int64_t(bufferBytes / format.stride());
    if (format.order == RowOrder::BottomUp) {
        return {call.startScan, std::min({call.startScan + call.cLines, std::int64_t(format.height),
                                          call.startScan + bufferRows})};
    }
    const std::int64_t high = call.startScan + call.cLines;
    return {high - std::min({call.cLines, std::int64_t(format.height), bufferRows}), high};
}

std::int64_t bufferRowOf(std::int64_t scanLine, const SetDibitsCall& call,
                         const DibFormat& format) {
    return format.order == RowOrder::BottomUp ? scanLine - call.startScan
                                              : call.startScan + call.cLines - 1 - scanLine;
}

void drawBand(const SetDibitsCall& call, const DibFormat& format, std::span<const std::byte> bits,
              const gdi::PixelView& surface) {
    ScanRange scans = availableScanLines(call, format, bits.size());
    const std::int64_t rectTop = call.ySrc + call.height;
    scans.low = std::max({scans.low, call.ySrc, rectTop + call.yDest - surface.height});
    scans.high = std::min({scans.high, rectTop, rectTop + call.yDest});
    const std::int64_t firstColumn = std::max({std::int64_t(0), -call.xDest, -call.xSrc});
    const std::int64_t endColumn =
        std::min({call.width, surface.width - call.xDest, format.width - call.xSrc});
    if (scans.low >= scans.high || firstColumn >= endColumn) {
        return;
    }
    const std::size_t rowBytes = std::size_t(endColumn - firstColumn) * 4;
    const std::size_t columnOffset = std::size_t(call.xSrc + firstColumn) * 4;
    for (std::int64_t scan = scans.low; scan < scans.high; ++scan) {
        const std::byte* source = bits.data() +
                                  std::size_t(bufferRowOf(scan, call, format)) * format.stride() +
                                  columnOffset;
        const auto y = int(call.yDest + rectTop - 1 - scan);
        std::memmove(surface.rowStart(y) + call.xDest + firstColumn, source, rowBytes);
    }
}

}  // namespace

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT cLines, std::span<const std::byte> bits,
                      const BITMAPINFO* bmi, UINT colorUse) {
    const std::optional<DibFormat> format = gdi::readDibFormat(bmi);
    if (!format || !bits.data() || colorUse > 2 || cLines == 0) {
        return 0;
    }
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.mutex());
    const gdi::Bitmap* surface = table.surfaceOf(hdc);
    if (!surface) {
        return 0;
    }
    const SetDibitsCall call{xDest, yDest, width, height, xSrc, ySrc, startScan, cLines};
    const int result = scanLinesSet(call, *format);
    const bool drawsNothing = result == 0 || call.startScan >= format->height ||
                              call.width >= signedLimit || call.height >= signedLimit ||
                              !surface->isDrawable();
    if (!drawsNothing) {
        drawBand(call, *format, bits, surface->view());
    }
    return result;
}
