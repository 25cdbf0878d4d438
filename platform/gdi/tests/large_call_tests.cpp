#include "format_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

// Calls of many pixels convert them through tables prepared for the call (or kept across calls)
// and many pixels a step; small calls work out each pixel, which the differential test proves
// against Wine's gdi32 case by case. One large call must leave exactly what the same picture
// drawn a row at a time leaves, also for a piece that starts and ends inside a byte.
namespace {

using gditest::dib;

struct FormatPair {
    std::string name;
    gdi::DibFormat source;
    gdi::DibFormat destination;
};

void PrintTo(const FormatPair& pair, std::ostream* out) {
    *out << pair.name;
}

// Large enough for the tables of every kind of large call, 2^18 pixels.
constexpr LONG width = 512;
constexpr LONG height = 512;

std::vector<DWORD> unevenColours(std::size_t count) {
    std::vector<DWORD> colours;
    for (std::size_t i = 0; i < count; ++i) {
        colours.push_back(DWORD((i + 1) * 0x9E3779B1u >> 8));
    }
    return colours;
}

gdi::DibFormat sized(WORD bitCount, gdi::ChannelMasks masks = {}) {
    return dib(bitCount, width, height,
               bitCount <= 8 ? unevenColours(std::size_t(1) << bitCount) : std::vector<DWORD>{},
               masks);
}

struct NamedFormat {
    const char* name;
    gdi::DibFormat format;
};

const NamedFormat sources[] = {
    {"Index1", sized(1)},
    {"Index4", sized(4)},
    {"Index8", sized(8)},
    {"Rgb555", sized(16)},
    {"Rgb565", sized(16, {0xF800, 0x7E0, 0x1F})},
    {"Fields444", sized(16, {0xF00, 0xF0, 0xF})},
    {"OddFields16", sized(16, {0xC00A, 0x3F0, 0})},
    {"Rgb24", sized(24)},
    {"Rgb32", sized(32)},
    {"Bgr32", sized(32, {0xFF, 0xFF00, 0xFF0000})},
    {"TenBitFields", sized(32, {0x3FF00000, 0xFFC00, 0x3FF})},
    {"OddFields32", sized(32, {0xE0000007, 0x1F800, 0})},
    {"NarrowFields32", sized(32, {0xC00, 0x30, 0x3})},
    // Indices past a table of seven entries draw black.
    {"ShortTable8", dib(8, width, height, unevenColours(7))},
};

const NamedFormat destinations[] = {
    {"Index1", sized(1)},
    {"Index4", sized(4)},
    {"Index8", sized(8)},
    {"Rgb555", sized(16)},
    {"Rgb565", sized(16, {0xF800, 0x7E0, 0x1F})},
    {"Fields444", sized(16, {0xF00, 0xF0, 0xF})},
    {"Rgb24", sized(24)},
    {"Rgb32", sized(32)},
    {"TenBitFields", sized(32, {0x3FF00000, 0xFFC00, 0x3FF})},
};

std::vector<FormatPair> everyPair() {
    std::vector<FormatPair> pairs;
    for (const NamedFormat& source : sources) {
        for (const NamedFormat& destination : destinations) {
            pairs.push_back({std::string(source.name) + "To" + destination.name, source.format,
                             destination.format});
        }
    }
    return pairs;
}

std::vector<std::byte> noise(std::size_t bytes) {
    std::vector<std::byte> bits(bytes);
    std::uint32_t state = 99;
    for (std::byte& b : bits) {
        state = state * 1664525u + 1013904223u;
        b = std::byte(state >> 24);
    }
    return bits;
}

struct Piece {
    LONG xDest, xSrc, width;
};

class LargeCall : public testing::TestWithParam<FormatPair> {
protected:
    void drawBothWays(const Piece& piece) {
        const FormatPair& pair = GetParam();
        const gdi::DibInfo info(pair.source);
        const std::vector<std::byte> bits = noise(pair.source.imageBytes());
        gditest::Section whole(pair.destination, 0);
        gditest::Section rows(pair.destination, 0);
        const auto draw = [&](const gditest::Section& section, UINT scan, UINT lines,
                              std::span<const std::byte> from) {
            return SetDIBitsToDevice(section.dc(), piece.xDest, 0, DWORD(piece.width), height,
                                     piece.xSrc, 0, scan, lines, from, info.get(), DIB_RGB_COLORS);
        };
        ASSERT_EQ(draw(whole, 0, height, bits), height);
        for (UINT scan = 0; scan < UINT(height); ++scan) {
            const std::span<const std::byte> row(bits.data() + scan * pair.source.stride(),
                                                 pair.source.stride());
            ASSERT_EQ(draw(rows, scan, 1, row), 1);
        }
        const std::vector<std::uint32_t> expected = rows.values();
        const std::vector<std::uint32_t> drawn = whole.values();
        const auto differs = std::ranges::mismatch(drawn, expected);
        EXPECT_TRUE(differs.in1 == drawn.end())
            << "first difference at pixel " << (differs.in1 - drawn.begin()) << ": "
            << gditest::hexList({&*differs.in1, 1}) << " instead of "
            << gditest::hexList({&*differs.in2, 1});
    }
};

TEST_P(LargeCall, LeavesWhatRowByRowCallsLeave) {
    drawBothWays({0, 0, width});
}

TEST_P(LargeCall, APieceInsideBytesLeavesWhatRowByRowCallsLeave) {
    drawBothWays({5, 3, width - 9});
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, LargeCall, testing::ValuesIn(everyPair()),
                         [](const auto& info) { return info.param.name; });

// A picture of random runs of 1 to 16 pixels, as an RLE stream of encoded runs (both nibbles of an
// RLE4 run's byte alike) and as the uncompressed indices.
struct RunPicture {
    std::vector<std::byte> stream;
    std::vector<std::uint32_t> indices;
};

RunPicture runPicture(WORD bitCount) {
    RunPicture picture;
    std::uint32_t state = 7;
    const auto next = [&state] {
        state = state * 1664525u + 1013904223u;
        return state >> 16;
    };
    std::vector<std::vector<std::uint32_t>> rows;
    for (LONG y = 0; y < height; ++y) {
        std::vector<std::uint32_t> row;
        while (row.size() < std::size_t(width)) {
            const auto length = std::min<std::size_t>(1 + next() % 16, std::size_t(width) - row.size());
            const std::uint32_t index = next() % (1u << bitCount);
            row.insert(row.end(), length, index);
            picture.stream.push_back(std::byte(length));
            picture.stream.push_back(std::byte(bitCount == 4 ? index * 0x11 : index));
        }
        picture.stream.push_back(std::byte{0});
        picture.stream.push_back(std::byte(y + 1 < height ? 0 : 1));
        rows.push_back(row);
    }
    // Stored values run top row first; the stream starts at the bottom scan line.
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
        picture.indices.insert(picture.indices.end(), row->begin(), row->end());
    }
    return picture;
}

class LargeRleCall : public testing::TestWithParam<FormatPair> {
protected:
    void drawBothWays(const Piece& piece) {
        const FormatPair& pair = GetParam();
        const RunPicture picture = runPicture(pair.source.bitCount);
        gdi::DibFormat rle = pair.source;
        rle.compression = pair.source.bitCount == 8 ? BI_RLE8 : BI_RLE4;
        rle.sizeImage = DWORD(picture.stream.size());
        const gdi::DibInfo rleInfo(rle);
        const gdi::DibInfo plainInfo(pair.source);
        const std::vector<std::byte> plain = gditest::packed(pair.source, picture.indices);
        gditest::Section fromRle(pair.destination, 0);
        gditest::Section fromPlain(pair.destination, 0);
        const auto draw = [&](const gditest::Section& section, std::span<const std::byte> bits,
                              const gdi::DibInfo& info) {
            return SetDIBitsToDevice(section.dc(), piece.xDest, 0, DWORD(piece.width), height,
                                     piece.xSrc, 0, 0, height, bits, info.get(), DIB_RGB_COLORS);
        };
        ASSERT_EQ(draw(fromRle, picture.stream, rleInfo), height);
        ASSERT_EQ(draw(fromPlain, plain, plainInfo), height);
        EXPECT_TRUE(fromRle.values() == fromPlain.values());
    }
};

TEST_P(LargeRleCall, DrawsWhatTheSamePictureUncompressedDraws) {
    drawBothWays({0, 0, width});
}

TEST_P(LargeRleCall, APieceInsideBytesDrawsWhatTheSamePictureUncompressedDraws) {
    drawBothWays({5, 3, width - 9});
}

// A table of five entries: the pixels of indices beyond it are black, and are matched as such.
const NamedFormat shortTable4{"ShortTable4", dib(4, width, height, unevenColours(5))};

std::vector<FormatPair> everyRlePair() {
    std::vector<FormatPair> pairs;
    for (const NamedFormat& source : {sources[1], sources[2], shortTable4}) {
        for (const NamedFormat& destination : destinations) {
            pairs.push_back({std::string(source.name) + "RunsTo" + destination.name,
                             source.format, destination.format});
        }
    }
    return pairs;
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, LargeRleCall, testing::ValuesIn(everyRlePair()),
                         [](const auto& info) { return info.param.name; });

}  // namespace
