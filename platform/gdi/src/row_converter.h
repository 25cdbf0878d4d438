#pragma once

#include "colour_matcher.h"
#include "pixel_format.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

namespace gdi {

// How one call turns a source pixel into a destination pixel.
enum class Mapping : std::uint8_t {
    // Same format: the stored value unchanged.
    Copy,
    // Identical colour tables, indices stored another way (an RLE4 line onto 4 bpp): the index
    // unchanged.
    Repack,
    // Palettized source: a table from index to destination value, filled before the call.
    Lookup,
    // Palettized source onto a palettized destination: the same table, each entry matched on
    // first use.
    LazyLookup,
    // Direct colour onto direct colour: through 8-bit channels.
    Recode,
    // Direct colour onto an 8-bpp destination: nearest to the colour reduced to 5 bits.
    MatchReduced,
    // Direct colour onto a 4- or 1-bpp destination: nearest to the exact colour.
    MatchExact,
    // Direct colour onto anything, for many pixels: each bit of what the three mappings above
    // work out before matching (the stored value, the 5-bit key, the colour) is a copy of one bit
    // of the source pixel or 0, so it is the OR of one table entry per source byte.
    ByteTables,
};

// What the row loops read; owned by the RowConverter that points into it. The loops copy it
// first, since stores of bytes may alias anything the compiler would otherwise keep in
// registers.
struct Conversion {
    ChannelFields from;
    ChannelFields to;
    std::uint32_t* lookup = nullptr;
    // 256 entries per source byte, lowest byte first.
    const std::uint32_t* byteTables = nullptr;
    std::span<const std::uint32_t> sourceColours;
    ColourMatcher* matcher = nullptr;
};

using RowFunction = void (*)(const Conversion&, const std::byte* sourceRow, std::size_t sourceX,
                             std::byte* destinationRow, std::size_t destinationX,
                             std::size_t count);

// Converts whole row segments from one pixel format to another, exactly as GDI does for
// SetDIBitsToDevice, BitBlt and GetDIBits alike. The per-call tables are prepared once here.
class RowConverter {
public:
    // `pixels` bounds how many pixels the call converts: large calls match every entry of a
    // colour table at once instead of on first use.
    RowConverter(const PixelFormat& from, const PixelFormat& to, std::size_t pixels);
    RowConverter(const RowConverter&) = delete;
    RowConverter& operator=(const RowConverter&) = delete;

    void convert(const std::byte* sourceRow, std::size_t sourceX, std::byte* destinationRow,
                 std::size_t destinationX, std::size_t count) const {
        m_row(m_conversion, sourceRow, sourceX, destinationRow, destinationX, count);
    }

    // Bits a pixel takes when the conversion copies stored values unchanged, else 0: callers
    // copy whole rows, or many short ones, themselves.
    std::size_t copiedPixelBits() const { return m_copiedPixelBits; }

private:
    Mapping prepareIndexed(const PixelFormat& from, const PixelFormat& to, std::size_t pixels);
    void prepareByteTables(const PixelFormat& from, const PixelFormat& to);

    Conversion m_conversion;
    RowFunction m_row;
    std::size_t m_copiedPixelBits = 0;
    std::optional<ColourMatcher> m_matcher;
    std::array<std::uint32_t, 256> m_lookup;
    std::array<std::uint32_t, 4 * 256> m_byteTables;
};

// The stored value of a colour (0x00RRGGBB) in a direct-colour format.
std::uint32_t encodeColour(const PixelFormat& format, std::uint32_t rgb);

}  // namespace gdi
