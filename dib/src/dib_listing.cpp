#include "dib/dib_listing.h"

#include <bit>
#include <cstdio>

namespace dib {

namespace {

std::string hexValue(DWORD value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*x", digits, unsigned(value));
    return text;
}

std::string field(const char* name, long long value, const std::string& meaning) {
    std::string text = "  ";
    text += name;
    text.append(18 - text.size(), ' ');
    return text + "= " + std::to_string(value) + ": " + meaning;
}

std::string plural(std::size_t count, const std::string& noun) {
    return std::to_string(count) + ' ' + noun + (count == 1 ? "" : "s");
}

std::string heightMeaning(const gdi::DibFormat& format) {
    const std::string rows = plural(std::size_t(format.height), "row");
    if (format.order == gdi::RowOrder::BottomUp) {
        return rows + ", bottom-up: the first row in memory is the bottom row";
    }
    return rows + ", top-down: the first row in memory is the top row" +
           (isRle(format) ? " (SetDIBitsToDevice refuses a top-down RLE DIB)" : "");
}

std::string compressionMeaning(const gdi::DibFormat& format) {
    switch (format.compression) {
        case BI_RGB:
            switch (format.bitCount) {
                case 16:
                    return "BI_RGB, uncompressed rows of 5-5-5 pixels (red 7c00, green 03e0, "
                           "blue 001f)";
                case 24:
                    return "BI_RGB, uncompressed rows of pixels of 3 bytes: blue, green, red";
                case 32:
                    return "BI_RGB, uncompressed rows of 00RRGGBB pixels";
                default:
                    return "BI_RGB, uncompressed rows of indices";
            }
        case BI_RLE8:
            return "BI_RLE8, a run-length encoded stream of 8-bit indices";
        case BI_RLE4:
            return "BI_RLE4, a run-length encoded stream of 4-bit indices";
        case BI_BITFIELDS:
            return "BI_BITFIELDS, uncompressed rows of pixels whose channels the masks place";
        default:
            return "not a compression SetDIBitsToDevice takes";
    }
}

std::string sizeImageMeaning(const gdi::DibFormat& format) {
    if (isRle(format)) {
        return "bytes of the RLE stream";
    }
    if (format.sizeImage == 0) {
        return "not given; the rows' size follows from width, height and bit count";
    }
    return "bytes of the image, " + plural(std::size_t(format.height), "row") + " of " +
           plural(format.stride(), "byte");
}

std::string entries(std::size_t count) {
    return std::to_string(count) + (count == 1 ? " entry" : " entries");
}

std::string clrUsedMeaning(const gdi::DibFormat& format) {
    if (format.bitCount > 8) {
        return "no colour table";
    }
    const std::size_t all = std::size_t(1) << format.bitCount;
    const std::string power = "2^" + std::to_string(format.bitCount);
    if (format.clrUsed == 0) {
        return "the colour table has all " + power + " = " + entries(all);
    }
    if (format.clrUsed > all) {
        return "more than " + power + ", so the colour table has all " + entries(all);
    }
    return "the colour table has " + entries(format.clrUsed) +
           (format.clrUsed < all ? "; higher indices stand for black" : "");
}

void listHeader(const gdi::DibFormat& format, std::vector<std::string>& lines) {
    lines.push_back("BITMAPINFOHEADER");
    lines.push_back(field("biSize", format.headerSize, "bytes in this header"));
    lines.push_back(field("biWidth", format.width, "pixels in a row"));
    lines.push_back(field("biHeight", format.biHeight(), heightMeaning(format)));
    lines.push_back(field("biPlanes", 1, "always 1"));
    lines.push_back(field(
        "biBitCount", format.bitCount,
        format.bitCount <= 8 ? "bits a pixel, an index into the colour table" : "bits a pixel"));
    lines.push_back(field("biCompression", format.compression, compressionMeaning(format)));
    lines.push_back(field("biSizeImage", format.sizeImage, sizeImageMeaning(format)));
    lines.push_back(field("biXPelsPerMeter", 0, "no resolution given"));
    lines.push_back(field("biYPelsPerMeter", 0, "no resolution given"));
    lines.push_back(field("biClrUsed", format.clrUsed, clrUsedMeaning(format)));
    lines.push_back(field("biClrImportant", 0, "every colour is important"));
}

void listColorUse(const gdi::DibFormat& format, std::vector<std::string>& lines) {
    const bool palette = format.colorUse == DIB_PAL_COLORS;
    std::string meaning = palette ? "DIB_PAL_COLORS" : "DIB_RGB_COLORS";
    if (format.bitCount > 8) {
        meaning += palette ? "; there is no colour table, so it draws as DIB_RGB_COLORS"
                           : "; there is no colour table";
    } else {
        meaning += palette ? ", each table entry is a 16-bit index into the DC's palette"
                           : ", each table entry is a colour (an RGBQUAD: blue, green, red, 0)";
    }
    lines.push_back("ColorUse = " + std::to_string(format.colorUse) + ": " + meaning);
}

std::string maskMeaning(DWORD mask) {
    if (mask == 0) {
        return "no bits: the channel is 0";
    }
    const int low = std::countr_zero(mask);
    const int length = std::countr_one(mask >> low);
    const int high = low + length - 1;
    std::string text = length == 1 ? "bit " + std::to_string(low)
                                   : "bits " + std::to_string(low) + "-" + std::to_string(high);
    text += length == 1 ? " (1 bit)" : " (" + std::to_string(length) + " bits)";
    if ((mask >> low) >> length != 0) {
        text += ", the lowest run of set bits; the others are ignored";
    }
    return text;
}

void listMasks(const gdi::DibFormat& format, std::vector<std::string>& lines) {
    lines.push_back("masks, the three DWORDs at offset 40");
    const std::pair<const char*, DWORD> masks[] = {
        {"red", format.masks.red}, {"green", format.masks.green}, {"blue", format.masks.blue}};
    for (const auto& [name, mask] : masks) {
        std::string line = "  ";
        line += name;
        line.append(8 - line.size(), ' ');
        lines.push_back(line + "= " + hexValue(mask, 8) + ": " + maskMeaning(mask));
    }
}

std::string paletteEntry(DWORD index, std::span<const DWORD> palette) {
    std::string text = "palette index " + std::to_string(index);
    if (palette.empty()) {
        return text;
    }
    const std::size_t entry = index % palette.size();
    if (entry != index) {
        text += " = palette entry " + std::to_string(entry) + " (" + std::to_string(index) +
                " mod " + std::to_string(palette.size()) + ")";
    }
    return text + " = " + hexValue(palette[entry], 6);
}

void listTable(const gdi::DibFormat& format, std::span<const DWORD> palette,
               std::vector<std::string>& lines) {
    const bool indices = format.colorUse == DIB_PAL_COLORS;
    const std::size_t count = format.tableEntries();
    lines.push_back("colour table, " + entries(count) + " of " +
                    (indices ? "2 bytes (palette indices)" : "4 bytes (RGBQUAD)"));
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD value = i < format.colours.size() ? format.colours[i] : 0;
        lines.push_back("  " + std::to_string(i) + ": " +
                        (indices ? paletteEntry(value & 0xFFFF, palette) : hexValue(value, 6)));
    }
}

std::string byteList(std::span<const std::byte> bytes) {
    std::string text;
    for (const std::byte b : bytes) {
        text += (text.empty() ? "" : " ") + hexValue(std::to_integer<DWORD>(b), 2);
    }
    return text;
}

void listRows(const Dib& dib, std::vector<std::string>& lines) {
    const gdi::DibFormat& format = dib.format;
    const std::size_t stride = format.stride();
    const std::size_t used = (std::size_t(format.width) * format.bitCount + 7) / 8;
    const auto height = std::size_t(format.height);
    std::string header = "bits, " + plural(dib.bits.size(), "byte") + ": " + plural(height, "row") +
                         " of " + plural(stride, "byte");
    if (used < stride) {
        header += " (" + std::to_string(used) + " of pixels, " + std::to_string(stride - used) +
                  " of padding to a whole DWORD)";
    }
    const bool bottomUp = format.order == gdi::RowOrder::BottomUp;
    lines.push_back(header + ", in memory order, numbered as the window labels them: the " +
                    (bottomUp ? "bottom" : "top") + " row first");
    const std::size_t rows = stride == 0 ? 0 : std::min(height, dib.bits.size() / stride);
    for (std::size_t k = 0; k < rows; ++k) {
        const std::span<const std::byte> row = std::span(dib.bits).subspan(k * stride, stride);
        std::string line = "  row " + std::to_string(k + 1) + ": " +
                           byteList(row.first(used));
        if (used < stride) {
            line += " | padding " + byteList(row.subspan(used));
        }
        lines.push_back(line);
    }
    if (rows < height || dib.bits.size() > rows * stride) {
        lines.push_back("  the buffer holds " + plural(rows, "whole row") + " of " +
                        std::to_string(height) + " and " +
                        plural(dib.bits.size() - rows * stride, "byte") + " more");
    }
}

}  // namespace

std::vector<std::string> listDib(const Dib& dib, std::span<const DWORD> palette) {
    const gdi::DibFormat& format = dib.format;
    std::vector<std::string> lines;
    listHeader(format, lines);
    listColorUse(format, lines);
    if (format.compression == BI_BITFIELDS) {
        listMasks(format, lines);
    }
    if (format.bitCount <= 8) {
        listTable(format, palette, lines);
    }
    if (isRle(format)) {
        lines.push_back("bits, " + plural(dib.bits.size(), "byte") + ": the " +
                        (format.compression == BI_RLE8 ? "RLE8" : "RLE4") +
                        " stream, read from the bottom row up");
        for (const std::string& line : listRleStream(dib.bits, format.bitCount, format.height)) {
            lines.push_back("  " + line);
        }
    } else {
        listRows(dib, lines);
    }
    return lines;
}

}  // namespace dib
