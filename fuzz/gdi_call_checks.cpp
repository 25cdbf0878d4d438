#include "gdi_call_checks.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace fuzzcheck {

namespace {

constexpr std::int64_t signedLimit = std::int64_t(1) << 31;

std::int64_t asSigned(DWORD value) {
    return std::int32_t(value);
}

struct DibShape {
    std::int64_t width, height, stride;
    bool topDown;
};

DibShape shapeOf(const BITMAPINFOHEADER& header) {
    const std::int64_t height = header.biHeight;
    return {header.biWidth, height < 0 ? -height : height, std::int64_t(header.biWidth) * 4,
            height < 0};
}

// The buffer row that holds scan line `scan` of the band, or -1 when the band lacks it.
std::int64_t bandRow(const DibShape& dib, const DibitsCall& call, std::int64_t scan) {
    const std::int64_t start = call.startScan;
    const std::int64_t lines = call.cLines;
    if (!dib.topDown) {
        return scan >= start && scan < std::min(start + lines, dib.height) ? scan - start : -1;
    }
    const std::int64_t row = start + lines - 1 - scan;
    return row >= 0 && row < std::min(lines, dib.height) ? row : -1;
}

}  // namespace

void check(bool condition, const char* what) {
    if (!condition) {
        std::fprintf(stderr, "fuzz check failed: %s\n", what);
        std::abort();
    }
}

std::uint32_t& SectionPixels::at(int x, int y) const {
    const int row = topDown ? y : height - 1 - y;
    return memory[std::size_t(row) * std::size_t(width) + std::size_t(x)];
}

Screen SectionPixels::screen() const {
    Screen pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(at(x, y));
        }
    }
    return pixels;
}

bool supportedHeader(const BITMAPINFOHEADER& header) {
    return header.biSize >= sizeof(BITMAPINFOHEADER) && header.biWidth > 0 &&
           header.biHeight != 0 && header.biPlanes != 0 && header.biBitCount == 32 &&
           header.biCompression == BI_RGB;
}

int expectedSetDibitsResult(const BITMAPINFOHEADER& header, const DibitsCall& call) {
    const DibShape dib = shapeOf(header);
    if (dib.topDown) {
        return call.cLines >= signedLimit ? 0 : int(call.cLines);
    }
    const std::int64_t start = call.startScan;
    const std::int64_t lines =
        std::max<std::int64_t>(0, std::min<std::int64_t>(call.cLines, dib.height - start));
    const std::int64_t sourceTop = std::int64_t(call.ySrc) + asSigned(call.height);
    return int(std::max<std::int64_t>(0, std::min(start + lines, sourceTop) - start));
}

Screen expectedSetDibitsScreen(Screen before, int surfaceWidth, const BITMAPINFOHEADER& header,
                               const DibitsCall& call, std::span<const std::byte> bits,
                               int result) {
    const DibShape dib = shapeOf(header);
    if (result == 0 || call.startScan >= dib.height || call.width >= signedLimit ||
        call.height >= signedLimit) {
        return before;
    }
    const auto surfaceHeight = std::int64_t(before.size()) / surfaceWidth;
    const auto bufferRows = std::int64_t(bits.size() / std::uint64_t(dib.stride));
    const std::int64_t xEnd =
        std::min<std::int64_t>(surfaceWidth, std::int64_t(call.xDest) + call.width);
    const std::int64_t yEnd =
        std::min<std::int64_t>(surfaceHeight, std::int64_t(call.yDest) + call.height);
    for (std::int64_t y = std::max(0, call.yDest); y < yEnd; ++y) {
        const std::int64_t scan = std::int64_t(call.ySrc) + call.height - 1 - (y - call.yDest);
        const std::int64_t row = bandRow(dib, call, scan);
        if (row < 0 || row >= bufferRows) {
            continue;
        }
        for (std::int64_t x = std::max(0, call.xDest); x < xEnd; ++x) {
            const std::int64_t column = call.xSrc + (x - call.xDest);
            if (column >= 0 && column < dib.width) {
                std::memcpy(&before[std::size_t(y * surfaceWidth + x)],
                            bits.data() + row * dib.stride + column * 4, 4);
            }
        }
    }
    return before;
}

Screen expectedBitBltScreen(Screen destination, int destinationWidth, const Screen& source,
                            int sourceWidth, const BlitCall& call) {
    std::int64_t xDest = call.xDest, yDest = call.yDest, xSrc = call.xSrc, ySrc = call.ySrc;
    std::int64_t width = call.width, height = call.height;
    if (width < 0) {
        xDest += width;
        xSrc += width;
        width = -width;
    }
    if (height < 0) {
        yDest += height;
        ySrc += height;
        height = -height;
    }
    const auto destinationHeight = std::int64_t(destination.size()) / destinationWidth;
    const auto sourceHeight = std::int64_t(source.size()) / sourceWidth;
    for (std::int64_t y = std::max<std::int64_t>(0, yDest);
         y < std::min(destinationHeight, yDest + height); ++y) {
        const std::int64_t sy = ySrc + (y - yDest);
        for (std::int64_t x = std::max<std::int64_t>(0, xDest);
             x < std::min<std::int64_t>(destinationWidth, xDest + width); ++x) {
            const std::int64_t sx = xSrc + (x - xDest);
            if (sx >= 0 && sx < sourceWidth && sy >= 0 && sy < sourceHeight) {
                destination[std::size_t(y * destinationWidth + x)] =
                    source[std::size_t(sy * sourceWidth + sx)];
            }
        }
    }
    return destination;
}

GetDibitsOutcome expectedGetDibits(const BITMAPINFOHEADER& header, int bitmapHeight, UINT startScan,
                                   UINT cLines, std::span<const std::byte> bits) {
    if (!supportedHeader(header)) {
        return {};
    }
    const DibShape dib = shapeOf(header);
    if (dib.stride * dib.height > 0xFFFFFFFF) {
        return {};
    }
    const std::int64_t first = startScan;
    const std::int64_t end = std::min(first + cLines, dib.height);
    if (!bits.data() || first >= end) {
        return {1, 0};
    }
    if (std::uint64_t((end - first) * dib.stride) > bits.size()) {
        return {};
    }
    const std::int64_t firstFromBitmap = std::max(first, dib.height - bitmapHeight);
    return {int(std::max<std::int64_t>(0, end - firstFromBitmap)), std::size_t(end - first)};
}

void checkGetDibitsBuffer(std::span<const std::byte> bits, std::byte untouched,
                          const BITMAPINFOHEADER& header, const SectionPixels* bitmap,
                          UINT startScan, std::size_t rows) {
    const DibShape dib = shapeOf(header);
    const std::size_t written = rows * std::size_t(dib.stride);
    for (std::size_t i = written; i < bits.size(); ++i) {
        check(bits[i] == untouched, "GetDIBits writes only the covered rows");
    }
    if (!bitmap) {
        return;
    }
    for (std::size_t r = 0; r < rows; ++r) {
        const std::int64_t scan =
            dib.topDown ? std::int64_t(startScan + rows - 1 - r) : std::int64_t(startScan + r);
        const std::int64_t bitmapRow = dib.height - 1 - scan;
        for (std::int64_t x = 0; x < dib.width; ++x) {
            std::uint32_t expected = 0;
            if (bitmapRow < bitmap->height && x < bitmap->width) {
                expected = bitmap->at(int(x), int(bitmapRow));
            }
            std::uint32_t actual = 0;
            std::memcpy(&actual, bits.data() + r * std::size_t(dib.stride) + std::size_t(x) * 4, 4);
            check(actual == expected, "GetDIBits copies the bitmap's rows and zeros the rest");
        }
    }
}

}  // namespace fuzzcheck
