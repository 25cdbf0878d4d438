#include "row_converter.h"

#include "bit_copy.h"
#include "pixel_codecs.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace gdi {

namespace {

constexpr std::uint32_t unmatched = 0xFFFFFFFF;
constexpr std::size_t kindCount = std::tuple_size_v<codecs::All>;
constexpr std::size_t mappingCount = std::size_t(Mapping::ByteTables) + 1;
// Calls of fewer pixels work each one out: filling the tables would cost more than it saves.
constexpr std::size_t byteTablePixels = 64 * 256;
// Below this many pixels for each source table entry, entries are matched on first use.
constexpr std::size_t eagerLookupPixelsPerEntry = 16;

template <class To>
constexpr bool usesMatcher(Mapping mapping) {
    return mapping == Mapping::MatchReduced || mapping == Mapping::MatchExact ||
           mapping == Mapping::LazyLookup || (mapping == Mapping::ByteTables && To::indexed);
}

// What the direct mappings work out from a colour before matching: the stored value in a direct
// format, the 5-bit key for an 8-bpp table, the colour itself for smaller tables.
template <class To>
std::uint32_t matched(const ColourMatcher* matcher, std::uint32_t bits) {
    if constexpr (!To::indexed) {
        return bits;
    } else if constexpr (To::kind == PixelKind::Index8) {
        return matcher->reduced(bits);
    } else {
        return matcher->memoized(bits);
    }
}

template <class From, class To, Mapping mapping>
std::uint32_t mapPixel(const Conversion& c, const ColourMatcher* matcher, std::uint32_t value) {
    if constexpr (mapping == Mapping::Copy || mapping == Mapping::Repack) {
        return value;
    } else if constexpr (mapping == Mapping::Lookup) {
        return c.lookup[value];
    } else if constexpr (mapping == Mapping::LazyLookup) {
        std::uint32_t& entry = c.lookup[value];
        if (entry == unmatched) {
            entry = matcher->nearest(value < c.sourceColours.size() ? c.sourceColours[value] : 0);
        }
        return entry;
    } else if constexpr (mapping == Mapping::Recode) {
        if constexpr (requires { From::packed(value); } && To::kind == PixelKind::Rgb24) {
            return From::packed(value);
        } else {
            return To::fromRgb(c.to, From::toRgb(c.from, value));
        }
    } else if constexpr (mapping == Mapping::MatchReduced) {
        if constexpr (requires { From::fiveBitKey(c.from, value); }) {
            return matcher->reduced(From::fiveBitKey(c.from, value));
        } else {
            return matcher->reduced(From::toRgb(c.from, value).fiveBitKey());
        }
    } else if constexpr (mapping == Mapping::MatchExact) {
        return matcher->memoized(From::toRgb(c.from, value).packed());
    } else {
        const std::uint32_t* tables = c.byteTables;
        std::uint32_t bits = tables[value & 0xFF] | tables[256 + (value >> 8 & 0xFF)];
        if constexpr (From::colourBytes >= 3) {
            bits |= tables[512 + (value >> 16 & 0xFF)];
        }
        if constexpr (From::colourBytes == 4) {
            bits |= tables[768 + (value >> 24)];
        }
        return matched<To>(matcher, bits);
    }
}

// Onto 24 bpp from whole-byte pixels, two pixels are stored as eight bytes, the last two of which
// belong to the next pixel and are written again with it.
template <class From, Mapping mapping>
void convertOntoRgb24(const Conversion& c, const std::byte* source, std::size_t sourceX,
                      std::byte* destination, std::size_t destinationX, std::size_t count) {
    const std::byte* from = source + sourceX * From::bytesPerPixel;
    std::byte* to = destination + 3 * destinationX;
    const auto colourAt = [&](std::size_t i) {
        return mapPixel<From, codecs::Rgb24, mapping>(c, nullptr, From::load(from, i)) & 0xFFFFFF;
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

// Indices of one a byte onto 4 bpp, two pixels a byte.
void packOntoIndex4(const std::byte* source, std::size_t sourceX, std::byte* destination,
                    std::size_t destinationX, std::size_t count) {
    const auto index = [&](std::size_t i) {
        return std::to_integer<std::uint32_t>(source[sourceX + i]) & 0xF;
    };
    std::byte* to = destination + destinationX / 2;
    std::size_t i = 0;
    if (destinationX % 2 != 0 && count > 0) {
        *to = (*to & std::byte{0xF0}) | std::byte(index(0));
        ++to;
        i = 1;
    }
    for (; i + 1 < count; i += 2) {
        *to++ = std::byte(index(i) << 4 | index(i + 1));
    }
    if (i < count) {
        *to = (*to & std::byte{0x0F}) | std::byte(index(i) << 4);
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
        packOntoIndex4(source, sourceX, destination, destinationX, count);
    } else if constexpr (To::kind == PixelKind::Rgb24 && From::bytesPerPixel > 0) {
        const Conversion c = conversion;
        convertOntoRgb24<From, mapping>(c, source, sourceX, destination, destinationX, count);
    } else {
        const Conversion c = conversion;
        std::optional<ColourMatcher> matcher;
        if constexpr (usesMatcher<To>(mapping)) {
            matcher = *c.matcher;
        }
        typename From::Reader reader(source, sourceX);
        typename To::Writer writer(destination, destinationX, count);
        const ColourMatcher* match = matcher ? &*matcher : nullptr;
        reader.read(count, [&](std::uint32_t value) {
            writer.put(mapPixel<From, To, mapping>(c, match, value));
        });
        writer.finish();
    }
}

// Measured: tables pay where the pixel-by-pixel work is scalar and many shifts long: onto 24 bpp
// (three-byte stores) and onto 8 bpp (a lookup per pixel) unless the channels already lie where
// they are taken, and from 16-bit pixels whose masks are known only when drawing. Elsewhere the
// compiler turns the pixel-by-pixel loop into vector code that beats four table lookups.
template <class From, class To>
constexpr bool byteTablesPay() {
    if constexpr (From::indexed) {
        return false;
    } else if constexpr (To::kind == PixelKind::Rgb24) {
        return From::kind != PixelKind::Rgb24 && From::kind != PixelKind::Xrgb32 &&
               From::kind != PixelKind::Xbgr32;
    } else if constexpr (To::kind == PixelKind::Index8) {
        return From::kind != PixelKind::Rgb24 && From::kind != PixelKind::Xrgb32 &&
               From::kind != PixelKind::Rgb555;
    } else {
        return From::kind == PixelKind::Bits16 && !To::indexed;
    }
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
        case Mapping::Recode:
            return !From::indexed && !To::indexed;
        case Mapping::MatchReduced:
            return !From::indexed && To::kind == PixelKind::Index8;
        case Mapping::MatchExact:
            return !From::indexed && To::indexed && To::kind != PixelKind::Index8;
        case Mapping::ByteTables:
            return byteTablesPay<From, To>();
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
    const auto entry = [](std::span<const std::uint32_t> colours, std::size_t i) {
        return i < colours.size() ? colours[i] : 0;
    };
    const std::size_t entries = std::max(a.colours.size(), b.colours.size());
    for (std::size_t i = 0; i < entries; ++i) {
        if (entry(a.colours, i) != entry(b.colours, i)) {
            return false;
        }
    }
    return true;
}

bool sameDirectFormat(const PixelFormat& a, const PixelFormat& b) {
    return a.kind == b.kind && (a.kind == PixelKind::Rgb24 || a.masks == b.masks);
}

}  // namespace

std::uint32_t encodeColour(const PixelFormat& format, std::uint32_t rgb) {
    return format.hasChannelFields() ? ChannelFields::of(format.masks).fromRgb(Rgb::of(rgb)) : rgb;
}

RowConverter::RowConverter(const PixelFormat& from, const PixelFormat& to, std::size_t pixels) {
    Mapping mapping = Mapping::Recode;
    if (from.isPalettized()) {
        mapping = prepareIndexed(from, to, pixels);
    } else if (sameDirectFormat(from, to)) {
        mapping = Mapping::Copy;
        m_copiedPixelBits = from.bitCount;
    } else if (to.isPalettized()) {
        m_conversion.from = ChannelFields::of(from.masks);
        // Windows reduces direct colours to 5 bits a channel before matching them to an 8-bpp
        // table, but not to smaller tables.
        m_matcher.emplace(to.colours);
        m_conversion.matcher = &*m_matcher;
        mapping = to.bitCount == 8 ? Mapping::MatchReduced : Mapping::MatchExact;
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

void RowConverter::prepareByteTables(const PixelFormat& from, const PixelFormat& to) {
    const ChannelFields fromFields = ChannelFields::of(from.masks);
    const ChannelFields toFields = ChannelFields::of(to.masks);
    const auto bitsOf = [&](std::uint32_t pixel) {
        const Rgb rgb = fromFields.toRgb(pixel);
        if (!to.isPalettized()) {
            return to.hasChannelFields() ? toFields.fromRgb(rgb) : rgb.packed();
        }
        return to.bitCount == 8 ? rgb.fiveBitKey() : rgb.packed();
    };
    for (std::size_t byte = 0; byte < from.bitCount / 8u; ++byte) {
        for (std::uint32_t value = 0; value < 256; ++value) {
            m_byteTables[256 * byte + value] = bitsOf(value << (8 * byte));
        }
    }
    m_conversion.byteTables = m_byteTables.data();
}

// Source indices go through a table: the identity when both tables agree, each entry's exact
// nearest colour onto another table, or the entry's colour in a direct format.
Mapping RowConverter::prepareIndexed(const PixelFormat& from, const PixelFormat& to,
                                     std::size_t pixels) {
    const std::size_t entries = std::size_t(1) << from.bitCount;
    m_conversion.lookup = m_lookup.data();
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
        if (pixels < eagerLookupPixelsPerEntry * entries) {
            std::fill_n(m_lookup.begin(), entries, unmatched);
            return Mapping::LazyLookup;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            m_lookup[i] = m_matcher->nearest(i < from.colours.size() ? from.colours[i] : 0);
        }
        return Mapping::Lookup;
    }
    const bool fields = to.hasChannelFields();
    const ChannelFields toFields = ChannelFields::of(to.masks);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint32_t rgb = i < from.colours.size() ? from.colours[i] : 0;
        m_lookup[i] = fields ? toFields.fromRgb(Rgb::of(rgb)) : rgb;
    }
    return Mapping::Lookup;
}

}  // namespace gdi
