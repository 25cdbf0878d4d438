#include "color.h"
#include "object_table.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::PixelView;

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

void copyRect(const PixelView& destination, Span1D columns, Span1D rows, const PixelView& source) {
    const std::size_t bytes = std::size_t(columns.length) * 4;
    // Walk rows so that an overlapping copy within one bitmap reads each row before writing it.
    const bool upward = rows.destination > rows.source && destination.top == source.top;
    for (std::int64_t k = 0; k < rows.length; ++k) {
        const std::int64_t row = upward ? rows.length - 1 - k : k;
        std::memmove(destination.rowStart(int(rows.destination + row)) + columns.destination,
                     source.rowStart(int(rows.source + row)) + columns.source, bytes);
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
    const PixelView to = destination->view();
    const PixelView from = source->view();
    const Span1D columns = clipSpan(normalized(xDest, xSrc, width), to.width, from.width);
    const Span1D rows = clipSpan(normalized(yDest, ySrc, height), to.height, from.height);
    if (columns.length > 0) {
        copyRect(to, columns, rows, from);
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
    const PixelView view = surface->view();
    const auto left = std::clamp<LONG>(rect->left, 0, view.width);
    const auto right = std::clamp<LONG>(rect->right, 0, view.width);
    const auto top = std::clamp<LONG>(rect->top, 0, view.height);
    const auto bottom = std::clamp<LONG>(rect->bottom, 0, view.height);
    const std::uint32_t pixel = gdi::pixelFromColorRef(fill->color);
    for (LONG y = top; y < bottom; ++y) {
        const auto count = std::size_t(std::max(left, right) - left);
        std::ranges::fill(view.row(y).subspan(std::size_t(left), count), pixel);
    }
    return 1;
}
