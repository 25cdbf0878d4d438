#include "colour.h"
#include "object_table.h"
#include "pixel_fill.h"
#include "row_converter.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

using gdi::SurfaceView;

struct Span1D {
    std::int64_t destination, source, length;
};

// Shrinks a one-dimensional copy to the part inside both the destination and the source extent.
Span1D clipSpan(Span1D span, std::int64_t destinationExtent, std::int64_t sourceExtent) {
    const std::int64_t skip = std::max({std::int64_t(0), -span.destination, -span.source});
    const std::int64_t end =
        std::min({span.length, destinationExtent - span.destination, sourceExtent - span.source});
    return {span.destination + skip, span.source + skip, std::max<std::int64_t>(0, end - skip)};
}

// Within one bitmap each source row is read into a copy before its destination row is written,
// and rows are walked so that none is overwritten before it is read.
void copyRect(const gdi::Bitmap& destination, Span1D columns, Span1D rows,
              const gdi::Bitmap& source) {
    const SurfaceView to = destination.view();
    const SurfaceView from = source.view();
    const gdi::RowConverter converter(source.pixelFormat(), destination.pixelFormat(),
                                      std::size_t(columns.length * rows.length));
    const bool sameBitmap = &destination == &source;
    std::vector<std::byte> rowCopy(sameBitmap ? source.stride() : 0);
    const bool upward = sameBitmap && rows.destination > rows.source;
    for (std::int64_t k = 0; k < rows.length; ++k) {
        const std::int64_t row = upward ? rows.length - 1 - k : k;
        const std::byte* sourceRow = from.rowStart(int(rows.source + row));
        if (sameBitmap) {
            std::memcpy(rowCopy.data(), sourceRow, rowCopy.size());
            sourceRow = rowCopy.data();
        }
        converter.convert(sourceRow, std::size_t(columns.source),
                          to.rowStart(int(rows.destination + row)),
                          std::size_t(columns.destination), std::size_t(columns.length));
    }
}

// A negative extent names the same rectangle from its other corner.
Span1D normalized(int destination, int source, int extent) {
    if (extent < 0) {
        return {std::int64_t(destination) + extent, std::int64_t(source) + extent,
                -std::int64_t(extent)};
    }
    return {destination, source, extent};
}

}  // namespace

BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc,
            int ySrc, DWORD rop) {
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.mutex());
    const gdi::Bitmap* destination = table.surfaceOf(hdcDest);
    const gdi::Bitmap* source = table.surfaceOf(hdcSrc);
    if (!destination || !source || rop != SRCCOPY) {
        return FALSE;
    }
    if (!destination->isDrawable()) {
        return TRUE;
    }
    const Span1D columns =
        clipSpan(normalized(xDest, xSrc, width), destination->width(), source->width());
    const Span1D rows =
        clipSpan(normalized(yDest, ySrc, height), destination->height(), source->height());
    if (columns.length > 0 && rows.length > 0) {
        copyRect(*destination, columns, rows, *source);
    }
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.mutex());
    const gdi::Bitmap* surface = table.surfaceOf(hdc);
    const gdi::Brush* fill = table.find<gdi::Brush>(brush);
    if (!surface || !fill || !rect) {
        return 0;
    }
    if (!surface->isDrawable()) {
        return 1;
    }
    const SurfaceView view = surface->view();
    const auto left = std::clamp<LONG>(rect->left, 0, view.width);
    const auto right = std::clamp<LONG>(rect->right, 0, view.width);
    const auto top = std::clamp<LONG>(rect->top, 0, view.height);
    const auto bottom = std::clamp<LONG>(rect->bottom, 0, view.height);
    const gdi::PixelFormat format = surface->pixelFormat();
    const std::uint32_t value = gdi::brushValue(format, gdi::pixelFromColourRef(fill->colour));
    for (LONG y = top; y < bottom; ++y) {
        const auto count = std::size_t(std::max(left, right) - left);
        gdi::fillPixels(format.kind, view.rowStart(y), std::size_t(left), count, value);
    }
    return 1;
}
