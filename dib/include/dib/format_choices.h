#pragma once

// The DIB formats the bench offers for its two pictures, one table for the menus, the scripts
// and the experiment files alike.

#include "gdi/dib_format.h"

#include <span>
#include <string>
#include <string_view>

namespace dib {

struct FormatChoice {
    // The format word scripts and files write.
    std::string_view word;
    // How menus and the status line name it.
    std::string_view name;
    // Offered for the source picture, read back into this format at every run.
    bool source;
    // Offered for the destination picture, a DIB section of this format.
    bool destination;

    // The bit count, compression and masks of the word.
    gdi::DibFormat format() const;
};

// 1, 4 and 8 bpp with the synthesized table, 16 bpp 5-5-5, 16 bpp 5-6-5 bit fields, 24 and
// 32 bpp, then RLE8 and RLE4 (source only), in menu order.
std::span<const FormatChoice> formatChoices();

// The choice with this word, or nothing.
const FormatChoice* findChoice(std::string_view word);

// The choice a format's bit count, compression and masks match, or nothing.
const FormatChoice* findChoice(const gdi::DibFormat& format);

// A choice's name, or for any other format one made the same way: "16 bpp bit fields
// f00:f0:f (BI_BITFIELDS)".
std::string formatName(const gdi::DibFormat& format);

}  // namespace dib
