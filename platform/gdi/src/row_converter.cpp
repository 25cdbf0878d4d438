#include "row_converter.h"

#include "bit_copy.h"
#include "bulk_rows.h"
#include "pixel_codecs.h"
#include "processor.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace gdi {

namespace {

constexpr std::uint32_t unmatched = ColourMatcher::unmatchedIndex;
constexpr std::size_t kindCount = std::tuple_size_v<codecs::All>;
constexpr std::size_t mappingCount = std::size_t(Mapping::ShuffleLookup) + 1;
// Calls of fewer pixels work each one out: filling the tables would cost more than it saves.
constexpr std::size_t byteTablePixels = 64 * 256;
// Below this many pixels for each source table entry, entries are matched on first use.
constexpr std::size_t eagerLookupPixelsPerEntry = 16;
// From this many pixels for each key on, every MatchKey is matched at once (unless kept).
constexpr std::size_t fieldMapPixelsPerKey = 1;
constexpr std::size_t fieldMapPixels = std::size_t(1) << 12;
// From these many pixels on, tables of whole destination bytes pay for themselves.
constexpr std::size_t expandPixels = std::size_t(1) << 12;
constexpr std::size_t pairLookupPixels = std::size_t(1) << 18;
constexpr std::size_t shuffleLookupPixels = std::size_t(1) << 12;
// Shorter rows between 24 bpp and 32 go pixel by pixel instead of through a piece of colours:
// reading colours back just after storing them in another width stalls the processor longer
// than such a row takes. Decoding 16-bit pixels or 32-bit fields one by one costs more.
constexpr std::size_t piecewisePixels = 64;
// From this many pixels on, a 16-bit source's every stored value is matched at once.
constexpr std::size_t valueMapPixels = std::size_t(1) << 18;

template <class From, class To, Mapping mapping>
std::uint32_t mapPixel(const Conversion& c, std::uint32_t value) {
    if constexpr (mapping == Mapping::Copy || mapping == Mapping::Repack) {
        return value;
    } else if constexpr (mapping == Mapping::Lookup) {
        return c.lookup[value];
    } else if constexpr (mapping == Mapping::LazyLookup) {
        std::uint32_t& entry = c.lookup[value];
        if (entry == unmatched) {
            entry = c.matcher->nearest(value < c.sourceColours.size() ? c.sourceColours[value] : 0);
        }
        return entry;
    } else if constexpr (mapping == Mapping::TableColour) {
        const std::uint32_t rgb = value < c.sourceColours.size() ? c.sourceColours[value] : 0;
        return To::fromRgb(c.to, Rgb::of(rgb));
    } else if constexpr (mapping == Mapping::Recode) {
        return To::fromRgb(c.to, From::toRgb(c.from, value));
    } else {
        static_assert(From::colourBytes == 2);
        const std::uint32_t* tables = c.byteTables;
        return tables[value & 0xFF] | tables[256 + (value >> 8)];
    }
}

// Onto 24 bpp from 8-bit indices, two pixels are stored as eight bytes, the last two of which
// belong to the next pixel and are written again with it.
template <class From, Mapping mapping>
void convertOntoRgb24(const Conversion& c, const std::byte* source, std::size_t sourceX,
                      std::byte* destination, std::size_t destinationX, std::size_t count) {
    const std::byte* from = source + sourceX * From::bytesPerPixel;
    std::byte* to = destination + 3 * destinationX;
    const auto colourAt = [&](std::size_t i) {
        return mapPixel<From, codecs::Rgb24, mapping>(c, From::load(from, i)) & 0xFFFFFF;
    };
    std::size_t i = 0;
    for (; i + 2 < count; i += 2) {
        const std::uint64_t pair = colourAt(i) | std::uint64_t(colourAt(i + 1)) << 24;
        std::memcpy(to + 3 * i, &pair, sizeof pair);
    }
    for (; i < count; ++i) {
        codecs::Rgb24::store(to, i, colourAt(i));
    }
}

// Pixel by pixel, each one mapped as it comes.
template <class From, class To, Mapping mapping>
void convertEach(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                 std::byte* destination, std::size_t destinationX, std::size_t count) {
    const Conversion c = conversion;
    if constexpr (To::kind == PixelKind::Rgb24 && From::bytesPerPixel > 0) {
        convertOntoRgb24<From, mapping>(c, source, sourceX, destination, destinationX, count);
    } else {
        typename From::Reader reader(source, sourceX);
        typename To::Writer writer(destination, destinationX, count);
        reader.read(
            count, [&](std::uint32_t value) { writer.put(mapPixel<From, To, mapping>(c, value)); });
        writer.finish();
    }
}

template <class From, class To, Mapping mapping>
void convertRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                std::byte* destination, std::size_t destinationX, std::size_t count) {
    if constexpr (mapping == Mapping::Copy && From::bytesPerPixel > 0) {
        // memmove: a caller may hand a section its own pixels.
        std::memmove(destination + destinationX * To::bytesPerPixel,
                     source + sourceX * From::bytesPerPixel, count * From::bytesPerPixel);
    } else if constexpr (mapping == Mapping::Copy) {
        copyBits(source, sourceX * From::bitsPerPixel, destination,
                 destinationX * From::bitsPerPixel, count * From::bitsPerPixel);
    } else if constexpr (mapping == Mapping::Repack && From::kind == PixelKind::Index8 &&
                         To::kind == PixelKind::Index4) {
        packIndices<4>(reinterpret_cast<const std::uint8_t*>(source) + sourceX, count, destination,
                       destinationX);
    } else if constexpr (mapping == Mapping::Lookup && From::kind == PixelKind::Index8 &&
                         To::indexed && To::bytesPerPixel == 0) {
        bulk::lookupIndexRow<To>(conversion, source, sourceX, destination, destinationX, count);
    } else if constexpr (mapping == Mapping::Lookup && From::kind == PixelKind::Index8 &&
                         To::bytesPerPixel > 0 && To::kind != PixelKind::Rgb24) {
        bulk::lookupRow<To>(conversion, source, sourceX, destination, destinationX, count);
    } else if constexpr (mapping == Mapping::Recode && From::kind == PixelKind::Rgb24) {
        if (count < piecewisePixels) {
            convertEach<From, To, mapping>(conversion, source, sourceX, destination, destinationX,
                                           count);
        } else {
            bulk::recodeRgb24Row<To>(conversion, source, sourceX, destination, destinationX,
                                     count);
        }
    } else if constexpr (mapping == Mapping::Match) {
        bulk::matchRow<From, To, false>(conversion, source, sourceX, destination, destinationX,
                                        count);
    } else if constexpr (mapping == Mapping::FieldMap) {
        bulk::matchRow<From, To, true>(conversion, source, sourceX, destination, destinationX,
                                       count);
    } else if constexpr (mapping == Mapping::Expand) {
        bulk::expandRow<From, To>(conversion, source, sourceX, destination, destinationX, count);
    } else if constexpr (mapping == Mapping::PairLookup) {
        bulk::pairRow<To>(conversion, source, sourceX, destination, destinationX, count);
    } else if constexpr (mapping == Mapping::ValueMap) {
        bulk::valueMapRow<From, To>(conversion, source, sourceX, destination, destinationX, count);
    } else if constexpr (mapping == Mapping::NibbleLookup) {
        bulk::nibbleLookupRow<To>(conversion, source, sourceX, destination, destinationX, count);
    } else if constexpr (mapping == Mapping::ShuffleLookup) {
        bulk::shuffleLookupRow<To>(conversion, source, sourceX, destination, destinationX, count);
    } else if constexpr (mapping == Mapping::Recode && To::kind == PixelKind::Rgb24) {
        constexpr bool fixed32 = From::kind == PixelKind::Xrgb32 || From::kind == PixelKind::Xbgr32;
        if (fixed32 && count < piecewisePixels) {
            convertEach<From, To, mapping>(conversion, source, sourceX, destination, destinationX,
                                           count);
        } else {
            bulk::recodeOntoRgb24Row<From>(conversion, source, sourceX, destination,
                                           destinationX, count);
        }
    } else {
        convertEach<From, To, mapping>(conversion, source, sourceX, destination, destinationX,
                                       count);
    }
}

// Measured: tables pay where the pixel-by-pixel work is scalar and many shifts long, from 16-bit
// pixels whose masks are known only when drawing onto other direct formats but 24 bpp. Elsewhere
// the compiler turns the pixel-by-pixel loop into vector code that beats table lookups, and
// onto 24 bpp the colours are packed by byte shuffles.
template <class From, class To>
constexpr bool byteTablesPay() {
    return From::kind == PixelKind::Bits16 && !To::indexed && To::kind != PixelKind::Rgb24;
}

template <class From, class To, Mapping mapping>
constexpr bool supported() {
    switch (mapping) {
        case Mapping::Copy:
            return std::is_same_v<From, To>;
        case Mapping::Repack:
            return From::indexed && To::indexed && !std::is_same_v<From, To>;
        case Mapping::Lookup:
            return From::indexed;
        case Mapping::LazyLookup:
            return From::indexed && To::indexed;
        case Mapping::TableColour:
            return From::indexed && !To::indexed;
        case Mapping::Recode:
            return !From::indexed && !To::indexed;
        case Mapping::Match:
            return !From::indexed && To::indexed;
        case Mapping::ByteTables:
            return byteTablesPay<From, To>();
        case Mapping::FieldMap:
            return !From::indexed && To::indexed;
        case Mapping::Expand:
            return From::indexed && From::bytesPerPixel == 0 && To::bytesPerPixel > 0;
        case Mapping::PairLookup:
            return From::kind == PixelKind::Index8 &&
                   (To::bytesPerPixel == 2 || To::kind == PixelKind::Index4);
        case Mapping::ValueMap:
            return !From::indexed && From::bytesPerPixel == 2 && To::indexed;
        case Mapping::NibbleLookup:
            return From::kind == PixelKind::Index8 &&
                   (To::kind == PixelKind::Index4 || To::kind == PixelKind::Index8);
        case Mapping::ShuffleLookup:
            return From::kind == PixelKind::Index8 && To::bytesPerPixel == 2;
    }
    return false;
}

template <std::size_t entry>
constexpr RowFunction rowFunction() {
    using From = std::tuple_element_t<entry / (kindCount * mappingCount), codecs::All>;
    using To = std::tuple_element_t<entry / mappingCount % kindCount, codecs::All>;
    constexpr auto mapping = Mapping(entry % mappingCount);
    if constexpr (supported<From, To, mapping>()) {
        return &convertRow<From, To, mapping>;
    } else {
        return nullptr;
    }
}

template <std::size_t... entries>
constexpr auto makeRowFunctions(std::index_sequence<entries...>) {
    return std::array<RowFunction, sizeof...(entries)>{rowFunction<entries>()...};
}

// Every supported (source kind, destination kind, mapping), indexed in that order.
constexpr auto rowFunctions =
    makeRowFunctions(std::make_index_sequence<kindCount * kindCount * mappingCount>{});

template <std::size_t... kinds>
constexpr bool kindsInOrder(std::index_sequence<kinds...>) {
    return ((std::tuple_element_t<kinds, codecs::All>::kind == PixelKind(kinds)) && ...);
}
static_assert(kindsInOrder(std::make_index_sequence<kindCount>{}));

RowFunction findRowFunction(PixelKind from, PixelKind to, Mapping mapping) {
    return rowFunctions[(std::size_t(from) * kindCount + std::size_t(to)) * mappingCount +
                        std::size_t(mapping)];
}

// Tables are compared over all 2^bitCount entries, those a table lacks being black, as they
// are drawn.
bool sameTable(const PixelFormat& a, const PixelFormat& b) {
    if (a.bitCount != b.bitCount) {
        return false;
    }
    const bool aShorter = a.colours.size() < b.colours.size();
    const std::span<const std::uint32_t> shorter = aShorter ? a.colours : b.colours;
    const std::span<const std::uint32_t> longer = aShorter ? b.colours : a.colours;
    return std::equal(shorter.begin(), shorter.end(), longer.begin()) &&
           std::all_of(longer.begin() + std::ptrdiff_t(shorter.size()), longer.end(),
                       [](std::uint32_t colour) { return colour == 0; });
}

}  // namespace

std::uint32_t encodeColour(const PixelFormat& format, std::uint32_t rgb) {
    return format.hasChannelFields() ? ChannelFields::of(format.masks).fromRgb(Rgb::of(rgb)) : rgb;
}

RowConverter::RowConverter(const PixelFormat& from, const PixelFormat& to, std::size_t pixels) {
    Mapping mapping = Mapping::Recode;
    if (from.isPalettized()) {
        mapping = prepareIndexed(from, to, pixels);
        if (mapping == Mapping::Lookup) {
            mapping = prepareWideLookup(from, to, pixels);
        }
    } else if (sameDirectFormat(from, to)) {
        mapping = Mapping::Copy;
        m_copiedPixelBits = from.bitCount;
    } else if (to.isPalettized()) {
        mapping = prepareMatching(from, to, pixels);
    } else {
        m_conversion.from = ChannelFields::of(from.masks);
        m_conversion.to = ChannelFields::of(to.masks);
    }
    const RowFunction tables = findRowFunction(from.kind, to.kind, Mapping::ByteTables);
    if (tables && mapping != Mapping::Copy && pixels >= byteTablePixels) {
        prepareByteTables(from, to);
        m_row = tables;
        return;
    }
    m_row = findRowFunction(from.kind, to.kind, mapping);
}

// Tables of whole destination bytes, filled from the lookup: every source byte's pixels (1 and
// 4 bits) or every pair of indices (8 bits onto 16 without AVX2, or onto 4; not the lines an
// RLE4 source is decoded to, one 4-bit index a byte, whose 16 entries are looked up by byte
// shuffles onto 4 and 8 bpp). With AVX2, 8-bit indices onto 16 bits go by byte shuffles too.
Mapping RowConverter::prepareWideLookup(const PixelFormat& from, const PixelFormat& to,
                                        std::size_t pixels) {
    const std::uint32_t* lookup = m_conversion.lookup;
    if (from.kind == PixelKind::Index8 && from.bitCount == 4 &&
        (to.kind == PixelKind::Index4 || to.kind == PixelKind::Index8)) {
        std::copy_n(lookup, m_conversion.nibbles.size(), m_conversion.nibbles.begin());
        return Mapping::NibbleLookup;
    }
    const std::size_t toBytes = to.bitCount / 8u;
    if (from.kind != PixelKind::Index8 && toBytes > 0 && pixels >= expandPixels) {
        const std::size_t perByte = 8u / from.bitCount;
        const std::uint32_t indexMask = (1u << from.bitCount) - 1;
        m_wideLookup = std::make_unique_for_overwrite<std::uint32_t[]>(
            256 * perByte * toBytes / sizeof(std::uint32_t) + 1);
        auto* entry = reinterpret_cast<std::byte*>(m_wideLookup.get());
        for (std::uint32_t byte = 0; byte < 256; ++byte) {
            for (std::size_t k = 0; k < perByte; ++k, entry += toBytes) {
                const std::uint32_t value =
                    lookup[byte >> (8 - from.bitCount * (k + 1)) & indexMask];
                std::memcpy(entry, &value, toBytes);
            }
        }
        m_conversion.expansion = reinterpret_cast<const std::byte*>(m_wideLookup.get());
        return Mapping::Expand;
    }
    if (from.kind == PixelKind::Index8 && from.bitCount == 8 && toBytes == 2 && hasAvx2() &&
        pixels >= shuffleLookupPixels) {
        m_shuffleTables = std::make_unique<ShuffleTables>(ShuffleTables::of(lookup));
        m_conversion.shuffleTables = m_shuffleTables.get();
        return Mapping::ShuffleLookup;
    }
    const bool pairsPay = toBytes == 2 || to.kind == PixelKind::Index4;
    if (from.kind == PixelKind::Index8 && from.bitCount == 8 && pairsPay &&
        pixels >= pairLookupPixels) {
        // Onto 4 bpp the first pixel of a pair takes the high nibble of their byte.
        const auto pairOf = [&](std::uint32_t first, std::uint32_t second) {
            return toBytes == 2 ? lookup[first] | lookup[second] << 16
                                : lookup[first] << 4 | lookup[second];
        };
        m_wideLookup = std::make_unique_for_overwrite<std::uint32_t[]>(std::size_t(1) << 16);
        for (std::uint32_t second = 0; second < 256; ++second) {
            std::uint32_t* pairs = m_wideLookup.get() + 256 * second;
            for (std::uint32_t first = 0; first < 256; ++first) {
                pairs[first] = pairOf(first, second);
            }
        }
        m_conversion.pairs = m_wideLookup.get();
        return Mapping::PairLookup;
    }
    return Mapping::Lookup;
}

// Windows reduces direct colours to 5 bits a channel before matching them to an 8-bpp table, but
// not to smaller tables.
Mapping RowConverter::prepareMatching(const PixelFormat& from, const PixelFormat& to,
                                      std::size_t pixels) {
    m_conversion.from = ChannelFields::of(from.masks);
    m_matcher.emplace(to.colours);
    m_conversion.matcher = &*m_matcher;
    const bool reduce = to.bitCount == 8;
    if (from.bitCount == 16 && pixels >= valueMapPixels) {
        m_conversion.fieldMap = m_matcher->fieldMap(from.masks, MatchKey::wholeValue(16), reduce);
        return Mapping::ValueMap;
    }
    m_conversion.key = MatchKey::of(from.masks, reduce);
    const std::size_t keys = std::size_t(1) << m_conversion.key.bits;
    if (m_conversion.key.bits <= ColourMatcher::maxFieldMapBits &&
        pixels >= std::max(fieldMapPixels, fieldMapPixelsPerKey * keys)) {
        m_conversion.fieldMap = m_matcher->fieldMap(from.masks, m_conversion.key, reduce);
        return Mapping::FieldMap;
    }
    return Mapping::Match;
}

void RowConverter::prepareByteTables(const PixelFormat& from, const PixelFormat& to) {
    const ChannelFields fromFields = ChannelFields::of(from.masks);
    const ChannelFields toFields = ChannelFields::of(to.masks);
    const auto bitsOf = [&](std::uint32_t pixel) {
        const Rgb rgb = fromFields.toRgb(pixel);
        return to.hasChannelFields() ? toFields.fromRgb(rgb) : rgb.packed();
    };
    for (std::size_t byte = 0; byte < 2; ++byte) {
        for (std::uint32_t value = 0; value < 256; ++value) {
            m_byteTables[256 * byte + value] = bitsOf(value << (8 * byte));
        }
    }
    m_conversion.byteTables = m_byteTables.data();
}

// Source indices go through a table: the identity when both tables agree, each entry's exact
// nearest colour onto another table, or the entry's colour in a direct format. Few pixels work
// entries out as they come.
Mapping RowConverter::prepareIndexed(const PixelFormat& from, const PixelFormat& to,
                                     std::size_t pixels) {
    const std::size_t entries = std::size_t(1) << from.bitCount;
    const bool eager = pixels >= eagerLookupPixelsPerEntry * entries;
    const auto colourOf = [&](std::size_t i) {
        return i < from.colours.size() ? from.colours[i] : 0;
    };
    m_conversion.sourceColours = from.colours;
    if (to.isPalettized() && sameTable(from, to)) {
        if (from.kind == to.kind) {
            m_copiedPixelBits = from.bitCount;
            return Mapping::Copy;
        }
        return Mapping::Repack;
    }
    if (to.isPalettized()) {
        m_matcher.emplace(to.colours);
        m_conversion.matcher = &*m_matcher;
        m_conversion.lookup = m_matcher->indexMap(from.colours);
        if (!eager) {
            return Mapping::LazyLookup;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            std::uint32_t& entry = m_conversion.lookup[i];
            entry = entry == unmatched ? m_matcher->nearest(colourOf(i)) : entry;
        }
        return Mapping::Lookup;
    }
    m_conversion.to = ChannelFields::of(to.masks);
    if (!eager) {
        return Mapping::TableColour;
    }
    m_conversion.lookup = m_lookup.data();
    for (std::size_t i = 0; i < entries; ++i) {
        m_lookup[i] = encodeColour(to, colourOf(i));
    }
    return Mapping::Lookup;
}

}  // namespace gdi
