// Encodes index images of up to 64 x 8 pixels (long runs, alternating pairs, noise) with this
// program's RLE8 and RLE4 encoder and holds the stream to the encoder's rules: decoded by the
// plain restatement in rle_rules and by the layer's SetDIBitsToDevice onto a section with the
// same table, it gives back every index; each run is 1 to 255 pixels, each absolute run 3 to 254
// and padded to 16 bits; every row ends with an end of line, the stream with the end of bitmap
// and nothing after it, and there is no delta. The stream's listing reads it to that end.

#include "dib/dib_listing.h"
#include "dib/pixel_rows.h"
#include "dib/rle_encoder.h"
#include "fuzz_check.h"
#include "gdi/dib_section_dc.h"
#include "rle_rules.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <vector>

namespace {

using fuzzcheck::check;
using Image = std::vector<std::uint32_t>;  // indices, top row first

Image indexImage(FuzzedDataProvider& in, int width, int height, std::uint32_t highest) {
    Image image;
    for (int y = 0; y < height; ++y) {
        int x = 0;
        while (x < width) {
            const int length = std::min(width - x, in.ConsumeIntegralInRange(1, 300));
            const int style = in.ConsumeIntegralInRange(0, 2);
            const auto first = in.ConsumeIntegralInRange<std::uint32_t>(0, highest);
            const auto second = in.ConsumeIntegralInRange<std::uint32_t>(0, highest);
            for (int i = 0; i < length; ++i) {
                const std::uint32_t noise = in.ConsumeIntegralInRange<std::uint32_t>(0, highest);
                image.push_back(style == 0 ? first : style == 1 ? (i % 2 ? second : first) : noise);
            }
            x += length;
        }
    }
    return image;
}

gdi::DibFormat indexFormat(WORD bitCount, int width, int height, gdi::RowOrder order) {
    gdi::DibFormat format = gdi::DibFormat::rgb32(width, height, order);
    format.bitCount = bitCount;
    for (DWORD i = 0; i < (1u << bitCount); ++i) {
        format.colours.push_back(i * 0x010101);
    }
    return format;
}

// Reads the stream as the rules write it: pairs, absolute runs and end-of-line escapes only.
void checkStructure(const std::vector<std::byte>& stream, WORD bitCount, int height) {
    const auto byteAt = [&](std::size_t i) { return std::to_integer<std::uint32_t>(stream[i]); };
    int lines = 0;
    std::size_t at = 0;
    for (; at + 2 <= stream.size(); at += 2) {
        const std::uint32_t count = byteAt(at);
        const std::uint32_t value = byteAt(at + 1);
        if (count != 0 || value == 0) {
            lines += count == 0 ? 1 : 0;
            continue;
        }
        if (value == 1) {
            break;
        }
        check(value >= 3 && value <= 254, "an absolute run holds 3 to 254 pixels, never a delta");
        const std::size_t bytes = (value * bitCount + 7) / 8;
        at += bytes + bytes % 2;
    }
    check(lines == height, "every row ends with an end of line");
    check(at + 2 == stream.size() && byteAt(at) == 0 && byteAt(at + 1) == 1,
          "the stream ends with the end of bitmap");
}

void checkLayerDecodes(const gdi::DibFormat& rle, const std::vector<std::byte>& stream,
                       const Image& image, std::uint32_t fill) {
    gdi::DibFormat sectionFormat = rle;
    sectionFormat.compression = BI_RGB;
    sectionFormat.order = gdi::RowOrder::TopDown;
    const gdi::DibSectionDC section(sectionFormat);
    check(section.created(), "an index section");
    const auto width = std::size_t(rle.width);
    for (std::size_t y = 0; y < std::size_t(rle.height); ++y) {
        dib::fillRow(section.bits().data() + y * sectionFormat.stride(), rle.bitCount, width, fill);
    }
    const gdi::DibInfo info(rle);
    check(SetDIBitsToDevice(section.dc(), 0, 0, DWORD(rle.width), DWORD(rle.height), 0, 0, 0,
                            DWORD(rle.height), stream, info.get(), DIB_RGB_COLORS) == rle.height,
          "SetDIBitsToDevice takes the stream");
    Image row(width);
    for (std::size_t y = 0; y < std::size_t(rle.height); ++y) {
        dib::readRow(section.bits().data() + y * sectionFormat.stride(), rle.bitCount, row);
        check(std::equal(row.begin(), row.end(), image.begin() + std::ptrdiff_t(y * width)),
              "the layer decodes every index");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const WORD bitCount = in.ConsumeBool() ? 8 : 4;
    const gdi::RowOrder order = in.ConsumeBool() ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
    const int width = in.ConsumeIntegralInRange(1, 64);
    const int height = in.ConsumeIntegralInRange(1, 8);
    const std::uint32_t highest = (1u << bitCount) - 1;
    const Image image = indexImage(in, width, height, highest);
    const gdi::DibFormat format = indexFormat(bitCount, width, height, order);
    std::vector<std::byte> bits(format.imageBytes());
    for (std::size_t y = 0; y < std::size_t(height); ++y) {
        const std::size_t bufferRow = gdi::bufferRowOf(y, std::size_t(height), order);
        dib::writeRow(bits.data() + bufferRow * format.stride(), bitCount,
                      std::span(image).subspan(y * std::size_t(width), std::size_t(width)));
    }

    const std::vector<std::byte> stream = dib::encodeRle(format, bits);

    checkStructure(stream, bitCount, height);
    const fuzzcheck::RleWindow window{width, height, 0, 0, width, height};
    const std::vector<int> decoded = fuzzcheck::decodeRle(stream, bitCount, window);
    for (std::size_t i = 0; i < image.size(); ++i) {
        const std::size_t line = std::size_t(height) - 1 - i / std::size_t(width);
        check(decoded[line * std::size_t(width) + i % std::size_t(width)] == int(image[i]),
              "decoding the stream gives back every index");
    }
    gdi::DibFormat rle = format;
    rle.compression = bitCount == 8 ? BI_RLE8 : BI_RLE4;
    rle.order = gdi::RowOrder::BottomUp;
    rle.sizeImage = DWORD(stream.size());
    checkLayerDecodes(rle, stream, image, 0);
    checkLayerDecodes(rle, stream, image, highest);
    for (const std::string& line : dib::listRleStream(stream, bitCount, height)) {
        check(line.find("cut short") == std::string::npos &&
                  line.find("left over") == std::string::npos &&
                  line.find("never read") == std::string::npos,
              "the listing reads the whole stream");
    }
    return 0;
}
