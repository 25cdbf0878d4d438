#include "colour_table.h"
#include "rle_decoder.h"
#include "row_converter.h"
#include "set_dibits_call.h"

#include <algorithm>
#include <new>

namespace gdi {

namespace {

void decodeOnto(const geometry::RleGeometry& g, std::span<const std::byte> stream, WORD bitCount,
                const SurfaceView& surface, const RowConverter& converter) {
    RleLine line(g.windowColumns, g.windowScanLines,
                 [&](std::int64_t scanLine, std::int64_t column, const std::byte* indices,
                     std::size_t count) {
                     std::byte* row = surface.rowStart(int(g.destinationRowOf(scanLine)));
                     converter.convert(indices, 0, row, std::size_t(g.destinationColumnOf(column)),
                                       count);
                 });
    decodeRle(stream, bitCount, {g.areaColumns.end, g.areaScanLines.end}, line);
}

}  // namespace

int drawRle(const geometry::RleGeometry& g, const BITMAPINFO* bmi, const DibHeader& header,
            UINT colorUse, std::span<const std::byte> bits, const Bitmap& surface) {
    if (g.windowColumns.empty() || !surface.isDrawable()) {
        return g.result;
    }
    ColourTable colours;
    readColourTable(bmi, header, colorUse, colours);
    // The decoder keeps one index a byte; the bit count keeps RLE4 tables matching 4-bpp ones.
    const PixelFormat decoded{PixelKind::Index8, header.bitCount, {}, colours.colours()};
    const RowConverter converter(decoded, surface.pixelFormat(),
                                 std::size_t(g.windowColumns.size() * g.windowScanLines.size()));
    const std::span<const std::byte> stream =
        bits.first(std::min<std::size_t>(bits.size(), header.sizeImage));
    try {
        decodeOnto(g, stream, header.bitCount, surface.view(), converter);
    } catch (const std::bad_alloc&) {
        // A line of the window cannot be held: nothing is drawn, as for any failure to draw.
    }
    return g.result;
}

}  // namespace gdi
