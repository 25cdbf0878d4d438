#include "colour.h"
#include "geometry/row_order.h"
#include "object_table.h"
#include "pixel_fill.h"
#include "row_converter.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

using gdi::SurfaceView;

// One dimension of a copy: the destination's cells and how far the source lies from them.
struct Copy1D {
    geometry::Span destination;
    std::int64_t sourceOffset;

    std::int64_t source() const { return destination.begin + sourceOffset; }
};

// Shrinks a one-dimensional copy to the part inside both the destination and the source extent.
Copy1D clipped(Copy1D copy, std::int64_t destinationExtent, std::int64_t sourceExtent) {
    const geometry::Span inBoth = geometry::intersect(
        geometry::intersect(copy.destination, {0, destinationExtent}),
        {-copy.sourceOffset, sourceExtent - copy.sourceOffset});
    return {inBoth, copy.sourceOffset};
}

// Within one bitmap each source row is read into a copy before its destination row is written,
// and rows are walked so that none is overwritten before it is read.
void copyRect(const gdi::Bitmap& destination, Copy1D columns, Copy1D rows,
              const gdi::Bitmap& source) {
    const SurfaceView to = destination.view();
    const SurfaceView from = source.view();
    const auto count = std::size_t(columns.destination.size());
    const gdi::RowConverter converter(source.pixelFormat(), destination.pixelFormat(),
                                      count * std::size_t(rows.destination.size()));
    const bool sameBitmap = &destination == &source;
    std::vector<std::byte> rowCopy(sameBitmap ? source.stride() : 0);
    const bool upward = sameBitmap && rows.sourceOffset < 0;
    const std::int64_t height = rows.destination.size();
    for (std::int64_t k = 0; k < height; ++k) {
        const std::int64_t row = rows.destination.begin + (upward ? height - 1 - k : k);
        const std::byte* sourceRow = from.rowStart(int(row + rows.sourceOffset));
        if (sameBitmap) {
            std::memcpy(rowCopy.data(), sourceRow, rowCopy.size());
            sourceRow = rowCopy.data();
        }
        converter.convert(sourceRow, std::size_t(columns.source()), to.rowStart(int(row)),
                          std::size_t(columns.destination.begin), count);
    }
}

// A negative extent names the same rectangle from its other corner.
Copy1D normalized(int destination, int source, int extent) {
    const std::int64_t start = std::int64_t(destination) + std::min(extent, 0);
    return {{start, start + std::abs(std::int64_t(extent))}, std::int64_t(source) - destination};
}

}  // namespace

BOOL BitBlt(HDC hdcDest, int xDest, int yDest, int width, int height, HDC hdcSrc, int xSrc,
            int ySrc, DWORD rop) {
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.lock());
    const gdi::Bitmap* destination = table.surfaceOf(hdcDest);
    const gdi::Bitmap* source = table.surfaceOf(hdcSrc);
    if (!destination || !source || rop != SRCCOPY) {
        return FALSE;
    }
    if (!destination->isDrawable()) {
        return TRUE;
    }
    const Copy1D columns =
        clipped(normalized(xDest, xSrc, width), destination->width(), source->width());
    const Copy1D rows =
        clipped(normalized(yDest, ySrc, height), destination->height(), source->height());
    if (!columns.destination.empty() && !rows.destination.empty()) {
        copyRect(*destination, columns, rows, *source);
    }
    return TRUE;
}

int FillRect(HDC hdc, const RECT* rect, HBRUSH brush) {
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.lock());
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
