#include "colour_table.h"
#include "object_table.h"
#include "row_converter.h"
#include "set_dibits_call.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::DibHeader;
using gdi::RowOrder;
using gdi::SetDibitsCall;
using gdi::signedLimit;

// ColorUse 2 (DIB_PAL_INDICES) is taken and drawn as DIB_RGB_COLORS, as Wine does; higher values
// are refused.
constexpr UINT lastColorUse = 2;

// A Height of 2^31 or more is a negative 32-bit value: it shortens the source rectangle from the
// top instead of reaching beyond the image.
std::int64_t asSigned(std::int64_t value) {
    return value >= signedLimit ? value - 2 * signedLimit : value;
}

// The number of scan lines Windows reports. Bottom-up: the band cut at the image's top and at the
// source rectangle's top. Top-down: the band as given, whatever is drawn.
int scanLinesSet(const SetDibitsCall& call, const DibHeader& header) {
    if (header.order() == RowOrder::TopDown) {
        return call.cLines >= signedLimit ? 0 : int(call.cLines);
    }
    const std::int64_t lines =
        std::max<std::int64_t>(0, std::min(call.cLines, header.rows() - call.startScan));
    const std::int64_t rectTop = call.ySrc + asSigned(call.height);
    return int(
        std::max<std::int64_t>(0, std::min(call.startScan + lines, rectTop) - call.startScan));
}

struct ScanRange {
    std::int64_t low, high;
};

// Scan lines whose band row the bits buffer holds completely.
ScanRange availableScanLines(const SetDibitsCall& call, const DibHeader& header,
                             std::size_t bufferBytes) {
    const auto bufferRows = std::int64_t(bufferBytes / header.stride());
    if (header.order() == RowOrder::BottomUp) {
        return {call.startScan, std::min({call.startScan + call.cLines, header.rows(),
                                          call.startScan + bufferRows})};
    }
    const std::int64_t high = call.startScan + call.cLines;
    return {high - std::min({call.cLines, header.rows(), bufferRows}), high};
}

std::int64_t bufferRowOf(std::int64_t scanLine, const SetDibitsCall& call,
                         const DibHeader& header) {
    return header.order() == RowOrder::BottomUp ? scanLine - call.startScan
                                                : call.startScan + call.cLines - 1 - scanLine;
}

// Whether copying rows one by one, in the order given, leaves what one memmove of the whole block
// leaves: always unless the destination lies ahead of the source in the walking direction and
// the two overlap.
bool rowOrderMatchesMemmove(const std::byte* source, const std::byte* destination,
                            std::size_t bytes, bool forward) {
    const auto from = reinterpret_cast<std::uintptr_t>(source);
    const auto to = reinterpret_cast<std::uintptr_t>(destination);
    const bool overlap = to < from + bytes && from < to + bytes;
    return !overlap || (forward ? to <= from : to >= from);
}

// Copies a block, in pieces when the two do not overlap: glibc copies a single piece of a MiB
// or more with a slower loop than smaller ones (measured 15 % slower from 1 MiB to 64 MiB).
void copyBlock(std::byte* to, const std::byte* from, std::size_t bytes) {
    constexpr std::size_t piece = 512 * 1024;
    const auto start = reinterpret_cast<std::uintptr_t>(from);
    const auto target = reinterpret_cast<std::uintptr_t>(to);
    if (target < start + bytes && start < target + bytes) {
        std::memmove(to, from, bytes);
        return;
    }
    for (std::size_t done = 0; done < bytes; done += piece) {
        std::memcpy(to + done, from + done, std::min(piece, bytes - done));
    }
}

// Hands each visible row segment of the band to the converter; which rows and columns those are
// does not depend on the pixel format. Scan lines go up the picture, so destination rows go up
// the surface and buffer rows go forward (bottom-up) or back (top-down). Rows copied unchanged
// and whole, with no padding, that follow each other alike in both buffers, are one block.
void drawBand(const SetDibitsCall& call, const DibHeader& header, std::span<const std::byte> bits,
              const gdi::SurfaceView& surface, const gdi::RowConverter& converter) {
    ScanRange scans = availableScanLines(call, header, bits.size());
    const std::int64_t rectTop = call.ySrc + call.height;
    scans.low = std::max({scans.low, call.ySrc, rectTop + call.yDest - surface.height});
    scans.high = std::min({scans.high, rectTop, rectTop + call.yDest});
    const std::int64_t firstColumn = std::max({std::int64_t(0), -call.xDest, -call.xSrc});
    const std::int64_t endColumn =
        std::min({call.width, surface.width - call.xDest, header.width - call.xSrc});
    if (scans.low >= scans.high || firstColumn >= endColumn) {
        return;
    }
    const auto count = std::size_t(endColumn - firstColumn);
    const auto sourceX = std::size_t(call.xSrc + firstColumn);
    const auto destinationX = std::size_t(call.xDest + firstColumn);
    const auto stride = std::ptrdiff_t(header.stride());
    const std::ptrdiff_t sourceStep = header.order() == RowOrder::BottomUp ? stride : -stride;
    const auto rows = std::size_t(scans.high - scans.low);
    const std::ptrdiff_t firstRow = bufferRowOf(scans.low, call, header) * stride;
    const auto firstY = int(call.yDest + rectTop - 1 - scans.low);
    const std::size_t pixelBits = converter.copiedPixelBits();
    if (pixelBits && sourceX == 0 && destinationX == 0 &&
        count * pixelBits == 8 * header.stride() && sourceStep == -surface.stride) {
        const std::ptrdiff_t lowest = sourceStep > 0 ? 0 : std::ptrdiff_t(rows - 1) * sourceStep;
        const std::byte* from = bits.data() + firstRow + lowest;
        std::byte* to = surface.rowStart(firstY) + lowest;
        const std::size_t bytes = rows * header.stride();
        if (rowOrderMatchesMemmove(from, to, bytes, sourceStep > 0)) {
            copyBlock(to, from, bytes);
            return;
        }
    }
    const std::size_t pixelBytes = pixelBits % 8 == 0 ? pixelBits / 8 : 0;
    for (std::size_t k = 0; k < rows; ++k) {
        const std::byte* source = bits.data() + firstRow + std::ptrdiff_t(k) * sourceStep;
        std::byte* destination = surface.rowStart(firstY - int(k));
        if (pixelBytes) {
            // memmove: a caller may hand a section its own pixels.
            std::memmove(destination + destinationX * pixelBytes, source + sourceX * pixelBytes,
                         count * pixelBytes);
        } else {
            converter.convert(source, sourceX, destination, destinationX, count);
        }
    }
}

int drawUncompressed(const SetDibitsCall& call, const BITMAPINFO* bmi, const DibHeader& header,
                     UINT colorUse, std::span<const std::byte> bits, const gdi::Bitmap& surface) {
    const int result = scanLinesSet(call, header);
    const bool drawsNothing = result == 0 || call.startScan >= header.rows() ||
                              call.width >= signedLimit || call.height >= signedLimit ||
                              !surface.isDrawable();
    if (!drawsNothing) {
        gdi::ColourTable colours;
        if (header.bitCount <= 8) {
            gdi::readColourTable(bmi, header, colorUse, colours);
        }
        const auto pixels =
            std::min<std::int64_t>(call.width, header.width) * std::min(call.cLines, header.rows());
        const gdi::RowConverter converter(header.pixelFormat(colours.colours()),
                                          surface.pixelFormat(), std::size_t(pixels));
        drawBand(call, header, bits, surface.view(), converter);
    }
    return result;
}

}  // namespace

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT cLines, std::span<const std::byte> bits,
                      const BITMAPINFO* bmi, UINT colorUse) {
    if (colorUse > lastColorUse) {
        return 0;
    }
    const std::optional<DibHeader> header = gdi::readDibHeader(bmi);
    if (!header || !gdi::isSourceFormat(*header) || !bits.data() || cLines == 0) {
        return 0;
    }
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.mutex());
    const gdi::Bitmap* surface = table.surfaceOf(hdc);
    if (!surface) {
        return 0;
    }
    const SetDibitsCall call{xDest, yDest, width, height, xSrc, ySrc, startScan, cLines};
    return header->isRle() ? gdi::drawRle(call, bmi, *header, colorUse, bits, *surface)
                           : drawUncompressed(call, bmi, *header, colorUse, bits, *surface);
}
