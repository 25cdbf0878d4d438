#include "colour_table.h"
#include "rle_decoder.h"
#include "row_converter.h"
#include "set_dibits_call.h"

#include <algorithm>
#include <new>

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
// uncompressed sources; the window covers the pixels that reach the surface.
std::optional<RleWindow> visibleWindow(const SetDibitsCall& call, const SurfaceView& surface) {
    const std::int64_t areaHeight = call.ySrc + call.height;
    const std::int64_t firstColumn = std::max({std::int64_t(0), -call.xDest, -call.xSrc});
    const std::int64_t endColumn = std::min(call.width, surface.width - call.xDest);
    const std::int64_t firstRow = std::max(std::int64_t(0), -call.yDest);
    const std::int64_t endRow = std::min({call.height, surface.height - call.yDest, areaHeight});
    if (firstColumn >= endColumn || firstRow >= endRow) {
        return std::nullopt;
    }
    return RleWindow{call.xSrc + firstColumn, areaHeight - endRow, endColumn - firstColumn,
                     endRow - firstRow};
}

void decodeOnto(const SetDibitsCall& call, std::span<const std::byte> stream, WORD bitCount,
                RleWindow window, const SurfaceView& surface, const RowConverter& converter) {
    const std::int64_t areaHeight = call.ySrc + call.height;
    RleLine line(window, [&](std::int64_t scanLine, std::int64_t column, const std::byte* indices,
                             std::size_t count) {
        std::byte* row = surface.rowStart(int(call.yDest + areaHeight - 1 - scanLine));
        converter.convert(indices, 0, row, std::size_t(column + call.xDest - call.xSrc), count);
    });
    decodeRle(stream, bitCount, {call.xSrc + call.width, areaHeight}, line);
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
    const std::optional<RleWindow> window = visibleWindow(call, view);
    if (!window) {
        return header.height;
    }
    ColourTable colours;
    readColourTable(bmi, header, colorUse, colours);
    // The decoder keeps one index a byte; the bit count keeps RLE4 tables matching 4-bpp ones.
    const PixelFormat decoded{PixelKind::Index8, header.bitCount, {}, colours.colours()};
    const RowConverter converter(decoded, surface.pixelFormat(),
                                 std::size_t(window->width * window->height));
    const std::span<const std::byte> stream =
        bits.first(std::min<std::size_t>(bits.size(), header.sizeImage));
    try {
        decodeOnto(call, stream, header.bitCount, *window, view, converter);
    } catch (const std::bad_alloc&) {
        // A line of the window cannot be held: nothing is drawn, as for any failure to draw.
    }
    return header.height;
}

}  // namespace gdi
