// The geometry against the real GDI layer: for many random calls, the destination pixels the
// geometry says are written are exactly the pixels the call changes, each receives the source
// pixel the geometry names, and the result agrees.

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <limits>
#include <random>
#include <span>
#include <vector>

#include "gdi/gdi.h"
#include "geometry/call_geometry.h"

namespace {

using geometry::Call;
using geometry::RowOrder;

constexpr int kCases = 500000;
constexpr std::uint32_t kFill = 0xFF00FF00;

// Every source pixel is distinct and differs from the destination's fill: row and column are in
// the low bytes, buffer rows beyond the picture carry another top byte.
std::uint32_t sourcePixel(std::int64_t row, std::int64_t column) {
    return 0x01000000u + std::uint32_t(row) * 256u + std::uint32_t(column);
}

class RandomCalls {
public:
    explicit RandomCalls(std::uint64_t seed) : m_random(seed) {}

    struct Case {
        Call call;
        RowOrder destinationOrder = RowOrder::BottomUp;
        std::size_t bufferBytes = 0;
    };

    Case next() {
        Case c;
        auto& source = c.call.source;
        source.width = between(1, 10);
        source.height = between(1, 10);
        source.order = coin() ? RowOrder::TopDown : RowOrder::BottomUp;
        c.call.destination = {between(1, 10), between(1, 10)};
        c.destinationOrder = coin() ? RowOrder::TopDown : RowOrder::BottomUp;
        // Mostly the whole picture, as the bench passes it; sometimes a short or long buffer,
        // sometimes with part of a row left over.
        source.bufferRows = between(0, 9) < 7 ? source.height : between(0, source.height + 2);
        const std::size_t stride = std::size_t(source.width) * 4;
        c.bufferBytes = std::size_t(source.bufferRows) * stride +
                        (between(0, 5) == 0 ? std::size_t(between(1, 4 * source.width - 1)) : 0);
        // Half the calls keep their arguments near the pictures, so that many of them draw.
        m_near = coin();
        auto& a = c.call.arguments;
        a.xDest = position(c.call.destination.width);
        a.yDest = position(c.call.destination.height);
        a.width = extent(source.width);
        a.height = extent(source.height);
        a.xSrc = position(source.width);
        a.ySrc = position(source.height);
        a.startScan = m_near ? std::uint32_t(between(0, source.height - 1)) : extent(source.height);
        a.cLines = extent(source.height);
        return c;
    }

private:
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(m_random);
    }
    bool coin() { return between(0, 1) == 1; }

    // A signed argument around and beyond the edges of 0 … size, at the ends of its range, or
    // anything at all.
    std::int32_t position(std::int64_t size) {
        constexpr std::int32_t kLowest = std::numeric_limits<std::int32_t>::min();
        constexpr std::int32_t kHighest = std::numeric_limits<std::int32_t>::max();
        const std::int64_t edges[] = {-size - 1, -size, -1, 0, 1, size - 1, size, size + 1};
        const std::int64_t extremes[] = {kLowest, kLowest + 1,  -(1 << 30),
                                         1 << 30, kHighest - 1, kHighest};
        if (m_near) return std::int32_t(between(-2, size + 1));
        switch (between(0, 19)) {
            case 0:
                return std::int32_t(edges[between(0, 7)]);
            case 1:
                return std::int32_t(extremes[between(0, 5)]);
            case 2:
                return std::int32_t(std::uint32_t(between(0, 0xFFFFFFFF)));
            default:
                return std::int32_t(between(-size - 2, size + 2));
        }
    }

    // An unsigned argument: small, just past the picture, typed as a small negative number, at
    // the signed limit, or anything at all.
    std::uint32_t extent(std::int64_t size) {
        const std::int64_t extremes[] = {(1 << 30),
                                         (std::int64_t(1) << 31) - 1,
                                         std::int64_t(1) << 31,
                                         (std::int64_t(1) << 31) + 1,
                                         0xFFFFFFFF - size,
                                         0xFFFFFFFF};
        if (m_near) return std::uint32_t(between(1, size + 1));
        switch (between(0, 19)) {
            case 0:
                return std::uint32_t(0x100000000 - between(1, 3));
            case 1:
                return std::uint32_t(extremes[between(0, 5)]);
            case 2:
                return std::uint32_t(between(0, 0xFFFFFFFF));
            default:
                return std::uint32_t(between(0, size + 3));
        }
    }

    std::mt19937_64 m_random;
    bool m_near = false;
};

BITMAPINFO header32(std::int64_t width, std::int64_t height, RowOrder order) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = LONG(width);
    info.bmiHeader.biHeight = order == RowOrder::TopDown ? -LONG(height) : LONG(height);
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    return info;
}

// The bits buffer: the picture's rows in the source's row order, then rows beyond the picture,
// cut to the case's byte count. Never empty, so that the call sees a real address.
std::vector<std::uint32_t> sourceBuffer(const RandomCalls::Case& c) {
    const auto& source = c.call.source;
    const std::int64_t rows = std::max(source.bufferRows + 1, source.height);
    std::vector<std::uint32_t> buffer(std::size_t(rows * source.width) + 1);
    for (std::int64_t r = 0; r < rows; ++r) {
        for (std::int64_t column = 0; column < source.width; ++column) {
            const std::int64_t pictureRow =
                source.order == RowOrder::TopDown ? r : source.height - 1 - r;
            buffer[std::size_t(r * source.width + column)] = r < source.height
                                                                 ? sourcePixel(pictureRow, column)
                                                                 : 0x02000000u + std::uint32_t(r);
        }
    }
    return buffer;
}

struct Outcome {
    int result = 0;
    std::vector<std::uint32_t> pixels;  // top row first
};

Outcome performCall(const RandomCalls::Case& c) {
    const auto& surface = c.call.destination;
    const BITMAPINFO destination = header32(surface.width, surface.height, c.destinationOrder);
    const HDC dc = CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    const HBITMAP section = CreateDIBSection(dc, &destination, DIB_RGB_COLORS, &bits, nullptr, 0);
    const std::size_t count = std::size_t(surface.width * surface.height);
    auto* memory = static_cast<std::uint32_t*>(bits);
    std::fill_n(memory, count, kFill);
    const HGDIOBJ previous = SelectObject(dc, section);
    const std::vector<std::uint32_t> buffer = sourceBuffer(c);
    const BITMAPINFO source =
        header32(c.call.source.width, c.call.source.height, c.call.source.order);
    const auto& a = c.call.arguments;
    Outcome outcome;
    outcome.result = SetDIBitsToDevice(
        dc, a.xDest, a.yDest, a.width, a.height, a.xSrc, a.ySrc, a.startScan, a.cLines,
        std::as_bytes(std::span(buffer)).first(c.bufferBytes), &source, DIB_RGB_COLORS);
    for (std::int64_t y = 0; y < surface.height; ++y) {
        const std::int64_t stored =
            c.destinationOrder == RowOrder::TopDown ? y : surface.height - 1 - y;
        const std::uint32_t* row = memory + stored * surface.width;
        outcome.pixels.insert(outcome.pixels.end(), row, row + surface.width);
    }
    SelectObject(dc, previous);
    DeleteObject(section);
    DeleteDC(dc);
    return outcome;
}

std::string describe(const RandomCalls::Case& c) {
    const auto& a = c.call.arguments;
    const auto& s = c.call.source;
    return "source " + std::to_string(s.width) + "x" + std::to_string(s.height) +
           (s.order == RowOrder::TopDown ? " top-down" : " bottom-up") + ", buffer " +
           std::to_string(c.bufferBytes) + " bytes, destination " +
           std::to_string(c.call.destination.width) + "x" +
           std::to_string(c.call.destination.height) + ", arguments " + std::to_string(a.xDest) +
           " " + std::to_string(a.yDest) + " " + std::to_string(a.width) + " " +
           std::to_string(a.height) + " " + std::to_string(a.xSrc) + " " + std::to_string(a.ySrc) +
           " " + std::to_string(a.startScan) + " " + std::to_string(a.cLines);
}

TEST(CallGeometry, NamesExactlyThePixelsTheRealCallWrites) {
    RandomCalls calls(20261208);
    int drawing = 0;
    for (int i = 0; i < kCases; ++i) {
        const RandomCalls::Case c = calls.next();
        const geometry::CallGeometry g = *geometry::computeGeometry(c.call);
        const Outcome outcome = performCall(c);
        ASSERT_EQ(outcome.result, g.result) << describe(c);
        const auto& surface = c.call.destination;
        for (std::int64_t y = 0; y < surface.height; ++y) {
            for (std::int64_t x = 0; x < surface.width; ++x) {
                const std::uint32_t pixel = outcome.pixels[std::size_t(y * surface.width + x)];
                const bool written = g.writtenRows.contains(y) && g.writtenColumns.contains(x);
                const std::uint32_t expected =
                    written ? sourcePixel(g.sourceRowOf(y), g.sourceColumnOf(x)) : kFill;
                ASSERT_EQ(pixel, expected) << "pixel " << x << "," << y << ": " << describe(c);
            }
        }
        if (!g.writtenRows.empty()) ++drawing;
    }
    std::cout << "[ property ] " << kCases << " random calls, " << drawing
              << " of them drawing: geometry and GDI layer agree\n";
    RecordProperty("cases", kCases);
    RecordProperty("drawing", drawing);
}

}  // namespace
