#pragma once

#include "index_packing.h"
#include "nibble_lookup.h"
#include "pixel_codecs.h"
#include "processor.h"
#include "rgb24_pack.h"
#include "rgb24_unpack.h"
#include "row_converter.h"
#include "small_key_lookup.h"

#include <algorithm>
#include <cstring>

// Row loops for large calls that take many pixels a step: through tables of whole destination
// bytes, or in pieces of a row.
namespace gdi::bulk {

// What a direct pixel is matched by: its colour, or onto 8 bpp its 5-bit key.
template <class From, class To>
std::uint32_t matchedValue(const Conversion& c, std::uint32_t value) {
    if constexpr (To::kind != PixelKind::Index8) {
        return From::toRgb(c.from, value).packed();
    } else if constexpr (requires { From::fiveBitKey(c.from, value); }) {
        return From::fiveBitKey(c.from, value);
    } else {
        return From::toRgb(c.from, value).fiveBitKey();
    }
}

// What a direct pixel's stored value is matched by: its colour, its 5-bit key onto 8 bpp, or
// `mapped` its MatchKey.
template <class From, class To, bool mapped>
[[gnu::always_inline]] inline std::uint32_t matchedOf(const Conversion& c, std::uint32_t value) {
    return mapped ? c.key.pack(value) : matchedValue<From, To>(c, value);
}

// The values of `n` pixels from pixel `first`: a loop the compiler makes vector code of, in
// AVX2 where the processor has it (always inlined, so that the AVX2 caller compiles it for
// AVX2). 24-bit pixels are taken apart by byte shuffles first; their colour is their value.
template <class From, class To, bool mapped>
[[gnu::always_inline]] inline void readMatched(const Conversion& c, const std::byte* from,
                                               std::size_t first, std::size_t n,
                                               std::uint32_t* values) {
    if constexpr (From::kind == PixelKind::Rgb24) {
        unpackRgb24(from + 3 * first, n, values);
        if constexpr (mapped || To::kind == PixelKind::Index8) {
            for (std::size_t i = 0; i < n; ++i) {
                values[i] = matchedOf<From, To, mapped>(c, values[i]);
            }
        }
    } else {
        for (std::size_t i = 0; i < n; ++i) {
            values[i] = matchedOf<From, To, mapped>(c, From::load(from, first + i));
        }
    }
}

template <class From, class To, bool mapped>
__attribute__((target("avx2"))) void readMatchedAvx2(const Conversion& c, const std::byte* from,
                                                     std::size_t first, std::size_t n,
                                                     std::uint32_t* values) {
    readMatched<From, To, mapped>(c, from, first, n, values);
}

// Direct colour onto a palettized destination, a piece of the row at a time: every value to
// match, every index, then the indices packed (onto 8 bpp stored as they come); `mapped`,
// through the field map, which for 32-bit pixels with keys of at most 8 bits onto 8 bpp is
// looked up in vector code as well.
template <class From, class To, bool mapped>
void matchRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
              std::byte* destination, std::size_t destinationX, std::size_t count) {
    constexpr std::size_t piece = 256;
    constexpr bool eightBits = To::kind == PixelKind::Index8;
    const Conversion c = conversion;
    const ColourMatcher matcher = *c.matcher;
    const std::byte* from = source + sourceX * From::bytesPerPixel;
    const auto index = [&](std::uint32_t value) {
        return std::uint8_t(mapped ? c.fieldMap[value] : matcher.reduced(value));
    };
    const bool avx2 = hasAvx2();
    std::size_t first = 0;
    if constexpr (eightBits && mapped && From::bytesPerPixel == 4) {
        if (c.key.bits <= 8) {
            const std::span<const std::uint8_t> map(c.fieldMap, std::size_t(1) << c.key.bits);
            first = lookUpSmallKeys32(c.key, map, from, count, destination + destinationX);
        }
    }
    std::uint32_t values[piece];
    std::uint8_t indices[piece];
    for (std::size_t done = first; done < count; done += piece) {
        const std::size_t n = std::min(piece, count - done);
        if (avx2) {
            readMatchedAvx2<From, To, mapped>(c, from, done, n, values);
        } else {
            readMatched<From, To, mapped>(c, from, done, n, values);
        }
        if constexpr (eightBits) {
            // Four indices a store.
            std::byte* to = destination + destinationX + done;
            std::size_t i = 0;
            for (; i + 4 <= n; i += 4) {
                const std::uint32_t four = index(values[i]) | index(values[i + 1]) << 8 |
                                           index(values[i + 2]) << 16 |
                                           std::uint32_t(index(values[i + 3])) << 24;
                std::memcpy(to + i, &four, sizeof four);
            }
            for (; i < n; ++i) {
                to[i] = std::byte(index(values[i]));
            }
            continue;
        } else if constexpr (mapped) {
            for (std::size_t i = 0; i < n; ++i) {
                indices[i] = index(values[i]);
            }
        } else {
            matcher.nearestOfMany(values, indices, n);
        }
        packIndices<To::bitsPerPixel>(indices, n, destination, destinationX + done);
    }
}

// 16-bit direct colour onto a palettized destination: each stored value's entry straight from
// the map of every value, onto 8 bpp stored as it comes, otherwise a piece of the row at a time.
template <class From, class To>
void valueMapRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                 std::byte* destination, std::size_t destinationX, std::size_t count) {
    const std::uint8_t* map = conversion.fieldMap;
    const std::byte* from = source + 2 * sourceX;
    if constexpr (To::kind == PixelKind::Index8) {
        std::byte* to = destination + destinationX;
        for (std::size_t i = 0; i < count; ++i) {
            to[i] = std::byte(map[From::load(from, i)]);
        }
    } else {
        constexpr std::size_t piece = 256;
        std::uint8_t indices[piece];
        for (std::size_t done = 0; done < count; done += piece) {
            const std::size_t n = std::min(piece, count - done);
            for (std::size_t i = 0; i < n; ++i) {
                indices[i] = map[From::load(from, done + i)];
            }
            packIndices<To::bitsPerPixel>(indices, n, destination, destinationX + done);
        }
    }
}

// 24-bit pixels onto other direct ones, a piece of the row at a time: the pixels' values, then
// each stored, in AVX2 vector code where the processor has it.
template <class To>
void recodeValues(const Conversion& c, const std::uint32_t* values, std::byte* to,
                  std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        To::store(to, i, To::fromRgb(c.to, Rgb::of(values[i])));
    }
}

template <class To>
__attribute__((target("avx2"))) void recodeValuesAvx2(const Conversion& c,
                                                      const std::uint32_t* values, std::byte* to,
                                                      std::size_t count) {
    recodeValues<To>(c, values, to, count);
}

template <class To>
void recodeRgb24Row(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                    std::byte* destination, std::size_t destinationX, std::size_t count) {
    constexpr std::size_t piece = 256;
    const Conversion c = conversion;
    const std::byte* from = source + 3 * sourceX;
    std::byte* to = destination + destinationX * To::bytesPerPixel;
    const bool avx2 = hasAvx2();
    std::uint32_t values[piece];
    for (std::size_t done = 0; done < count; done += piece) {
        const std::size_t n = std::min(piece, count - done);
        unpackRgb24(from + 3 * done, n, values);
        if (avx2) {
            recodeValuesAvx2<To>(c, values, to + done * To::bytesPerPixel, n);
        } else {
            recodeValues<To>(c, values, to + done * To::bytesPerPixel, n);
        }
    }
}

// Direct pixels of two or four bytes onto 24 bpp, a piece of the row at a time: every pixel's
// colour, in AVX2 vector code where the processor has it, then the colours packed.
template <class From>
void colourValues(const Conversion& c, const std::byte* from, std::size_t n,
                  std::uint32_t* values) {
    for (std::size_t i = 0; i < n; ++i) {
        values[i] = From::toRgb(c.from, From::load(from, i)).packed();
    }
}

template <class From>
__attribute__((target("avx2"))) void colourValuesAvx2(const Conversion& c, const std::byte* from,
                                                      std::size_t n, std::uint32_t* values) {
    colourValues<From>(c, from, n, values);
}

template <class From>
void recodeOntoRgb24Row(const Conversion& conversion, const std::byte* source,
                        std::size_t sourceX, std::byte* destination, std::size_t destinationX,
                        std::size_t count) {
    constexpr std::size_t piece = 256;
    const Conversion c = conversion;
    const std::byte* from = source + sourceX * From::bytesPerPixel;
    std::byte* to = destination + 3 * destinationX;
    const bool avx2 = hasAvx2();
    std::uint32_t values[piece];
    for (std::size_t done = 0; done < count; done += piece) {
        const std::size_t n = std::min(piece, count - done);
        if (avx2) {
            colourValuesAvx2<From>(c, from + done * From::bytesPerPixel, n, values);
        } else {
            colourValues<From>(c, from + done * From::bytesPerPixel, n, values);
        }
        packRgb24(values, n, to + 3 * done);
    }
}

// 8-bit indices onto 1- or 4-bit ones through the lookup, a piece of the row at a time: every
// index, then the indices packed.
template <class To>
void lookupIndexRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                    std::byte* destination, std::size_t destinationX, std::size_t count) {
    constexpr std::size_t piece = 256;
    const Conversion c = conversion;
    std::uint8_t indices[piece];
    for (std::size_t done = 0; done < count; done += piece) {
        const std::size_t n = std::min(piece, count - done);
        for (std::size_t i = 0; i < n; ++i) {
            indices[i] = std::uint8_t(c.lookup[codecs::byteAt(source, sourceX + done + i)]);
        }
        packIndices<To::bitsPerPixel>(indices, n, destination, destinationX + done);
    }
}

// The 4-bit indices of a decoded RLE4 line onto 4 or 8 bpp: onto 8 bpp stored as they are
// looked up, onto 4 bpp a piece of the row at a time, looked up and then packed.
template <class To>
void nibbleLookupRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                     std::byte* destination, std::size_t destinationX, std::size_t count) {
    const std::array<std::uint8_t, 16> table = conversion.nibbles;
    if constexpr (To::kind == PixelKind::Index8) {
        lookUpNibbles(table, source + sourceX, count,
                      reinterpret_cast<std::uint8_t*>(destination + destinationX));
    } else {
        constexpr std::size_t piece = 256;
        std::uint8_t indices[piece];
        for (std::size_t done = 0; done < count; done += piece) {
            const std::size_t n = std::min(piece, count - done);
            lookUpNibbles(table, source + sourceX + done, n, indices);
            packIndices<4>(indices, n, destination, destinationX + done);
        }
    }
}

// 8-bit indices onto whole-byte pixels through the lookup, the indices read four at a time.
template <class To>
void lookupRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
               std::byte* destination, std::size_t destinationX, std::size_t count) {
    const Conversion c = conversion;
    const std::byte* from = source + sourceX;
    std::byte* to = destination + destinationX * To::bytesPerPixel;
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        std::uint32_t four;
        std::memcpy(&four, from + i, sizeof four);
        To::store(to, i, c.lookup[four & 0xFF]);
        To::store(to, i + 1, c.lookup[four >> 8 & 0xFF]);
        To::store(to, i + 2, c.lookup[four >> 16 & 0xFF]);
        To::store(to, i + 3, c.lookup[four >> 24]);
    }
    for (; i < count; ++i) {
        To::store(to, i, c.lookup[codecs::byteAt(from, i)]);
    }
}

// 8-bit indices onto 16-bit pixels: by byte shuffles 32 at a time, the rest through the lookup.
template <class To>
void shuffleLookupRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
                      std::byte* destination, std::size_t destinationX, std::size_t count) {
    const std::size_t done = lookUpIndices16(*conversion.shuffleTables, source + sourceX, count,
                                             destination + 2 * destinationX);
    lookupRow<To>(conversion, source, sourceX + done, destination, destinationX + done,
                  count - done);
}

// A palettized source of 1 or 4 bits onto whole-byte pixels: the destination bytes of the
// pixels of each source byte are one entry of c.expansion, the source read four bytes at a time;
// the pixels of a partly covered first or last byte are stored one by one.
template <class From, class To>
void expandRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
               std::byte* destination, std::size_t destinationX, std::size_t count) {
    constexpr std::size_t bits = From::bitsPerPixel;
    constexpr std::size_t perByte = 8 / bits;
    constexpr std::size_t entryBytes = perByte * To::bytesPerPixel;
    const Conversion c = conversion;
    std::byte* to = destination + destinationX * To::bytesPerPixel;
    const auto single = [&](std::size_t i) {
        const std::size_t bit = (sourceX + i) * bits;
        const std::uint32_t byte = codecs::byteAt(source, bit / 8);
        To::store(to, i, c.lookup[byte >> (8 - bits - bit % 8) & ((1u << bits) - 1)]);
    };
    std::size_t i = 0;
    for (; i < count && (sourceX + i) % perByte != 0; ++i) {
        single(i);
    }
    const std::byte* from = source + (sourceX + i) / perByte;
    const auto expand = [&](std::size_t at, std::size_t byte) {
        std::memcpy(to + at * To::bytesPerPixel, c.expansion + byte * entryBytes, entryBytes);
    };
    for (; i + 4 * perByte <= count; i += 4 * perByte, from += 4) {
        std::uint32_t four;
        std::memcpy(&four, from, sizeof four);
        expand(i, four & 0xFF);
        expand(i + perByte, four >> 8 & 0xFF);
        expand(i + 2 * perByte, four >> 16 & 0xFF);
        expand(i + 3 * perByte, four >> 24);
    }
    for (; i + perByte <= count; i += perByte, ++from) {
        expand(i, std::to_integer<std::size_t>(*from));
    }
    for (; i < count; ++i) {
        single(i);
    }
}

// 8-bit indices onto 16-bit or 4-bit pixels: two pixels a step from c.pairs, indexed by both
// indices as a little-endian 16-bit word, the indices read eight at a time. Onto 4 bpp an entry
// is the byte of the pair, and a pixel alone in its byte at either end goes through the lookup.
template <class To>
void pairRow(const Conversion& conversion, const std::byte* source, std::size_t sourceX,
             std::byte* destination, std::size_t destinationX, std::size_t count) {
    const Conversion c = conversion;
    const std::byte* from = source + sourceX;
    std::size_t i = 0;
    if constexpr (To::kind == PixelKind::Index4) {
        const auto single = [&](std::size_t at) {
            packing::putIndex(destination, destinationX + at, 4,
                              std::uint8_t(c.lookup[codecs::byteAt(from, at)]));
        };
        if (count > 0 && destinationX % 2 != 0) {
            single(i++);
        }
        std::byte* to = destination + (destinationX + i) / 2;
        for (; i + 8 <= count; i += 8, to += 4) {
            std::uint64_t eight;
            std::memcpy(&eight, from + i, sizeof eight);
            const std::uint32_t bytes =
                c.pairs[eight & 0xFFFF] | c.pairs[eight >> 16 & 0xFFFF] << 8 |
                c.pairs[eight >> 32 & 0xFFFF] << 16 | c.pairs[eight >> 48] << 24;
            std::memcpy(to, &bytes, sizeof bytes);
        }
        for (; i < count; ++i) {
            single(i);
        }
    } else {
        std::byte* to = destination + 2 * destinationX;
        for (; i + 8 <= count; i += 8) {
            std::uint64_t eight;
            std::memcpy(&eight, from + i, sizeof eight);
            const std::uint64_t low =
                c.pairs[eight & 0xFFFF] | std::uint64_t(c.pairs[eight >> 16 & 0xFFFF]) << 32;
            const std::uint64_t high =
                c.pairs[eight >> 32 & 0xFFFF] | std::uint64_t(c.pairs[eight >> 48]) << 32;
            std::memcpy(to + 2 * i, &low, sizeof low);
            std::memcpy(to + 2 * i + 8, &high, sizeof high);
        }
        for (; i < count; ++i) {
            To::store(to, i, c.lookup[codecs::byteAt(from, i)]);
        }
    }
}

}  // namespace gdi::bulk
