#include "color_table.h"
#include "rle_decoder.h"
#include "row_converter.h"
#include "set_dibits_call.h"

#include <algorithm>
#include <cstring>

namespace gdi {

namespace {

// Wine gives 0 when the source rectangle is empty in 32-bit arithmetic: a Width or Height of 0,
// a negative Height, or a decode area (XSrc + Width by YSrc + Height) that is not positive.
bool drawsNoRleArea(const SetDibitsCall& call) {
    const std::int64_t areaWidth = call.xSrc + call.width;
    const std::int64_t areaHeight = call.ySrc + call.height;
    return call.width == 0 || call.height == 0 || call.height >= signedLimit || areaWidth <= 0 ||
           areaWidth >= signedLimit || areaHeight <= 0 || areaHeight >= signedLimit;
}

// Destination (XDest+i, YDest+j) shows column XSrc+i of scan line YSrc+Height-1-j, as for
// uncompressed sources; the canvas covers the pixels that reach the surface.
std::optional<RleCanvas> visibleCanvas(const SetDibitsCall& call, const SurfaceView& surface) {
    const std::int64_t areaHeight = call.ySrc + call.height;
    const std::int64_t firstColumn = std::max({std::int64_t(0), -call.xDest, -call.xSrc});
    const std::int64_t endColumn = std::min(call.width, surface.width - call.xDest);
    const std::int64_t firstRow = std::max(std::int64_t(0), -call.yDest);
    const std::int64_t endRow = std::min({call.height, surface.height - call.yDest, areaHeight});
    if (firstColumn >= endColumn || firstRow >= endRow) {
        return std::nullopt;
    }
    return RleCanvas(call.xSrc + firstColumn, areaHeight - endRow, endColumn - firstColumn,
                     endRow - firstRow);
}

void drawCanvas(const SetDibitsCall& call, const RleCanvas& canvas, const SurfaceView& surface,
                const RowConverter& converter) {
    const std::int64_t areaHeight = call.ySrc + call.height;
    const std::int64_t xOffset = call.xDest - call.xSrc;
    const auto width = std::size_t(canvas.width());
    for (std::int64_t line = canvas.bottom(); line < canvas.bottom() + canvas.height(); ++line) {
        std::byte* row = surface.rowStart(int(call.yDest + areaHeight - 1 - line));
        const std::uint8_t* marks = canvas.marks(line);
        // Runs of set pixels, found a byte value at a time.
        for (std::size_t x = 0; x < width;) {
            const auto* unset =
                static_cast<const std::uint8_t*>(std::memchr(marks + x, 0, width - x));
            const std::size_t end = unset ? std::size_t(unset - marks) : width;
            if (end > x) {
                converter.convert(canvas.indices(line), x, row,
                                  std::size_t(canvas.left() + xOffset) + x, end - x);
            }
            const auto* set =
                end < width
                    ? static_cast<const std::uint8_t*>(std::memchr(marks + end, 1, width - end))
                    : nullptr;
            x = set ? std::size_t(set - marks) : width;
        }
    }
}

}  // namespace

int drawRle(const SetDibitsCall& call, const BITMAPINFO* bmi, const DibHeader& header,
            UINT colorUse, std::span<const std::byte> bits, const Bitmap& surface) {
    if (drawsNoRleArea(call)) {
        return 0;
    }
    if (call.width >= signedLimit || !surface.isDrawable()) {
        return header.height;
    }
    const SurfaceView view = surface.view();
    std::optional<RleCanvas> canvas = visibleCanvas(call, view);
    if (!canvas) {
        return header.height;
    }
    const std::span<const std::byte> stream =
        bits.first(std::min<std::size_t>(bits.size(), header.sizeImage));
    decodeRle(stream, header.bitCount, {call.xSrc + call.width, call.ySrc + call.height}, *canvas);
    ColorTable colors;
    readColorTable(bmi, header, colorUse, colors);
    // The canvas holds one index a byte; the bit count keeps RLE4 tables matching 4-bpp ones.
    const PixelFormat decoded{PixelKind::Index8, header.bitCount, {}, colors.colors()};
    const RowConverter converter(decoded, surface.pixelFormat());
    drawCanvas(call, *canvas, view, converter);
    return header.height;
}

}  // namespace gdi
