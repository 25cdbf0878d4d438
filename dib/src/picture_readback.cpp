#include "dib/picture_readback.h"

#include "dib/format_word.h"
#include "dib/rle_encoder.h"

#include <cstring>

namespace dib {

namespace {

constexpr std::size_t paletteHalf = 10;

std::uint32_t dwordAt(const std::byte* start, std::size_t offset) {
    std::uint32_t value;
    std::memcpy(&value, start + offset, sizeof value);
    return value;
}

// The format a BITMAPINFO describes after GetDIBits filled it; its table has 2^bitCount entries.
gdi::DibFormat formatOf(const BITMAPINFO* bmi, UINT colorUse) {
    const BITMAPINFOHEADER& header = bmi->bmiHeader;
    const auto* start = reinterpret_cast<const std::byte*>(bmi);
    gdi::DibFormat format;
    format.width = header.biWidth;
    format.height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    format.order = header.biHeight < 0 ? gdi::RowOrder::TopDown : gdi::RowOrder::BottomUp;
    format.bitCount = header.biBitCount;
    format.compression = header.biCompression;
    format.colorUse = colorUse;
    format.headerSize = header.biSize;
    format.clrUsed = header.biClrUsed;
    format.sizeImage = header.biSizeImage;
    if (format.compression == BI_BITFIELDS) {
        format.masks = {dwordAt(start, gdi::masksOffset), dwordAt(start, gdi::masksOffset + 4),
                        dwordAt(start, gdi::masksOffset + 8)};
    }
    const std::byte* table = start + header.biSize;
    for (std::size_t i = 0; format.bitCount <= 8 && i < std::size_t(1) << format.bitCount; ++i) {
        if (colorUse == DIB_PAL_COLORS) {
            WORD index;
            std::memcpy(&index, table + i * sizeof index, sizeof index);
            format.colours.push_back(index);
        } else {
            format.colours.push_back(dwordAt(table, i * sizeof(RGBQUAD)) & 0xFFFFFF);
        }
    }
    return format;
}

std::optional<Dib> readDibits(HDC dc, HBITMAP bitmap, const gdi::DibFormat& request) {
    gdi::DibInfo info(request);
    Dib dib{{}, std::vector<std::byte>(request.imageBytes())};
    if (GetDIBits(dc, bitmap, 0, UINT(request.height), dib.bits, info.get(), DIB_RGB_COLORS) == 0) {
        return std::nullopt;
    }
    dib.format = formatOf(info.get(), DIB_RGB_COLORS);
    return dib;
}

}  // namespace

std::optional<gdi::DibFormat> queryDibits(HDC dc, HBITMAP bitmap, const gdi::DibFormat& request,
                                          UINT colorUse) {
    gdi::DibFormat asked = request;
    asked.colorUse = colorUse;
    gdi::DibInfo info(asked);
    if (GetDIBits(dc, bitmap, 0, UINT(request.height), std::span<std::byte>(), info.get(),
                  colorUse) == 0) {
        return std::nullopt;
    }
    return formatOf(info.get(), colorUse);
}

std::optional<PictureDib> readPicture(HDC dc, HBITMAP bitmap, const ReadbackChoice& choice) {
    BITMAP record{};
    if (GetObjectA(bitmap, sizeof record, &record) == 0 || record.bmWidth <= 0 ||
        record.bmHeight <= 0) {
        return std::nullopt;
    }
    const bool rle = isRle(choice.word);
    gdi::DibFormat request = gdi::DibFormat::rgb32(record.bmWidth, record.bmHeight, choice.order);
    applyFormatWord(choice.word, request);
    if (rle) {
        request.compression = BI_RGB;
    }
    std::optional<Dib> uncompressed = readDibits(dc, bitmap, request);
    if (!uncompressed) {
        return std::nullopt;
    }
    if (choice.table == TableUse::PaletteIndexes && request.bitCount <= 8) {
        const std::optional<gdi::DibFormat> indices =
            queryDibits(dc, bitmap, request, DIB_PAL_COLORS);
        if (!indices) {
            return std::nullopt;
        }
        uncompressed->format.colours = indices->colours;
        uncompressed->format.colorUse = DIB_PAL_COLORS;
    }
    PictureDib picture{*uncompressed, *uncompressed};
    if (rle) {
        picture.dib.bits = encodeRle(uncompressed->format, uncompressed->bits);
        picture.dib.format.compression = choice.word.compression;
        picture.dib.format.sizeImage = DWORD(picture.dib.bits.size());
    }
    return picture;
}

std::vector<DWORD> defaultPalette(HDC dc, HBITMAP bitmap) {
    gdi::DibFormat request = gdi::DibFormat::rgb32(1, 1, gdi::RowOrder::BottomUp);
    request.bitCount = 8;
    const std::optional<gdi::DibFormat> table = queryDibits(dc, bitmap, request, DIB_RGB_COLORS);
    if (!table || table->colours.size() != 256) {
        return {};
    }
    const std::vector<DWORD>& colours = table->colours;
    std::vector<DWORD> palette(colours.begin(), colours.begin() + paletteHalf);
    palette.insert(palette.end(), colours.end() - paletteHalf, colours.end());
    return palette;
}

}  // namespace dib
