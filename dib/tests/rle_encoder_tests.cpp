#include "dib/pixel_rows.h"
#include "dib/rle_encoder.h"
#include "gdi/dib_section_dc.h"

#include <gtest/gtest.h>

#include <cstring>
#include <ostream>
#include <random>

namespace {

std::vector<std::byte> bytes(std::initializer_list<unsigned> values) {
    std::vector<std::byte> out;
    for (const unsigned v : values) {
        out.push_back(std::byte(v));
    }
    return out;
}

gdi::DibFormat indexFormat(WORD bitCount, LONG width, LONG height, gdi::RowOrder order) {
    gdi::DibFormat format = gdi::DibFormat::rgb32(width, height, order);
    format.bitCount = bitCount;
    for (DWORD i = 0; i < (1u << bitCount); ++i) {
        format.colours.push_back(i * 0x010101);
    }
    return format;
}

// Index rows, top row first, packed into a DIB of the format's row order.
std::vector<std::byte> packRows(const gdi::DibFormat& format,
                                const std::vector<std::vector<std::uint32_t>>& rows) {
    std::vector<std::byte> bits(format.imageBytes());
    for (std::size_t y = 0; y < rows.size(); ++y) {
        const std::size_t bufferRow = gdi::bufferRowOf(y, rows.size(), format.order);
        dib::writeRow(bits.data() + bufferRow * format.stride(), format.bitCount, rows[y]);
    }
    return bits;
}

// Streams worked out by hand from the encoder's rules, one row each.
struct StreamRule {
    const char* name;
    WORD bitCount;
    std::vector<std::uint32_t> row;
    std::vector<std::byte> stream;
};

void PrintTo(const StreamRule& rule, std::ostream* out) {
    *out << rule.name;
}

const StreamRule streamRules[] = {
    {"Rle8RunThenAbsoluteRunPadded",
     8,
     {3, 3, 3, 1, 2, 5},
     bytes({3, 3, 0, 3, 1, 2, 5, 0, 0, 0, 0, 1})},
    {"Rle8LoneIndicesAreRunsOfOne", 8, {7, 9, 9}, bytes({1, 7, 2, 9, 0, 0, 0, 1})},
    {"Rle4AlternatingIndicesAreOneRun", 4, {6, 8, 6, 8, 6}, bytes({5, 0x68, 0, 0, 0, 1})},
    {"Rle4TwoPixelsAreOneRun", 4, {1, 2}, bytes({2, 0x12, 0, 0, 0, 1})},
    {"Rle4AbsoluteRunOfFiveIsPadded",
     4,
     {7, 9, 15, 13, 11},
     bytes({0, 5, 0x79, 0xFD, 0xB0, 0, 0, 0, 0, 1})},
};

class RleEncoderStream : public testing::TestWithParam<StreamRule> {};

TEST_P(RleEncoderStream, FollowsTheEncodersRules) {
    const StreamRule& rule = GetParam();
    const gdi::DibFormat format =
        indexFormat(rule.bitCount, LONG(rule.row.size()), 1, gdi::RowOrder::BottomUp);
    EXPECT_EQ(dib::encodeRle(format, packRows(format, {rule.row})), rule.stream);
}

INSTANTIATE_TEST_SUITE_P(Rle, RleEncoderStream, testing::ValuesIn(streamRules),
                         [](const auto& info) { return std::string(info.param.name); });

// Decodes the stream with the layer's SetDIBitsToDevice onto a DIB section of the same bit count
// and table, which copies the indices, twice: over a section filled with 0 and over one filled
// with the highest index. Only pixels the stream sets are the same in both.
std::vector<std::vector<std::uint32_t>> decoded(const gdi::DibFormat& rle,
                                                const std::vector<std::byte>& stream,
                                                std::uint32_t fill) {
    gdi::DibFormat sectionFormat = rle;
    sectionFormat.compression = BI_RGB;
    sectionFormat.order = gdi::RowOrder::TopDown;
    const gdi::DibSectionDC section(sectionFormat);
    const auto width = std::size_t(rle.width);
    for (LONG y = 0; y < rle.height; ++y) {
        dib::fillRow(section.bits().data() + std::size_t(y) * sectionFormat.stride(), rle.bitCount,
                     width, fill);
    }
    const gdi::DibInfo info(rle);
    EXPECT_EQ(SetDIBitsToDevice(section.dc(), 0, 0, DWORD(rle.width), DWORD(rle.height), 0, 0, 0,
                                DWORD(rle.height), stream, info.get(), DIB_RGB_COLORS),
              rle.height);
    std::vector<std::vector<std::uint32_t>> rows;
    for (LONG y = 0; y < rle.height; ++y) {
        std::vector<std::uint32_t> row(width);
        dib::readRow(section.bits().data() + std::size_t(y) * sectionFormat.stride(), rle.bitCount,
                     row);
        rows.push_back(row);
    }
    return rows;
}

TEST(RleEncoder, DecodingGivesBackEveryIndex) {
    std::mt19937 random(20261208);
    for (int image = 0; image < 400; ++image) {
        const WORD bitCount = image % 2 == 0 ? 8 : 4;
        const auto width = LONG(1 + random() % 40);
        const auto height = LONG(1 + random() % 6);
        // Few distinct indices make long runs, many make absolute runs.
        const std::uint32_t distinct = image % 4 < 2 ? 1 + random() % 3 : 1u << bitCount;
        const gdi::RowOrder order =
            image % 3 == 0 ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
        gdi::DibFormat format = indexFormat(bitCount, width, height, order);
        std::vector<std::vector<std::uint32_t>> rows(static_cast<std::size_t>(height));
        for (auto& row : rows) {
            for (LONG x = 0; x < width; ++x) {
                row.push_back(random() % distinct * ((1u << bitCount) - 1) /
                              std::max(1u, distinct - 1));
            }
        }
        const std::vector<std::byte> stream = dib::encodeRle(format, packRows(format, rows));
        gdi::DibFormat rle = format;
        rle.compression = bitCount == 8 ? BI_RLE8 : BI_RLE4;
        rle.order = gdi::RowOrder::BottomUp;
        rle.sizeImage = DWORD(stream.size());
        ASSERT_EQ(decoded(rle, stream, 0), rows) << "image " << image;
        ASSERT_EQ(decoded(rle, stream, (1u << bitCount) - 1), rows) << "image " << image;
    }
}

}  // namespace
