#pragma once

#include "case_tokens.h"
#include "gdi/dib_format.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace probe {

// The largest bits buffer a line may give: as many bytes as the largest uncompressed source
// needs, 16777216 pixels of 32 bits (or a column of 16777216 rows of one DWORD each).
inline constexpr std::size_t maxBitsBytes = std::size_t(64) * 1024 * 1024;

// The BASE pattern in the format's packed rows: the pixel in picture row r (0 = top) and column c
// is V = BASE + r * 256 + c (mod 2^32) at 32 bpp, and the top bitCount bits of
// V * 0x9E3779B1 (mod 2^32) below, which spreads neighbouring pixels over the whole index range.
std::vector<std::byte> patternBits(const gdi::DibFormat& format, std::uint32_t base);

// Reads the values after "px": width x height hexadecimal pixels, top row first, each fitting the
// format's bits per pixel, packed like the pattern. Returns the reason they cannot be read, or an
// empty text.
std::string readPixelBits(CaseTokens& tokens, const gdi::DibFormat& format,
                          std::vector<std::byte>& bits);

// Reads the bytes after "bits": two hexadecimal digits a byte, in one or more tokens.
std::string readByteBits(CaseTokens& tokens, std::vector<std::byte>& bits);

}  // namespace probe
