#pragma once

// The words that name a DIB format wherever a person writes one (diblab-probe case lines,
// scripts, experiment files): 1, 4, 8, 16, 24, 32 (BI_RGB; 16 is 5-5-5), 16:RRRR:GGGG:BBBB and
// 32:RRRRRRRR:GGGGGGGG:BBBBBBBB (BI_BITFIELDS with those hexadecimal masks), rle8 and rle4.

#include "gdi/dib_format.h"

#include <optional>
#include <string>
#include <string_view>

namespace dib {

// Which side of SetDIBitsToDevice a format is for. A source takes every word, zero masks
// included (the call draws such a channel as 0); a destination is a DIB section, which can be
// neither RLE nor have a zero mask.
enum class FormatRole { Source, Destination };

struct FormatWordReading {
    // The bit count, compression and masks the word gives; every other field as a default
    // DibFormat has it. Nothing when the word cannot be read.
    std::optional<gdi::DibFormat> format;
    // Why not: the word in quotes and the reason.
    std::string error;
};

FormatWordReading readFormatWord(std::string_view word, FormatRole role);

// The word for a format's bit count, compression and masks, masks in lowercase hexadecimal
// without leading zeros: "8", "16:f800:7e0:1f", "rle4". Reading it back gives the same fields.
std::string formatWord(const gdi::DibFormat& format);

// Copies what a word gives (bit count, compression, masks) onto a format.
void applyFormatWord(const gdi::DibFormat& word, gdi::DibFormat& format);

}  // namespace dib
