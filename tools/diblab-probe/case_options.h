#pragma once

#include "case_tokens.h"
#include "gdi/dib_format.h"

#include <optional>
#include <string>
#include <string_view>

namespace probe {

// How error lines name a format: "8-bpp", "16-bpp bit-fields", "RLE8".
std::string formatLabel(const gdi::DibFormat& format);

// The NAME=VALUE options of a case line. The colour lists stay text until every option is read,
// because use= decides how srcpal's entries read.
struct CaseOptions {
    // The bit count, compression and masks of src= and dst=: 32-bpp BI_RGB unless given.
    gdi::DibFormat source;
    gdi::DibFormat destination;
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
