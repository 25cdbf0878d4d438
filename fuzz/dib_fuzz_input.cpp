#include "dib_fuzz_input.h"

#include "dibits_rules.h"

#include <algorithm>
#include <cstring>

namespace fuzzinput {

namespace {

using fuzzcheck::DibRole;

constexpr std::size_t maxSourceBytes = 16 * 1024;
constexpr std::size_t maxHeaderSize = 512;

struct Format {
    WORD bitCount;
    DWORD compression;
};

constexpr std::array<Format, 10> sourceFormats{{{1, BI_RGB},
                                                {4, BI_RGB},
                                                {8, BI_RGB},
                                                {16, BI_RGB},
                                                {24, BI_RGB},
                                                {32, BI_RGB},
                                                {16, BI_BITFIELDS},
                                                {32, BI_BITFIELDS},
                                                {8, BI_RLE8},
                                                {4, BI_RLE4}}};

constexpr std::array<std::array<DWORD, 3>, 12> maskSets{{
    {0x7C00, 0x03E0, 0x001F},
    {0xF800, 0x07E0, 0x001F},
    {0xFF0000, 0x00FF00, 0x0000FF},
    {0x0000FF, 0x00FF00, 0xFF0000},
    {0x3FF00000, 0x000FFC00, 0x000003FF},
    {0x0F00, 0x00F0, 0x000F},
    {0x3F000, 0x0FC0, 0x003F},
    {0x4, 0x2, 0x1},
    {0xE0, 0x1C, 0x03},
    {0xF0F0, 0x0F0F, 0x8001},
    {0xFF00, 0xFF00, 0x00FF},
    {0x80000000, 0xFFFF0000, 0xFFFFFFFF},
}};

DWORD headerSize(GdiInput& in) {
    switch (in.ConsumeIntegralInRange(0, 15)) {
        case 8:
        case 9:
            return 108;
        case 10:
            return 124;
        case 11:
            return 12;
        case 12:
            return in.ConsumeIntegralInRange<DWORD>(41, 160);
        case 13:
            return in.ConsumeIntegralInRange<DWORD>(0, 39);
        case 14:
            return in.ConsumeIntegralInRange<DWORD>(0, maxHeaderSize);
        default:
            return 40;
    }
}

std::array<DWORD, 3> masks(GdiInput& in) {
    const int kind = in.ConsumeIntegralInRange(0, 15);
    if (kind < int(maskSets.size())) {
        return maskSets[std::size_t(kind)];
    }
    std::array<DWORD, 3> any{};
    for (DWORD& mask : any) {
        mask = kind == 12 ? 0 : in.ConsumeIntegral<DWORD>();
    }
    if (kind == 13) {
        any[std::size_t(in.ConsumeIntegralInRange(0, 2))] = 0;
    }
    return any;
}

DWORD clrUsed(GdiInput& in, WORD bitCount) {
    const DWORD all = bitCount <= 8 ? DWORD(1) << bitCount : 256;
    switch (in.ConsumeIntegralInRange(0, 7)) {
        case 4:
        case 5:
            return in.ConsumeIntegralInRange<DWORD>(1, all);
        case 6:
            return in.ConsumeIntegralInRange<DWORD>(all, all + 300);
        case 7:
            return in.unsignedArgument();
        default:
            return 0;
    }
}

// Sometimes one field, sometimes every field, takes an odd value.
void makeOdd(GdiInput& in, HeaderPlan& plan) {
    const int odd = in.ConsumeIntegralInRange(0, 15);
    if (odd == 0 || odd == 1) {
        plan.width = in.signedArgument();
    }
    if (odd == 0 || odd == 2) {
        plan.height = in.signedArgument();
    }
    if (odd == 0 || odd == 3) {
        plan.planes = in.ConsumeBool() ? WORD(in.ConsumeIntegralInRange(0, 64)) : WORD(in.number());
    }
    if (odd == 0 || odd == 4) {
        plan.bitCount =
            in.ConsumeBool() ? WORD(in.ConsumeIntegralInRange(0, 64)) : WORD(in.number());
    }
    if (odd == 0 || odd == 5) {
        plan.compression =
            in.ConsumeBool() ? in.ConsumeIntegralInRange<DWORD>(0, 8) : in.unsignedArgument();
    }
    if (odd == 0 || odd == 6) {
        plan.sizeImage = in.unsignedArgument();
    }
}

void putLittle(std::span<std::byte> bytes, std::size_t offset, std::size_t count, DWORD value) {
    for (std::size_t i = 0; i < count && offset + i < bytes.size(); ++i) {
        bytes[offset + i] = std::byte(value >> (8 * i));
    }
}

// The header's own bytes: a BITMAPCOREHEADER for size 12, else a BITMAPINFOHEADER.
std::array<std::byte, 40> headerBytes(const HeaderPlan& plan) {
    std::array<std::byte, 40> bytes{};
    putLittle(bytes, 0, 4, plan.size);
    if (plan.size == 12) {
        putLittle(bytes, 4, 2, DWORD(plan.width));
        putLittle(bytes, 6, 2, DWORD(plan.height));
        putLittle(bytes, 8, 2, plan.planes);
        putLittle(bytes, 10, 2, plan.bitCount);
        return bytes;
    }
    putLittle(bytes, 4, 4, DWORD(plan.width));
    putLittle(bytes, 8, 4, DWORD(plan.height));
    putLittle(bytes, 12, 2, plan.planes);
    putLittle(bytes, 14, 2, plan.bitCount);
    putLittle(bytes, 16, 4, plan.compression);
    putLittle(bytes, 20, 4, plan.sizeImage);
    putLittle(bytes, 32, 4, plan.clrUsed);
    return bytes;
}

// Colour table entries: mostly any colours, often repeating an earlier one so that nearest-colour
// searches meet ties; palette indices mostly small, some past the palette's 20 entries.
void fillTable(GdiInput& in, std::span<std::byte> table, std::size_t entryBytes, bool indices) {
    const int style = in.ConsumeIntegralInRange(0, 3);
    for (std::size_t at = 0, i = 0; at + entryBytes <= table.size(); at += entryBytes, ++i) {
        DWORD entry = 0;
        if (indices) {
            entry = in.ConsumeBool() ? in.ConsumeIntegralInRange<DWORD>(0, 40)
                                     : in.ConsumeIntegral<WORD>();
        } else if (style == 1 && i > 0 && in.ConsumeBool()) {
            const std::size_t earlier = in.ConsumeIntegralInRange<std::size_t>(0, i - 1);
            std::memcpy(&entry, table.data() + earlier * entryBytes, entryBytes);
        } else if (style == 2) {
            entry = DWORD(i * 0x010101 * 17 % 0x1000000);
        } else {
            entry = in.ConsumeIntegral<DWORD>();
        }
        putLittle(table, at, entryBytes, entry);
    }
}

// A few bytes from the input, then a pattern seeded from it; all from the input's end, which
// leaves its start to the targets that read a stream there.
void fillPattern(GdiInput& in, std::span<std::byte> bytes) {
    const auto given = in.ConsumeIntegralInRange<std::size_t>(0, 16);
    const auto seed = in.ConsumeIntegral<std::uint32_t>();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        bytes[i] = i < given ? std::byte(in.ConsumeIntegral<std::uint8_t>())
                             : std::byte((seed + std::uint32_t(i) * 0x9E3779B1u) >> 24);
    }
}

std::vector<std::byte> rleStream(GdiInput& in, int bitCount) {
    std::vector<std::byte> stream;
    const auto put = [&stream](std::uint32_t byte) { stream.push_back(std::byte(byte)); };
    const int ops = in.ConsumeIntegralInRange(0, 48);
    for (int op = 0; op < ops && stream.size() < maxSourceBytes; ++op) {
        const int kind = in.ConsumeIntegralInRange(0, 11);
        const auto count = in.ConsumeBool() ? in.ConsumeIntegralInRange<std::uint32_t>(1, 20)
                                            : in.ConsumeIntegral<std::uint8_t>();
        if (kind < 4) {
            put(count);
            put(in.ConsumeIntegral<std::uint8_t>());
        } else if (kind == 4 || kind == 5) {
            put(0);
            put(kind == 4 ? 0 : 1);
        } else if (kind == 6) {
            put(0);
            put(2);
            put(in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 4) : in.ConsumeIntegral<int>());
            put(in.ConsumeBool() ? in.ConsumeIntegralInRange(0, 4) : in.ConsumeIntegral<int>());
        } else if (kind == 7 || kind == 8) {
            const std::uint32_t pixels = std::max<std::uint32_t>(3, count);
            const std::size_t bytes = (pixels * std::size_t(bitCount) + 7) / 8;
            put(0);
            put(pixels);
            for (std::size_t b = 0; b < bytes + (kind == 7 ? bytes % 2 : 0); ++b) {
                put(in.ConsumeIntegral<std::uint8_t>());
            }
        } else {
            put(in.ConsumeIntegral<std::uint8_t>());
        }
    }
    return stream;
}

DWORD rleSizeImage(GdiInput& in, std::size_t streamBytes) {
    const auto length = DWORD(streamBytes);
    switch (in.ConsumeIntegralInRange(0, 15)) {
        case 0:
            return length > 2 ? length - in.ConsumeIntegralInRange<DWORD>(1, 2) : 1;
        case 1:
            return length + in.ConsumeIntegralInRange<DWORD>(1, 16);
        case 2:
            return 1;
        case 3:
            return 0;
        case 4:
            return in.unsignedArgument();
        default:
            return length;
    }
}

}  // namespace

HeaderPlan sourcePlan(GdiInput& in) {
    HeaderPlan plan;
    plan.size = headerSize(in);
    const Format format = sourceFormats[in.ConsumeIntegralInRange<std::size_t>(0, 9)];
    plan.bitCount = format.bitCount;
    plan.compression = format.compression;
    plan.width = in.ConsumeIntegralInRange(1, 16);
    const bool rle = format.compression == BI_RLE8 || format.compression == BI_RLE4;
    plan.height = in.ConsumeIntegralInRange(1, 16) * (!rle && in.ConsumeBool() ? -1 : 1);
    plan.clrUsed = clrUsed(in, plan.bitCount);
    plan.masks = masks(in);
    makeOdd(in, plan);
    return plan;
}

HeaderPlan sectionPlan(GdiInput& in, bool oddFields) {
    HeaderPlan plan;
    const int size = in.ConsumeIntegralInRange(0, 7);
    plan.size = size == 0 ? 108 : size == 1 ? 124 : size == 2 ? 12 : 40;
    const Format format = sourceFormats[in.ConsumeIntegralInRange<std::size_t>(0, 7)];
    plan.bitCount = format.bitCount;
    plan.compression = format.compression;
    plan.width = in.ConsumeIntegralInRange(1, 12);
    plan.height = in.ConsumeIntegralInRange(1, 12) * (in.ConsumeBool() ? -1 : 1);
    plan.clrUsed = clrUsed(in, plan.bitCount);
    plan.masks = masks(in);
    if (oddFields && in.ConsumeIntegralInRange(0, 3) == 0) {
        makeOdd(in, plan);
    }
    return plan;
}

HeaderPlan requestPlan(GdiInput& in, int width, int height) {
    HeaderPlan plan;
    plan.size = in.ConsumeIntegralInRange(0, 7) == 0 ? headerSize(in) : 40;
    const Format format = sourceFormats[in.ConsumeIntegralInRange<std::size_t>(0, 9)];
    plan.bitCount = format.bitCount;
    plan.compression = format.compression;
    plan.width = in.ConsumeBool() ? width : in.ConsumeIntegralInRange(1, 16);
    plan.height = (in.ConsumeBool() ? height : in.ConsumeIntegralInRange(1, 16)) *
                  (in.ConsumeBool() ? -1 : 1);
    plan.clrUsed = clrUsed(in, plan.bitCount);
    plan.masks = masks(in);
    if (in.ConsumeIntegralInRange(0, 3) == 0) {
        makeOdd(in, plan);
    }
    return plan;
}

UINT colorUse(GdiInput& in) {
    switch (in.ConsumeIntegralInRange(0, 15)) {
        case 0:
            return DIB_PAL_COLORS + 1;
        case 1:
            return in.ConsumeIntegral<UINT>();
        case 2:
        case 3:
        case 4:
        case 5:
            return DIB_PAL_COLORS;
        default:
            return DIB_RGB_COLORS;
    }
}

std::vector<std::byte> headerBlock(const HeaderPlan& plan, std::size_t bytes) {
    const std::array<std::byte, 40> header = headerBytes(plan);
    std::vector<std::byte> block(bytes);
    std::copy_n(header.begin(), std::min(bytes, plan.size == 12 ? 12 : header.size()),
                block.begin());
    if (plan.compression == BI_BITFIELDS && plan.size != 12) {
        for (std::size_t c = 0; c < 3; ++c) {
            putLittle(block, 40 + 4 * c, 4, plan.masks[c]);
        }
    }
    return block;
}

InfoBlock infoBlock(GdiInput& in, const HeaderPlan& plan, UINT colorUse, DibRole role) {
    std::vector<std::byte> bytes =
        headerBlock(plan, fuzzcheck::infoBytesRead(headerBytes(plan), colorUse, role));
    const bool masks = plan.compression == BI_BITFIELDS && plan.size != 12;
    const std::size_t headerEnd = plan.size == 12 ? 12 : masks ? 52 : 40;
    fillPattern(in, std::span(bytes).subspan(std::min(bytes.size(), headerEnd)));
    const bool readableSize = plan.size == 12 || plan.size >= 40;
    if (readableSize && !masks && bytes.size() > plan.size) {
        const bool indices = colorUse == DIB_PAL_COLORS;
        const std::size_t entryBytes = indices ? 2 : plan.size == 12 ? 3 : 4;
        fillTable(in, std::span(bytes).subspan(plan.size), entryBytes, indices);
    }
    return InfoBlock(std::move(bytes));
}

std::optional<std::vector<std::byte>> requestBlock(GdiInput& in, const HeaderPlan& plan,
                                                   UINT usage) {
    BITMAPINFOHEADER header{};
    header.biSize = plan.size;
    header.biBitCount = plan.bitCount;
    header.biCompression = plan.compression;
    const std::size_t bytes = fuzzcheck::dibitsInfoBytes(header, usage);
    if (bytes > std::size_t(1) << 20) {
        return std::nullopt;
    }
    std::vector<std::byte> block = headerBlock(plan, bytes);
    const std::size_t headerEnd = plan.compression == BI_BITFIELDS ? 52 : 40;
    fillPattern(in, std::span(block).subspan(std::min(block.size(), headerEnd)));
    return block;
}

std::vector<std::byte> sourceBits(GdiInput& in, const HeaderPlan& plan) {
    if (plan.compression == BI_RLE8 || plan.compression == BI_RLE4) {
        return rleStream(in, plan.compression == BI_RLE8 ? 8 : 4);
    }
    const std::uint64_t stride = fuzzcheck::strideOf(std::uint64_t(std::max<LONG>(plan.width, 1)),
                                                     std::max(1, int(plan.bitCount)));
    const std::uint64_t rows = plan.height < 0 ? -std::int64_t(plan.height) : plan.height;
    const std::uint64_t wanted =
        in.ConsumeIntegralInRange<std::uint64_t>(0, std::min<std::uint64_t>(rows, 64) + 1);
    std::int64_t bytes = std::int64_t(std::min(stride * wanted, std::uint64_t(maxSourceBytes)));
    const int change = in.ConsumeIntegralInRange(0, 7);
    if (change == 1) {
        bytes -= in.ConsumeIntegralInRange(1, 3);
    } else if (change == 2) {
        bytes += in.ConsumeIntegralInRange(1, 7);
    }
    std::vector<std::byte> bits(std::size_t(std::max<std::int64_t>(bytes, 0)));
    fillPattern(in, bits);
    return bits;
}

SourceInput sourceInput(GdiInput& in, HeaderPlan plan, std::vector<std::byte> bits) {
    if (plan.compression == BI_RLE8 || plan.compression == BI_RLE4) {
        plan.sizeImage = rleSizeImage(in, bits.size());
    }
    const UINT use = colorUse(in);
    return {infoBlock(in, plan, use, DibRole::DrawnSource), use, std::move(bits)};
}

SourceInput sourceInput(GdiInput& in) {
    const HeaderPlan plan = sourcePlan(in);
    std::vector<std::byte> bits = sourceBits(in, plan);
    return sourceInput(in, plan, std::move(bits));
}

}  // namespace fuzzinput
