// The geometry against the real GDI layer: over many random calls the destination pixels the
// geometry says are written are exactly the pixels the call changes, each receives the source
// pixel the geometry names, and the results agree.

#include <gtest/gtest.h>

#include <cstring>
#include <iostream>
#include <limits>
#include <random>
#include <span>
#include <sstream>
#include <vector>

#include "gdi/dib_section_dc.h"
#include "geometry/call_geometry.h"

namespace {

using geometry::RowOrder;

constexpr int kCases = 500000;
constexpr std::uint32_t kFill = 0xFF00FF00;
constexpr std::int64_t kLowest = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kHighest = std::numeric_limits<std::int32_t>::max();

// Every source pixel differs from the others and from the destination's fill; rows the buffer
// holds beyond the picture have a top byte of their own.
std::uint32_t sourcePixel(std::int64_t row, std::int64_t column) {
    return 0x01000000u + std::uint32_t(row) * 256u + std::uint32_t(column);
}

struct RandomCall {
    geometry::Call call;
    RowOrder destinationOrder = RowOrder::BottomUp;
    std::size_t bufferBytes = 0;
};

class RandomCalls {
public:
    RandomCall next() {
        RandomCall c;
        auto& source = c.call.source;
        source = {between(1, 10), between(1, 10), coin() ? RowOrder::TopDown : RowOrder::BottomUp};
        c.call.destination = {between(1, 10), between(1, 10)};
        c.destinationOrder = coin() ? RowOrder::TopDown : RowOrder::BottomUp;
        // Mostly the whole picture, as the bench hands it over; sometimes fewer or more rows,
        // sometimes with part of a row left over.
        source.bufferRows = between(0, 9) < 7 ? source.height : between(0, source.height + 2);
        c.bufferBytes = std::size_t(source.bufferRows * source.width * 4 +
                                    (between(0, 5) == 0 ? between(1, 4 * source.width - 1) : 0));
        // Half the calls keep their arguments near the pictures, so that many of them draw.
        m_near = coin();
        const std::int64_t w = source.width;
        const std::int64_t h = source.height;
        c.call.arguments = {position(c.call.destination.width),
                            position(c.call.destination.height),
                            extent(w),
                            extent(h),
                            position(w),
                            position(h),
                            m_near ? std::uint32_t(between(0, h - 1)) : extent(h),
                            extent(h)};
        return c;
    }

private:
    std::int64_t between(std::int64_t low, std::int64_t high) {
        return std::uniform_int_distribution<std::int64_t>(low, high)(m_random);
    }
    bool coin() { return between(0, 1) == 1; }
    template <std::size_t N>
    std::int64_t oneOf(const std::int64_t (&values)[N]) {
        return values[between(0, N - 1)];
    }

    // A signed argument around and beyond the edges of 0 … size, at the ends of its range, or
    // anything at all.
    std::int32_t position(std::int64_t size) {
        if (m_near) return std::int32_t(between(-2, size + 1));
        switch (between(0, 19)) {
            case 0:
                return std::int32_t(oneOf({-size - 1, -size, -1, 0, 1, size - 1, size, size + 1}));
            case 1:
                return std::int32_t(oneOf({kLowest, kLowest + 1, -(1 << 30), 1 << 30, kHighest}));
            case 2:
                return std::int32_t(std::uint32_t(between(0, 0xFFFFFFFF)));
            default:
                return std::int32_t(between(-size - 2, size + 2));
        }
    }

    // An unsigned argument: small, just past the picture, typed as a small negative number, at
    // the signed limit, or anything at all.
    std::uint32_t extent(std::int64_t size) {
        if (m_near) return std::uint32_t(between(1, size + 1));
        switch (between(0, 19)) {
            case 0:
                return std::uint32_t(0x100000000 - between(1, 3));
            case 1:
                return std::uint32_t(oneOf({1 << 30, kHighest, kHighest + 1, kHighest + 2}));
            case 2:
                return std::uint32_t(between(0, 0xFFFFFFFF));
            default:
                return std::uint32_t(between(0, size + 3));
        }
    }

    std::mt19937_64 m_random{20261208};
    bool m_near = false;
};

// Calls SetDIBitsToDevice on a filled DIB section and returns the result and the destination's
// pixels, top row first.
std::pair<int, std::vector<std::uint32_t>> performCall(const RandomCall& c) {
    const auto& source = c.call.source;
    const auto& surface = c.call.destination;
    std::vector<std::uint32_t> buffer(std::size_t((source.bufferRows + 1) * source.width + 1));
    for (std::int64_t r = 0; r * source.width < std::int64_t(buffer.size()) - 1; ++r) {
        const std::int64_t row = source.order == RowOrder::TopDown ? r : source.height - 1 - r;
        for (std::int64_t x = 0; x < source.width; ++x) {
            buffer[std::size_t(r * source.width + x)] =
                r < source.height ? sourcePixel(row, x) : 0x02000000u;
        }
    }
    const gdi::DibFormat destination =
        gdi::DibFormat::rgb32(LONG(surface.width), LONG(surface.height), c.destinationOrder);
    const gdi::DibInfo sourceHeader(
        gdi::DibFormat::rgb32(LONG(source.width), LONG(source.height), source.order));
    const gdi::DibSectionDC section(destination);
    const std::span<std::byte> memory = section.bits();
    for (std::size_t offset = 0; offset < memory.size(); offset += sizeof kFill) {
        std::memcpy(memory.data() + offset, &kFill, sizeof kFill);
    }
    const auto& a = c.call.arguments;
    const int result = SetDIBitsToDevice(
        section.dc(), a.xDest, a.yDest, a.width, a.height, a.xSrc, a.ySrc, a.startScan, a.cLines,
        std::as_bytes(std::span(buffer)).first(c.bufferBytes), sourceHeader.get(), DIB_RGB_COLORS);
    std::vector<std::uint32_t> pixels(std::size_t(surface.width * surface.height));
    for (std::int64_t y = 0; y < surface.height; ++y) {
        const std::size_t row =
            gdi::bufferRowOf(std::size_t(y), std::size_t(surface.height), c.destinationOrder);
        std::memcpy(pixels.data() + y * surface.width, memory.data() + row * destination.stride(),
                    destination.stride());
    }
    return {result, pixels};
}

std::string describe(const RandomCall& c) {
    const auto& s = c.call.source;
    const auto& a = c.call.arguments;
    std::ostringstream text;
    text << "source " << s.width << "x" << s.height
         << (s.order == RowOrder::TopDown ? " TD" : " BU") << ", " << c.bufferBytes
         << " bytes, destination " << c.call.destination.width << "x" << c.call.destination.height
         << ", arguments " << a.xDest << " " << a.yDest << " " << a.width << " " << a.height << " "
         << a.xSrc << " " << a.ySrc << " " << a.startScan << " " << a.cLines;
    return text.str();
}

TEST(CallGeometry, NamesExactlyThePixelsTheRealCallWrites) {
    RandomCalls calls;
    int drawing = 0;
    for (int i = 0; i < kCases; ++i) {
        const RandomCall c = calls.next();
        const geometry::CallGeometry g = *geometry::computeGeometry(c.call);
        const auto [result, pixels] = performCall(c);
        ASSERT_EQ(result, g.result) << describe(c);
        const auto& surface = c.call.destination;
        for (std::int64_t y = 0; y < surface.height; ++y) {
            for (std::int64_t x = 0; x < surface.width; ++x) {
                const bool written = g.writtenRows.contains(y) && g.writtenColumns.contains(x);
                ASSERT_EQ(pixels[std::size_t(y * surface.width + x)],
                          written ? sourcePixel(g.sourceRowOf(y), g.sourceColumnOf(x)) : kFill)
                    << "pixel " << x << "," << y << ": " << describe(c);
            }
        }
        drawing += g.writtenRows.empty() ? 0 : 1;
    }
    std::cout << "[ property ] " << kCases << " random calls, " << drawing
              << " of them drawing: geometry and GDI layer agree\n";
    RecordProperty("cases", kCases);
    RecordProperty("drawing", drawing);
}

}  // namespace
