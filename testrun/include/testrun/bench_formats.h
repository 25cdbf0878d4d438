#pragma once

#include <string>

#include "dib/format_word.h"
#include "dib/picture_readback.h"

namespace testrun {

// The DIB formats of the bench, as format words: the format the source is read back into and
// handed over in at every run, the destination picture's own format, and whether a palettized
// source hands its table over as palette indexes (DIB_PAL_COLORS). Both 32 bpp at start.
struct BenchFormats {
    std::string source = "32";
    std::string destination = "32";
    bool paletteIndexes = false;

    bool operator==(const BenchFormats&) const = default;
    // The bit count, compression and masks of each word.
    gdi::DibFormat sourceFormat() const { return formatOf(source, dib::FormatRole::Source); }
    gdi::DibFormat destinationFormat() const {
        return formatOf(destination, dib::FormatRole::Destination);
    }
    // Whether the bench is as it starts: today's 32-bpp texts and listings.
    bool bothThirtyTwo() const { return source == "32" && destination == "32"; }
    // Whether the table goes over as palette indexes: only a palettized source has one.
    bool handsOverIndexes() const { return paletteIndexes && sourceFormat().bitCount <= 8; }
    dib::TableUse tableUse() const {
        return handsOverIndexes() ? dib::TableUse::PaletteIndexes : dib::TableUse::Colours;
    }

private:
    static gdi::DibFormat formatOf(const std::string& word, dib::FormatRole role) {
        return dib::readFormatWord(word, role).format.value_or(gdi::DibFormat{});
    }
};

}  // namespace testrun
