#include "gdi_call_checks.h"

#include "rle_rules.h"

#include <algorithm>
#include <cstring>

namespace fuzzcheck {

namespace {

constexpr std::int64_t signedLimit = std::int64_t(1) << 31;

std::int64_t asSigned(DWORD value) {
    return std::int32_t(value);
}

struct DibShape {
    std::int64_t width, height;
    std::uint64_t stride;
    bool topDown;
};

DibShape shapeOf(const HeaderFields& header, int bitCount) {
    const std::int64_t height = header.height;
    return {header.width, height < 0 ? -height : height,
            strideOf(std::uint64_t(header.width), bitCount), height < 0};
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

// The part of the destination rectangle on the surface: offsets i, j into the rectangle.
struct Visible {
    std::int64_t iBegin, iEnd, jBegin, jEnd;
    bool empty() const { return iBegin >= iEnd || jBegin >= jEnd; }
};

Visible visiblePart(const DibitsCall& call, std::int64_t surfaceWidth, std::int64_t surfaceHeight) {
    if (call.width >= signedLimit || call.height >= signedLimit) {
        return {0, 0, 0, 0};
    }
    return {std::max<std::int64_t>(0, -std::int64_t(call.xDest)),
            std::min<std::int64_t>(call.width, surfaceWidth - call.xDest),
            std::max<std::int64_t>(0, -std::int64_t(call.yDest)),
            std::min<std::int64_t>(call.height, surfaceHeight - call.yDest)};
}

class DrawnScreen {
public:
    DrawnScreen(Screen before, int width, const PixelFormat& format, const DibitsCall& call)
        : m_pixels(std::move(before)), m_width(width), m_format(format), m_call(call) {}

    std::int64_t height() const { return std::int64_t(m_pixels.size()) / m_width; }
    Visible visible() const { return visiblePart(m_call, m_width, height()); }
    void draw(std::int64_t i, std::int64_t j, const PixelFormat& from, std::uint32_t value) {
        const std::int64_t x = m_call.xDest + i;
        const std::int64_t y = m_call.yDest + j;
        m_pixels[std::size_t(y * m_width + x)] = convertPixel(from, value, m_format);
    }
    const Screen& pixels() const { return m_pixels; }

private:
    Screen m_pixels;
    int m_width;
    const PixelFormat& m_format;
    const DibitsCall& m_call;
};

void drawBand(DrawnScreen& screen, const SourceDib& source, const DibitsCall& call,
              std::span<const std::byte> bits) {
    const DibShape dib = shapeOf(source.header, source.format.bitCount);
    if (std::uint64_t(call.startScan) >= std::uint64_t(dib.height)) {
        return;
    }
    const auto bufferRows = std::int64_t(bits.size() / dib.stride);
    const Visible visible = screen.visible();
    for (std::int64_t j = visible.jBegin; j < visible.jEnd; ++j) {
        const std::int64_t scan = std::int64_t(call.ySrc) + call.height - 1 - j;
        const std::int64_t row = bandRow(dib, call, scan);
        if (row < 0 || row >= bufferRows) {
            continue;
        }
        const std::byte* rowBytes = bits.data() + std::uint64_t(row) * dib.stride;
        for (std::int64_t i = visible.iBegin; i < visible.iEnd; ++i) {
            const std::int64_t column = call.xSrc + i;
            if (column >= 0 && column < dib.width) {
                screen.draw(i, j, source.format,
                            readPixel(rowBytes, std::uint64_t(column), source.format.bitCount));
            }
        }
    }
}

void drawRle(DrawnScreen& screen, const SourceDib& source, const DibitsCall& call,
             std::span<const std::byte> bits) {
    const Visible visible = screen.visible();
    if (visible.empty()) {
        return;
    }
    RleWindow window;
    window.areaWidth = std::int64_t(call.xSrc) + call.width;
    window.areaHeight = std::int64_t(call.ySrc) + call.height;
    window.firstColumn = call.xSrc + visible.iBegin;
    window.columns = visible.iEnd - visible.iBegin;
    window.firstLine = std::int64_t(call.ySrc) + call.height - visible.jEnd;
    window.lines = visible.jEnd - visible.jBegin;
    const std::span<const std::byte> stream =
        bits.first(std::min<std::size_t>(bits.size(), source.header.sizeImage));
    const std::vector<int> drawn = decodeRle(stream, source.format.bitCount, window);
    for (std::int64_t j = visible.jBegin; j < visible.jEnd; ++j) {
        const std::int64_t line = std::int64_t(call.ySrc) + call.height - 1 - j;
        for (std::int64_t i = visible.iBegin; i < visible.iEnd; ++i) {
            const int index = drawn[std::size_t((line - window.firstLine) * window.columns +
                                                (i - visible.iBegin))];
            if (index != unsetIndex) {
                screen.draw(i, j, source.format, std::uint32_t(index));
            }
        }
    }
}

}  // namespace

std::span<std::byte> SectionPixels::bytes() const {
    return {memory, std::size_t(stride() * std::uint64_t(height))};
}

std::uint32_t SectionPixels::value(int x, int y) const {
    const int row = topDown ? y : height - 1 - y;
    return readPixel(memory + std::uint64_t(row) * stride(), std::uint64_t(x), format.bitCount);
}

void SectionPixels::setValue(int x, int y, std::uint32_t pixel) const {
    const int row = topDown ? y : height - 1 - y;
    writePixel(memory + std::uint64_t(row) * stride(), std::uint64_t(x), format.bitCount, pixel);
}

Screen SectionPixels::screen() const {
    Screen pixels;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            pixels.push_back(value(x, y));
        }
    }
    return pixels;
}

int expectedSetDibitsResult(const SourceDib& source, const DibitsCall& call) {
    const HeaderFields& header = source.header;
    if (header.rle()) {
        // As Wine: 0 when the source rectangle, in 32-bit coordinates, has no column right of
        // max(XSrc, 0) or no scan line in the decode area.
        const std::int32_t right = std::int32_t(std::uint32_t(call.xSrc) + call.width);
        const std::int32_t top = std::int32_t(std::uint32_t(call.ySrc) + call.height);
        const bool empty =
            right <= std::max(call.xSrc, 0) || top <= 0 || asSigned(call.height) <= 0;
        return empty ? 0 : int(header.height);
    }
    const DibShape dib = shapeOf(header, source.format.bitCount);
    if (dib.topDown) {
        return call.cLines >= signedLimit ? 0 : int(call.cLines);
    }
    const std::int64_t start = call.startScan;
    const std::int64_t lines =
        std::max<std::int64_t>(0, std::min<std::int64_t>(call.cLines, dib.height - start));
    const std::int64_t sourceTop = std::int64_t(call.ySrc) + asSigned(call.height);
    return int(std::max<std::int64_t>(0, std::min(start + lines, sourceTop) - start));
}

void checkSetDibitsScreen(const Screen& after, const Screen& before, int surfaceWidth,
                          const PixelFormat& surfaceFormat, const SourceDib& source,
                          const DibitsCall& call, std::span<const std::byte> bits, int result) {
    DrawnScreen expected(before, surfaceWidth, surfaceFormat, call);
    if (result != 0) {
        source.header.rle() ? drawRle(expected, source, call, bits)
                            : drawBand(expected, source, call, bits);
    }
    check(after == expected.pixels(), "SetDIBitsToDevice pixels");
}

Screen expectedBitBltScreen(const BlitSurface& destination, const BlitSurface& source,
                            const BlitCall& call) {
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
    Screen pixels = destination.pixels;
    const auto destinationHeight = std::int64_t(pixels.size()) / destination.width;
    const auto sourceHeight = std::int64_t(source.pixels.size()) / source.width;
    for (std::int64_t y = std::max<std::int64_t>(0, yDest);
         y < std::min(destinationHeight, yDest + height); ++y) {
        const std::int64_t sy = ySrc + (y - yDest);
        for (std::int64_t x = std::max<std::int64_t>(0, xDest);
             x < std::min<std::int64_t>(destination.width, xDest + width); ++x) {
            const std::int64_t sx = xSrc + (x - xDest);
            if (sx >= 0 && sx < source.width && sy >= 0 && sy < sourceHeight) {
                pixels[std::size_t(y * destination.width + x)] =
                    convertPixel(source.format, source.pixels[std::size_t(sy * source.width + sx)],
                                 destination.format);
            }
        }
    }
    return pixels;
}

}  // namespace fuzzcheck
