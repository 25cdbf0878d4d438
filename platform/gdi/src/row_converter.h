#pragma once

#include "byte_index_lookup.h"
#include "colour_matcher.h"
#include "pixel_format.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

namespace gdi {

// How one call turns a source pixel into a destination pixel.
enum class Mapping : std::uint8_t {
    // Same format: the stored value unchanged.
    Copy,
    // Identical colour tables, indices stored another way (an RLE4 line onto 4 bpp): the index
    // unchanged.
    Repack,
    // Palettized source: a table from index to destination value, complete before the call.
    Lookup,
    // Palettized source onto a palettized destination, for few pixels: the matcher's map of the
    // source table, each entry matched on first use.
    LazyLookup,
    // Palettized source onto direct colour, for few pixels: the entry's colour stored as it is.
    TableColour,
    // Direct colour onto direct colour: through 8-bit channels.
    Recode,
    // Direct colour onto a palettized destination: the nearest entry to the exact colour, or onto
    // 8 bpp to the colour reduced to 5 bits a channel.
    Match,
    // 16-bit direct colour onto direct colour, for many pixels: each bit of the stored value is
    // a copy of one bit of the source pixel or 0, so it is the OR of one table entry per source
    // byte.
    ByteTables,
    // Direct colour onto a palettized destination, for many pixels: the matcher's entry for
    // every MatchKey, where the key has at most 16 bits.
    FieldMap,
    // A palettized source of 1 or 4 bits onto whole-byte pixels, for many pixels: the pixels of
    // each source byte from one table entry.
    Expand,
    // 8-bit indices onto 16-bit or 4-bit pixels, for many pixels: two pixels from one table
    // entry.
    PairLookup,
    // 16-bit direct colour onto a palettized destination, for very many pixels: the matcher's
    // entry for every stored value.
    ValueMap,
    // The 4-bit indices an RLE4 source is decoded to, one a byte, onto 4 or 8 bpp, for many
    // pixels: through a table of 16 entries, by byte shuffles.
    NibbleLookup,
    // 8-bit indices onto 16-bit pixels, for many pixels where the processor has AVX2: 32 at a
    // time through the lookup's bytes, by byte shuffles.
    ShuffleLookup,
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
    MatchKey key;
    const std::uint8_t* fieldMap = nullptr;
    const std::byte* expansion = nullptr;
    const std::uint32_t* pairs = nullptr;
    std::array<std::uint8_t, 16> nibbles{};
    const ShuffleTables* shuffleTables = nullptr;
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
    Mapping prepareMatching(const PixelFormat& from, const PixelFormat& to, std::size_t pixels);
    Mapping prepareWideLookup(const PixelFormat& from, const PixelFormat& to, std::size_t pixels);
    void prepareByteTables(const PixelFormat& from, const PixelFormat& to);

    Conversion m_conversion;
    RowFunction m_row;
    std::size_t m_copiedPixelBits = 0;
    std::optional<ColourMatcher> m_matcher;
    std::array<std::uint32_t, 256> m_lookup;
    std::array<std::uint32_t, 2 * 256> m_byteTables;
    // The entries of Expand or PairLookup.
    std::unique_ptr<std::uint32_t[]> m_wideLookup;
    std::unique_ptr<ShuffleTables> m_shuffleTables;
};

// The stored value of a colour (0x00RRGGBB) in a direct-colour format.
std::uint32_t encodeColour(const PixelFormat& format, std::uint32_t rgb);

}  // namespace gdi
