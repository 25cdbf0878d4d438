#include "colour_table.h"
#include "geometry/uncompressed_geometry.h"
#include "object_table.h"
#include "row_converter.h"
#include "set_dibits_call.h"
#include "stream_copy.h"

#include <algorithm>
#include <cstring>

namespace {

using gdi::DibHeader;
using geometry::RowOrder;

// ColorUse 2 (DIB_PAL_INDICES) is taken and drawn as DIB_RGB_COLORS, as Wine does; higher values
// are refused.
constexpr UINT lastColorUse = 2;

// Completes the call's description with the source and the surface.
void describeSourceAndSurface(geometry::Call& call, const DibHeader& header,
                              std::size_t bufferBytes, const gdi::Bitmap& surface) {
    const bool rle = header.isRle();
    // Rows beyond the image's are never read, and a division costs more than the rest of a
    // small call's set-up: the whole rows are counted only in a buffer short of the image.
    const std::int64_t rows = header.rows();
    const std::size_t stride = header.stride();
    std::int64_t bufferRows = 0;
    if (!rle) {
        bufferRows =
            bufferBytes >= stride * std::size_t(rows) ? rows : std::int64_t(bufferBytes / stride);
    }
    call.source = {
        header.width, rows, header.order(), bufferRows,
        rle ? geometry::SourceEncoding::RunLength : geometry::SourceEncoding::Uncompressed};
    call.destination = {surface.width(), surface.height()};
}

// Copies a block, with memmove where the two overlap. Apart, a block goes in pieces, since
// glibc copies a single piece of a MiB or more with a slower loop than smaller ones (measured 15 %
// slower from 1 MiB to 64 MiB), and a block far larger than the caches with streaming stores (25 %
// faster than memcpy at 64 MiB, measured).
void copyBlock(std::byte* to, const std::byte* from, std::size_t bytes, bool overlap) {
    constexpr std::size_t piece = 512 * 1024;
    constexpr std::size_t streamedBytes = std::size_t(16) << 20;
    if (overlap) {
        std::memmove(to, from, bytes);
    } else if (bytes <= piece) {
        std::memcpy(to, from, bytes);
    } else if (bytes >= streamedBytes) {
        gdi::streamCopy(to, from, bytes);
    } else {
        for (std::size_t done = 0; done < bytes; done += piece) {
            std::memcpy(to + done, from + done, std::min(piece, bytes - done));
        }
    }
}

// The row segments the geometry says are written, walking scan lines up the picture: destination
// rows go up the surface and buffer rows go forward (bottom-up) or back (top-down).
struct BandWalk {
    std::size_t count = 0;
    std::size_t sourceX = 0;
    std::size_t destinationX = 0;
    std::size_t rows = 0;
    std::ptrdiff_t sourceStep = 0;
    int firstY = 0;
    const std::byte* firstSourceRow = nullptr;
};

BandWalk walkOf(const geometry::CallGeometry& g, const DibHeader& header,
                std::span<const std::byte> bits) {
    const auto stride = std::ptrdiff_t(header.stride());
    const auto firstY = int(g.writtenRows.last());
    return {std::size_t(g.writtenColumns.size()),
            std::size_t(g.sourceColumnOf(g.writtenColumns.begin)),
            std::size_t(g.writtenColumns.begin),
            std::size_t(g.writtenRows.size()),
            g.order == RowOrder::BottomUp ? stride : -stride,
            firstY,
            bits.data() + g.bufferRowOf(g.scanLineOf(firstY)) * stride};
}

// Rows of `pixelBits` copied unchanged and whole, with no padding, that follow each other alike
// in both buffers, are one block; false where they must go row by row. Inlined in both of its
// callers, since a call of its own adds a twentieth to a small copy's instructions.
[[gnu::always_inline]] inline bool copiedAsBlock(const BandWalk& walk, std::size_t stride,
                                                 std::size_t pixelBits,
                                                 const gdi::SurfaceView& surface) {
    if (walk.sourceX != 0 || walk.destinationX != 0 || walk.count * pixelBits != 8 * stride ||
        walk.sourceStep != -surface.stride) {
        return false;
    }
    const std::ptrdiff_t lowest =
        walk.sourceStep > 0 ? 0 : std::ptrdiff_t(walk.rows - 1) * walk.sourceStep;
    const std::byte* from = walk.firstSourceRow + lowest;
    std::byte* to = surface.rowStart(walk.firstY) + lowest;
    const std::size_t bytes = walk.rows * stride;
    // Copying rows one by one, in the order given, leaves what one memmove of the whole block
    // leaves unless the destination lies ahead of the source in the walking direction and the
    // two overlap.
    const auto start = reinterpret_cast<std::uintptr_t>(from);
    const auto target = reinterpret_cast<std::uintptr_t>(to);
    const bool overlap = target < start + bytes && start < target + bytes;
    if (overlap && (walk.sourceStep > 0 ? target > start : target < start)) {
        return false;
    }
    copyBlock(to, from, bytes, overlap);
    return true;
}

void drawRows(const BandWalk& walk, const gdi::SurfaceView& surface,
              const gdi::RowConverter& converter) {
    for (std::size_t k = 0; k < walk.rows; ++k) {
        converter.convert(walk.firstSourceRow + std::ptrdiff_t(k) * walk.sourceStep, walk.sourceX,
                          surface.rowStart(walk.firstY - int(k)), walk.destinationX, walk.count);
    }
}

// Draws through a conversion prepared for the call: kept out of line, so that a copy without
// one does not pay for its frame.
[[gnu::noinline]] void drawConverted(const BandWalk& walk, const BITMAPINFO* bmi,
                                     const DibHeader& header, UINT colorUse,
                                     const gdi::Bitmap& surface, bool directCopy) {
    gdi::ColourTable colours;
    if (header.bitCount <= 8) {
        gdi::readColourTable(bmi, header, colorUse, colours);
    }
    const gdi::RowConverter converter(header.pixelFormat(colours.colours()), surface.pixelFormat(),
                                      walk.count * walk.rows);
    const std::size_t pixelBits = directCopy ? 0 : converter.copiedPixelBits();
    if (!pixelBits || !copiedAsBlock(walk, header.stride(), pixelBits, surface.view())) {
        drawRows(walk, surface.view(), converter);
    }
}

// Draws a run-length encoded source, out of line and from a copy of the call, so that the
// uncompressed path can keep the arguments in registers.
[[gnu::noinline]] int drawRleCall(geometry::Call call, const BITMAPINFO* bmi,
                                  const DibHeader& header, UINT colorUse,
                                  std::span<const std::byte> bits, const gdi::Bitmap& surface) {
    return gdi::drawRle(*geometry::computeRleGeometry(call), bmi, header, colorUse, bits, surface);
}

int drawUncompressed(const geometry::CallGeometry& g, const BITMAPINFO* bmi,
                     const DibHeader& header, UINT colorUse, std::span<const std::byte> bits,
                     const gdi::Bitmap& surface) {
    if (g.writtenRows.empty() || !surface.isDrawable()) {
        return g.result;
    }
    const BandWalk walk = walkOf(g, header, bits);
    // A direct-colour source stored as the surface is copied without preparing a conversion,
    // and goes row by row where it cannot go as one block.
    const bool directCopy =
        header.bitCount > 8 && gdi::sameDirectFormat(header.pixelFormat({}), surface.pixelFormat());
    if (!directCopy || !copiedAsBlock(walk, header.stride(), header.bitCount, surface.view())) {
        drawConverted(walk, bmi, header, colorUse, surface, directCopy);
    }
    return g.result;
}

}  // namespace

int SetDIBitsToDevice(HDC hdc, int xDest, int yDest, DWORD width, DWORD height, int xSrc, int ySrc,
                      UINT startScan, UINT cLines, std::span<const std::byte> bits,
                      const BITMAPINFO* bmi, UINT colorUse) {
    if (colorUse > lastColorUse) {
        return 0;
    }
    // Stored before the header is read, so that the geometry's wide loads of them do not wait
    // for the stores to leave the store buffer.
    geometry::Call call{{xDest, yDest, width, height, xSrc, ySrc, startScan, cLines}, {}, {}};
    const std::optional<DibHeader> header = gdi::readDibHeader(bmi);
    if (!header || !gdi::isSourceFormat(*header) || !bits.data()) {
        return 0;
    }
    gdi::ObjectTable& table = gdi::ObjectTable::instance();
    std::scoped_lock lock(table.lock());
    const gdi::Bitmap* surface = table.surfaceOf(hdc);
    if (!surface) {
        return 0;
    }
    describeSourceAndSurface(call, *header, bits.size(), *surface);
    if (header->isRle()) {
        return drawRleCall(call, bmi, *header, colorUse, bits, *surface);
    }
    return drawUncompressed(geometry::uncompressedGeometry(call), bmi, *header, colorUse, bits,
                            *surface);
}
