#include "format_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

// Pixels copied unchanged, onto a section of the same format and colour table: every segment
// lands at its place whatever the offsets within a byte, the bits around it and the padding of
// rows keep their values, and a section's own pixels may be the source.
namespace {

using gditest::dib;

std::vector<DWORD> distinctColours(WORD bitCount) {
    std::vector<DWORD> colours;
    for (std::uint32_t i = 0; i < (1u << bitCount); ++i) {
        colours.push_back((i + 1) * 0x010305u);
    }
    return colours;
}

gdi::DibFormat sameTableFormat(WORD bitCount, LONG width, LONG height) {
    return dib(bitCount, width, height,
               bitCount <= 8 ? distinctColours(bitCount) : std::vector<DWORD>{});
}

// Stored values from a fixed sequence, each within the format's bits.
std::vector<std::uint32_t> noise(std::size_t count, WORD bitCount, std::uint32_t seed) {
    std::vector<std::uint32_t> values(count);
    std::uint32_t state = seed;
    const std::uint32_t mask = bitCount == 32 ? 0xFFFFFFFF : (1u << bitCount) - 1;
    for (std::uint32_t& value : values) {
        state = state * 1664525u + 1013904223u;
        value = (state ^ state >> 13) & mask;
    }
    return values;
}

void fill(gditest::Section& section, const gdi::DibFormat& format,
          std::span<const std::uint32_t> values) {
    const std::vector<std::byte> bits = gditest::packed(format, values);
    std::memcpy(section.bits().data(), bits.data(), bits.size());
}

class PackedSegment : public testing::TestWithParam<WORD> {};

// Every source and destination offset within two bytes, every length to the row's end.
TEST_P(PackedSegment, LandsAtItsColumnsAndLeavesTheRestOfTheRow) {
    const WORD bitCount = GetParam();
    constexpr LONG width = 40;
    const gdi::DibFormat format = sameTableFormat(bitCount, width, 1);
    const gdi::DibInfo info(format);
    const std::vector<std::uint32_t> picture = noise(width, bitCount, 1);
    const std::vector<std::byte> bits = gditest::packed(format, picture);
    const std::vector<std::uint32_t> before = noise(width, bitCount, 2);
    for (LONG xSrc = 0; xSrc < 16 / bitCount + 2; ++xSrc) {
        for (LONG xDest = 0; xDest < 16 / bitCount + 2; ++xDest) {
            for (LONG count = 1; count <= width - std::max(xSrc, xDest); ++count) {
                gditest::Section section(format, 0);
                fill(section, format, before);
                ASSERT_EQ(SetDIBitsToDevice(section.dc(), xDest, 0, DWORD(count), 1, xSrc, 0, 0, 1,
                                            bits, info.get(), DIB_RGB_COLORS),
                          1);
                std::vector<std::uint32_t> expected = before;
                std::copy_n(picture.begin() + xSrc, count, expected.begin() + xDest);
                ASSERT_EQ(gditest::hexList(section.values()), gditest::hexList(expected))
                    << "XSrc " << xSrc << ", XDest " << xDest << ", Width " << count;
            }
        }
    }
}

// The section's own row as the source: each pixel read before any is written over.
TEST_P(PackedSegment, FromTheSectionsOwnRowReadsBeforeWriting) {
    const WORD bitCount = GetParam();
    constexpr LONG width = 40;
    const gdi::DibFormat format = sameTableFormat(bitCount, width, 1);
    const gdi::DibInfo info(format);
    const std::vector<std::uint32_t> picture = noise(width, bitCount, 3);
    for (LONG xSrc = 0; xSrc < 24; ++xSrc) {
        for (LONG xDest = 0; xDest < 24; ++xDest) {
            const LONG count = width - std::max(xSrc, xDest);
            gditest::Section section(format, 0);
            fill(section, format, picture);
            ASSERT_EQ(SetDIBitsToDevice(section.dc(), xDest, 0, DWORD(count), 1, xSrc, 0, 0, 1,
                                        section.bits(), info.get(), DIB_RGB_COLORS),
                      1);
            std::vector<std::uint32_t> expected = picture;
            std::copy_n(picture.begin() + xSrc, count, expected.begin() + xDest);
            ASSERT_EQ(gditest::hexList(section.values()), gditest::hexList(expected))
                << "XSrc " << xSrc << ", XDest " << xDest;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, PackedSegment, testing::Values(WORD(1), WORD(4)),
                         [](const auto& info) { return std::to_string(info.param) + "Bits"; });

class WholeRows : public testing::TestWithParam<WORD> {};

// Rows of 30 pixels leave padding in most formats; the section's padding bytes are its own.
TEST_P(WholeRows, KeepTheDestinationsRowPadding) {
    const WORD bitCount = GetParam();
    const gdi::DibFormat format = sameTableFormat(bitCount, 30, 4);
    const gdi::DibInfo info(format);
    const std::vector<std::uint32_t> picture = noise(30 * 4, bitCount, 4);
    const std::vector<std::byte> bits = gditest::packed(format, picture);
    gditest::Section section(format, 0);
    std::ranges::fill(section.bits(), std::byte{0xA5});
    ASSERT_EQ(
        SetDIBitsToDevice(section.dc(), 0, 0, 30, 4, 0, 0, 0, 4, bits, info.get(), DIB_RGB_COLORS),
        4);
    EXPECT_EQ(gditest::hexList(section.values()), gditest::hexList(picture));
    const std::size_t pictureBits = 30 * std::size_t(bitCount);
    for (std::size_t row = 0; row < 4; ++row) {
        for (std::size_t k = pictureBits / 8; k < format.stride(); ++k) {
            const unsigned padding = k == pictureBits / 8 ? 0xFFu >> pictureBits % 8 : 0xFFu;
            const auto kept = std::to_integer<unsigned>(section.bits()[row * format.stride() + k]);
            EXPECT_EQ(kept & padding, 0xA5u & padding) << "row " << row << ", byte " << k;
        }
    }
}

// The section's own rows, moved up or down by whole rows. Scan lines are drawn from the bottom of
// the picture up, each row read just before it is written: moving the picture down reads every
// row before it is written over; moving it up repeats the rows written first.
TEST_P(WholeRows, FromTheSectionsOwnRowsAreDrawnBottomUp) {
    const WORD bitCount = GetParam();
    constexpr LONG width = 32;
    constexpr LONG height = 6;
    const gdi::DibFormat format = sameTableFormat(bitCount, width, height);
    const gdi::DibInfo info(format);
    const std::vector<std::uint32_t> picture = noise(width * height, bitCount, 5);
    for (const int yDest : {-2, -1, 1, 3}) {
        gditest::Section section(format, 0);
        fill(section, format, picture);
        ASSERT_EQ(SetDIBitsToDevice(section.dc(), 0, yDest, width, height, 0, 0, 0, height,
                                    section.bits(), info.get(), DIB_RGB_COLORS),
                  height);
        // Row r of the picture (0 = top) lands on row r + yDest; scan line s is row height-1-s.
        std::vector<std::uint32_t> expected = picture;
        for (int scan = 0; scan < height; ++scan) {
            const int from = height - 1 - scan;
            const int to = from + yDest;
            if (to >= 0 && to < height) {
                std::copy_n(expected.begin() + from * width, width, expected.begin() + to * width);
            }
        }
        EXPECT_EQ(gditest::hexList(section.values()), gditest::hexList(expected))
            << "YDest " << yDest;
    }
}

// A block larger than the caches goes out with streaming stores: it lands byte for byte, from a
// source at any alignment, up to its last bytes, which are not a whole number of vectors.
TEST(WholeRows, ABlockLargerThanTheCachesLandsByteForByte) {
    const gdi::DibFormat format = sameTableFormat(32, 2047, 2100);
    const gdi::DibInfo info(format);
    const std::vector<std::uint32_t> picture = noise(2047 * 2100, 32, 5);
    const std::vector<std::byte> packed = gditest::packed(format, picture);
    for (const std::size_t offset : {0, 4, 12}) {
        std::vector<std::byte> bits(offset);
        bits.insert(bits.end(), packed.begin(), packed.end());
        gditest::Section section(format, 0);
        ASSERT_EQ(SetDIBitsToDevice(section.dc(), 0, 0, 2047, 2100, 0, 0, 0, 2100,
                                    std::span(bits).subspan(offset), info.get(), DIB_RGB_COLORS),
                  2100);
        EXPECT_TRUE(std::ranges::equal(section.bits(), packed)) << "source offset " << offset;
    }
}

INSTANTIATE_TEST_SUITE_P(SetDIBitsToDevice, WholeRows,
                         testing::Values(WORD(1), WORD(4), WORD(8), WORD(16), WORD(24), WORD(32)),
                         [](const auto& info) { return std::to_string(info.param) + "Bits"; });

}  // namespace
