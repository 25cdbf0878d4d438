#include "row_converter.h"

#include "pixel_codecs.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace gdi {

namespace {

constexpr std::uint32_t unmatched = 0xFFFFFFFF;
constexpr std::size_t kindCount = std::tuple_size_v<codecs::All>;
constexpr std::size_t mappingCount = std::size_t(Mapping::MatchExact) + 1;

constexpr bool usesMatcher(Mapping mapping) {
    return mapping == Mapping::MatchReduced || mapping == Mapping::MatchExact ||
           mapping == Mapping::LazyLookup;
}

template <class From, class To, Mapping mapping>
std::uint32_t mapPixel(const Conversion& c, const ColorMatcher* matcher, std::uint32_t value) {
    if constexpr (mapping == Mapping::Copy) {
        return value;
    } else if constexpr (mapping == Mapping::Lookup) {
        return c.lookup[value];
    } else if constexpr (mapping == Mapping::LazyLookup) {
        std::uint32_t& entry = c.lookup[value];
        if (entry == unmatched) {
            entry = matcher->nearest(value < c.sourceColors.size() ? c.sourceColors[value] : 0);
        }
        return entry;
    } else if constexpr (mapping == Mapping::Recode) {
        return To::fromRgb(c.to, From::toRgb(c.from, value));
    } else if constexpr (mapping == Mapping::MatchReduced) {
        if constexpr (requires { From::fiveBitKey(c.from, value); }) {
            return matcher->reduced(From::fiveBitKey(c.from, value));
        } else {
            return matcher->reduced(From::toRgb(c.from, value).fiveBitKey());
        }
    } else {
        return matcher->memoized(From::toRgb(c.from, value).packed());
    }
}

template <class From, class To, Mapping mapping>
void convertRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                std::byte* destination, std::size_t destinationX, std::size_t count) {
    if constexpr (mapping == Mapping::Copy && From::bytesPerPixel > 0) {
        // memmove: a caller may hand a section its own pixels.
        std::memmove(destination + destinationX * To::bytesPerPixel,
                     source + sourceX * From::bytesPerPixel, count * From::bytesPerPixel);
    } else {
        const Conversion c = conversion;
        std::optional<ColorMatcher> matcher;
        if constexpr (usesMatcher(mapping)) {
            matcher = *c.matcher;
        }
        typename From::Reader reader(source, sourceX);
        typename To::Writer writer(destination, destinationX);
        const ColorMatcher* match = matcher ? &*matcher : nullptr;
        reader.read(count, [&](std::uint32_t value) {
            writer.put(mapPixel<From, To, mapping>(c, match, value));
        });
        writer.finish();
    }
}

template <class From, class To, Mapping mapping>
constexpr bool supported() {
    switch (mapping) {
        case Mapping::Copy:
            return std::is_same_v<From, To>;
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

bool sameTable(const PixelFormat& a, const PixelFormat& b) {
    return a.bitCount == b.bitCount && std::ranges::equal(a.colors, b.colors);
}

bool sameDirectFormat(const PixelFormat& a, const PixelFormat& b) {
    return a.kind == b.kind && (a.kind == PixelKind::Rgb24 || a.masks == b.masks);
}

}  // namespace

std::uint32_t encodeColor(const PixelFormat& format, std::uint32_t rgb) {
    return format.hasChannelFields() ? ChannelFields::of(format.masks).fromRgb(Rgb::of(rgb)) : rgb;
}

RowConverter::RowConverter(const PixelFormat& from, const PixelFormat& to, std::size_t pixels) {
    Mapping mapping = Mapping::Recode;
    if (from.isPalettized()) {
        mapping = prepareIndexed(from, to, pixels);
    } else if (sameDirectFormat(from, to)) {
        mapping = Mapping::Copy;
        m_copiedPixelBytes = from.bitCount / 8;
    } else if (to.isPalettized()) {
        m_conversion.from = ChannelFields::of(from.masks);
        // Windows reduces direct colours to 5 bits a channel before matching them to an 8-bpp
        // table, but not to smaller tables.
        m_matcher.emplace(to.colors);
        m_conversion.matcher = &*m_matcher;
        mapping = to.bitCount == 8 ? Mapping::MatchReduced : Mapping::MatchExact;
    } else {
        m_conversion.from = ChannelFields::of(from.masks);
        m_conversion.to = ChannelFields::of(to.masks);
    }
    m_row = findRowFunction(from.kind, to.kind, mapping);
}

// Source indices go through a table: the identity when both tables agree, each entry's exact
// nearest colour onto another table, or the entry's colour in a direct format.
Mapping RowConverter::prepareIndexed(const PixelFormat& from, const PixelFormat& to,
                                     std::size_t pixels) {
    const std::size_t entries = std::size_t(1) << from.bitCount;
    m_conversion.lookup = m_lookup.data();
    m_conversion.sourceColors = from.colors;
    if (to.isPalettized() && sameTable(from, to)) {
        if (from.kind == to.kind) {
            m_copiedPixelBytes = from.kind == PixelKind::Index8 ? 1 : 0;
            return Mapping::Copy;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            m_lookup[i] = std::uint32_t(i);
        }
        return Mapping::Lookup;
    }
    if (to.isPalettized()) {
        m_matcher.emplace(to.colors);
        m_conversion.matcher = &*m_matcher;
        if (pixels < 16 * entries) {
            std::fill_n(m_lookup.begin(), entries, unmatched);
            return Mapping::LazyLookup;
        }
        for (std::size_t i = 0; i < entries; ++i) {
            m_lookup[i] = m_matcher->nearest(i < from.colors.size() ? from.colors[i] : 0);
        }
        return Mapping::Lookup;
    }
    const bool fields = to.hasChannelFields();
    const ChannelFields toFields = ChannelFields::of(to.masks);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint32_t rgb = i < from.colors.size() ? from.colors[i] : 0;
        m_lookup[i] = fields ? toFields.fromRgb(Rgb::of(rgb)) : rgb;
    }
    return Mapping::Lookup;
}

}  // namespace gdi
