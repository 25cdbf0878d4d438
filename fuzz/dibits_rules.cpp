#include "dibits_rules.h"

#include <algorithm>
#include <cstring>

namespace fuzzcheck {

namespace {

constexpr std::size_t infoSize = 40;
constexpr std::size_t masksEnd = infoSize + 12;

std::uint32_t dwordAt(std::span<const std::byte> bytes, std::size_t offset) {
    std::uint32_t value = 0;
    std::memcpy(&value, bytes.data() + offset, sizeof value);
    return value;
}

// The synthesized tables: black and white; the sixteen VGA colours; the 256-colour mix of the
// default palette's two halves around a cube of 8 reds, 8 greens and 4 blues.
std::vector<Rgb> synthesizedTable(int bitCount) {
    if (bitCount == 1) {
        return {0x000000, 0xFFFFFF};
    }
    if (bitCount == 4) {
        return {0x000000, 0x800000, 0x008000, 0x808000, 0x000080, 0x800080, 0x008080, 0x808080,
                0xC0C0C0, 0xFF0000, 0x00FF00, 0xFFFF00, 0x0000FF, 0xFF00FF, 0x00FFFF, 0xFFFFFF};
    }
    std::vector<Rgb> table;
    for (std::uint32_t i = 0; i < 256; ++i) {
        const Rgb cube = (i % 8 * 0x20) << 16 | (i / 8 % 8 * 0x20) << 8 | (i / 64 * 0x40);
        table.push_back(i < 10     ? defaultPaletteEntry(i)
                        : i >= 246 ? defaultPaletteEntry(i - 236)
                                   : cube);
    }
    return table;
}

bool requestTaken(const HeaderFields& header, UINT cLines, bool query) {
    if (header.width <= 0 || header.height == 0) {
        return false;
    }
    if (header.rle()) {
        const std::uint32_t bits = header.compression == BI_RLE8 ? 8 : 4;
        return header.bitCount == bits && header.height > 0 && query;
    }
    if (sizeOverflows(header) || (header.planes == 0 && cLines != 0)) {
        return false;
    }
    return uncompressedFormat(header);
}

// DIB_PAL_COLORS matches onto the DC's palette, the 20-entry default palette, black past it;
// otherwise a bitmap at the request's depth gives its own table, any other the synthesized one.
std::optional<std::vector<Rgb>> requestTable(int bitCount, const DibitsBitmap& bitmap, UINT usage) {
    if (usage == DIB_PAL_COLORS) {
        std::vector<Rgb> palette;
        for (std::uint32_t i = 0; i < (1u << bitCount); ++i) {
            palette.push_back(i < 20 ? defaultPaletteEntry(i) : 0);
        }
        return palette;
    }
    if (bitmap.bitCount == bitCount) {
        return bitmap.format ? std::optional(bitmap.format->table) : std::nullopt;
    }
    return synthesizedTable(bitCount);
}

void describeRows(std::span<const std::byte> info, const DibitsBitmap& bitmap, UINT usage,
                  DibitsAnswer& answer) {
    const HeaderFields& header = answer.header;
    const int bitCount =
        header.rle() ? (header.compression == BI_RLE8 ? 8 : 4) : int(header.bitCount);
    PixelFormat format;
    format.bitCount = bitCount;
    if (bitCount <= 8) {
        const std::optional<std::vector<Rgb>> table = requestTable(bitCount, bitmap, usage);
        answer.tableBytes = (std::size_t(1) << bitCount) * (usage == DIB_PAL_COLORS ? 2 : 4);
        if (!table) {
            return;
        }
        format.table = *table;
        std::vector<std::byte> bytes;
        for (std::size_t i = 0; i < table->size(); ++i) {
            const std::uint32_t entry = usage == DIB_PAL_COLORS ? std::uint32_t(i) : (*table)[i];
            for (std::size_t k = 0; k < (usage == DIB_PAL_COLORS ? 2u : 4u); ++k) {
                bytes.push_back(std::byte(k == 3 ? 0 : entry >> (8 * k)));
            }
        }
        answer.table = bytes;
    } else if (header.compression == BI_BITFIELDS) {
        answer.rewritesMasks =
            usage == DIB_RGB_COLORS && bitmap.bitCount == bitCount && bitCount != 24;
        if (answer.rewritesMasks && !bitmap.format) {
            return;
        }
        format.masks = answer.rewritesMasks
                           ? bitmap.format->masks
                           : std::array{dwordAt(info, infoSize), dwordAt(info, infoSize + 4),
                                        dwordAt(info, infoSize + 8)};
    } else {
        format.masks = defaultMasks(bitCount);
    }
    answer.format = format;
}

// A 4-bpp row copied into the same table goes by whole bytes: with an odd number of columns the
// last byte's low nibble is the bitmap's next one, a pixel or the row's padding.
void copyLastNibble(const PixelFormat& format, std::int64_t width, const DibitsBitmap& bitmap,
                    std::int64_t bitmapRow, std::vector<std::byte>& row) {
    const std::int64_t columns = std::min<std::int64_t>(width, bitmap.width);
    const PixelFormat& from = *bitmap.format;
    if (format.bitCount != 4 || from.bitCount != 4 || from.table != format.table ||
        columns % 2 == 0 || bitmapRow >= bitmap.height) {
        return;
    }
    writePixel(row.data(), std::uint64_t(columns), 4,
               bitmap.pixels->value(int(columns), int(bitmapRow)));
}

}  // namespace

std::size_t dibitsInfoBytes(const BITMAPINFOHEADER& header, UINT usage) {
    std::size_t bytes = std::max<std::size_t>(header.biSize, infoSize);
    if (header.biCompression == BI_BITFIELDS) {
        bytes = std::max(bytes, masksEnd);
    }
    if (header.biBitCount >= 1 && header.biBitCount <= 8) {
        bytes += (std::size_t(1) << header.biBitCount) * (usage == DIB_PAL_COLORS ? 2 : 4);
    }
    return bytes;
}

DibitsAnswer expectedDibits(std::span<const std::byte> info, const DibitsBitmap& bitmap,
                            UINT startScan, UINT cLines, std::span<const std::byte> bits,
                            UINT usage) {
    DibitsAnswer answer;
    answer.header = *readHeader(info);
    const HeaderFields& header = answer.header;
    const std::int64_t rows = header.height < 0 ? -header.height : header.height;
    const std::int64_t first = startScan;
    const std::int64_t end = std::min<std::int64_t>(first + cLines, rows);
    const bool query = !bits.data() || first >= end;
    if (!requestTaken(header, cLines, query)) {
        return answer;
    }
    answer.stride = strideOf(std::uint64_t(header.width), int(header.bitCount));
    if (!query && std::uint64_t(end - first) * answer.stride > bits.size()) {
        return answer;
    }
    answer.accepted = true;
    describeRows(info, bitmap, usage, answer);
    if (query) {
        answer.result = 1;
        return answer;
    }
    answer.firstScan = first;
    answer.endScan = end;
    const std::int64_t fromBitmap = std::max(first, rows - bitmap.height);
    answer.result = int(std::max<std::int64_t>(0, end - fromBitmap));
    return answer;
}

void checkDibitsInfo(std::span<const std::byte> after, std::span<const std::byte> before,
                     const DibitsAnswer& answer) {
    std::vector<std::byte> expected(before.begin(), before.end());
    if (answer.accepted) {
        const HeaderFields& header = answer.header;
        const std::uint64_t rows =
            std::uint64_t(header.height < 0 ? -header.height : header.height);
        const auto sizeImage = std::uint32_t(answer.stride * rows);
        const std::uint32_t clrUsed = 0;
        std::memcpy(expected.data() + 20, &sizeImage, 4);
        std::memcpy(expected.data() + 32, &clrUsed, 4);
        if (answer.rewritesMasks) {
            const std::span<const std::byte> masks = after.subspan(infoSize, 12);
            std::copy(masks.begin(), masks.end(), expected.begin() + infoSize);
            if (answer.format) {
                for (std::size_t c = 0; c < 3; ++c) {
                    check(dwordAt(after, infoSize + 4 * c) == answer.format->masks[c],
                          "GetDIBits at the bitmap's depth writes the bitmap's masks");
                }
            }
        }
        const std::span<const std::byte> table = after.subspan(header.size, answer.tableBytes);
        std::copy(table.begin(), table.end(), expected.begin() + std::ptrdiff_t(header.size));
        if (answer.table) {
            check(std::ranges::equal(table, *answer.table), "GetDIBits writes the colour table");
        }
    }
    check(std::ranges::equal(after, expected),
          "GetDIBits writes only biSizeImage, biClrUsed, the table and the masks it rewrites");
}

void checkDibitsBuffer(std::span<const std::byte> bits, std::byte untouched,
                       const DibitsAnswer& answer, const DibitsBitmap& bitmap) {
    const auto rows = std::size_t(answer.endScan - answer.firstScan);
    const std::size_t written = rows * std::size_t(answer.stride);
    for (std::size_t i = written; i < bits.size(); ++i) {
        check(bits[i] == untouched, "GetDIBits writes only the covered rows");
    }
    if (rows == 0 || !bitmap.pixels || !answer.format) {
        return;
    }
    const HeaderFields& header = answer.header;
    const std::int64_t height = header.height < 0 ? -header.height : header.height;
    std::vector<std::byte> row(answer.stride);
    for (std::size_t r = 0; r < rows; ++r) {
        const std::int64_t scan = header.height < 0 ? answer.endScan - 1 - std::int64_t(r)
                                                    : answer.firstScan + std::int64_t(r);
        const std::int64_t bitmapRow = height - 1 - scan;
        std::fill(row.begin(), row.end(), std::byte{0});
        for (std::int64_t x = 0; x < header.width && bitmapRow < bitmap.height; ++x) {
            if (x < bitmap.width) {
                const std::uint32_t value = bitmap.pixels->value(int(x), int(bitmapRow));
                writePixel(row.data(), std::uint64_t(x), answer.format->bitCount,
                           convertPixel(*bitmap.format, value, *answer.format));
            }
        }
        copyLastNibble(*answer.format, header.width, bitmap, bitmapRow, row);
        check(std::ranges::equal(row, bits.subspan(r * answer.stride, answer.stride)),
              "GetDIBits converts the bitmap's rows and zeros the rest");
    }
}

}  // namespace fuzzcheck
