#include "dibits_request.h"

#include "synthesized_tables.h"

#include <algorithm>
#include <cstring>

namespace gdi {

namespace {

bool isRequestFormat(const DibHeader& header, UINT cLines, bool withBits) {
    if (header.isRle()) {
        const WORD rleBits = header.compression == BI_RLE8 ? 8 : 4;
        return header.bitCount == rleBits && header.order() == RowOrder::BottomUp && !withBits;
    }
    return (header.planes != 0 || cLines == 0) && isUncompressed(header);
}

// DIB_PAL_COLORS matches onto the DC's palette, the 20-entry default palette of every memory DC;
// entries past it are black. Otherwise a bitmap read at its own depth keeps its own table and any
// other gets the synthesized one.
void fillTable(const Bitmap& bitmap, WORD bitCount, UINT usage, ColourTable& table) {
    table.count = std::size_t(1) << bitCount;
    const PixelFormat& own = bitmap.pixelFormat();
    std::span<const std::uint32_t> source = synthesizedTable(bitCount);
    if (usage == DIB_PAL_COLORS) {
        source = defaultPalette;
    } else if (own.isPalettized() && own.bitCount == bitCount) {
        source = own.colours;
    }
    for (std::size_t i = 0; i < table.count; ++i) {
        table.entries[i] = i < source.size() ? source[i] : 0;
    }
}

}  // namespace

std::optional<DibitsRequest> readDibitsRequest(const BITMAPINFO* bmi, const Bitmap& bitmap,
                                               UINT usage, UINT cLines, bool withBits) {
    const std::optional<DibHeader> header = readDibHeader(bmi);
    if (!header || !isRequestFormat(*header, cLines, withBits)) {
        return std::nullopt;
    }
    DibitsRequest request{*header, {}, header->pixelFormat({}).masks, false};
    const PixelFormat& own = bitmap.pixelFormat();
    if (header->bitCount <= 8) {
        fillTable(bitmap, header->bitCount, usage, request.colours);
    } else if (header->compression == BI_BITFIELDS && usage == DIB_RGB_COLORS &&
               !own.isPalettized() && bitmap.bitsPerPixel() == header->bitCount) {
        request.masks = own.masks;
        request.writesMasks = true;
    }
    return request;
}

PixelFormat DibitsRequest::pixelFormat() const {
    if (header.bitCount <= 8) {
        return PixelFormat::palettized(header.bitCount, colours.colours());
    }
    return PixelFormat::direct(header.bitCount, masks);
}

void writeColourInfo(const DibitsRequest& request, UINT usage, BITMAPINFO* bmi) {
    auto* start = reinterpret_cast<std::byte*>(bmi);
    if (request.writesMasks) {
        const ChannelMasks& masks = request.masks;
        const DWORD values[] = {masks.red, masks.green, masks.blue};
        std::memcpy(start + masksOffset, values, sizeof values);
    }
    std::byte* entry = start + request.header.tableOffset();
    for (std::size_t i = 0; i < request.colours.count; ++i) {
        if (usage == DIB_PAL_COLORS) {
            const auto index = WORD(i);
            std::memcpy(entry + i * sizeof index, &index, sizeof index);
        } else {
            const std::uint32_t rgb = request.colours.entries[i];
            const RGBQUAD quad{BYTE(rgb), BYTE(rgb >> 8), BYTE(rgb >> 16), 0};
            std::memcpy(entry + i * sizeof quad, &quad, sizeof quad);
        }
    }
}

}  // namespace gdi
