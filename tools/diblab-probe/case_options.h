#pragma once

#include "case_tokens.h"
#include "gdi/dib_format.h"

#include <optional>
#include <string>
#include <string_view>

namespace probe {

// What a FORMAT token gives: 1, 4, 8, 16, 24, 32, 16:RRRR:GGGG:BBBB,
// 32:RRRRRRRR:GGGGGGGG:BBBBBBBB, rle8 or rle4.
struct PixelFormat {
    WORD bitCount = 32;
    DWORD compression = BI_RGB;
    gdi::ChannelMasks masks;

    bool hasColourTable() const { return bitCount <= 8; }
    bool isRle() const { return compression == BI_RLE8 || compression == BI_RLE4; }
    // "8-bpp", "16-bpp bit-fields", "RLE8": how error lines name it.
    std::string name() const;
    void applyTo(gdi::DibFormat& format) const;
};

std::optional<PixelFormat> readPixelFormat(std::string_view text);

// The NAME=VALUE options of a case line. The colour lists stay text until every option is read,
// because use= decides how srcpal's entries read.
struct CaseOptions {
    PixelFormat source;
    PixelFormat destination;
    std::optional<std::string_view> sourceColours;
    std::optional<std::string_view> destColours;
    UINT colorUse = DIB_RGB_COLORS;
    std::optional<DWORD> clrUsed;
    std::optional<DWORD> sizeImage;
    DWORD headerSize = sizeof(BITMAPINFOHEADER);
};

// Reads options until "px", "bits" or the end of the line. Returns the reason a token cannot be
// read, or an empty text.
std::string readOptions(CaseTokens& tokens, CaseOptions& options);

}  // namespace probe
