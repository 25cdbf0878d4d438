#pragma once

// How GDI turns channel fields, colour tables and palette indices into colours, restated plainly
// for the fuzz targets to hold the emulated layer against.

#include <cstdint>
#include <span>

namespace fuzzcheck {

using Rgb = std::uint32_t;  // 0x00RRGGBB

// Entry `index` mod 20 of the default palette, the one a memory DC holds.
Rgb defaultPaletteEntry(std::uint32_t index);

// A channel's place in a pixel: the lowest run of set bits of its mask.
struct ChannelField {
    int shift = 0;
    int length = 0;
};

ChannelField fieldOf(std::uint32_t mask);

// The 8-bit channel a pixel's field holds: longer fields keep their top 8 bits, shorter ones
// are put at the top of the byte and followed by one shifted copy of themselves.
std::uint32_t channelOf(std::uint32_t pixel, ChannelField field);

// An 8-bit channel truncated into a field, in place.
std::uint64_t fieldBits(std::uint32_t channel, ChannelField field);

// What an 8-bpp destination compares for a direct-colour pixel: each channel's low three bits
// replaced by 100b.
Rgb reducedToFiveBits(Rgb colour);

// The index of the nearest colour by squared RGB distance, the lowest index on ties.
std::uint32_t nearestIndex(std::span<const Rgb> table, Rgb colour);

}  // namespace fuzzcheck
