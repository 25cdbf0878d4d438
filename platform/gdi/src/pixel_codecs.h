#pragma once

#include "pixel_format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <tuple>

// One reader and writer per pixel kind: walk a row segment with a Reader and a Writer, which is
// told how many pixels it will be given (whole-byte kinds through load and store of a pixel's
// stored value at column x), and for direct-colour kinds turn a stored value into 8-bit channels
// and back; colourBytes says how many of a direct pixel's low bytes hold channels. The converters
// are generated from the list at the end, so a new format is one more entry there.
namespace gdi::codecs {

inline std::uint32_t byteAt(const std::byte* row, std::size_t offset) {
    return std::to_integer<std::uint32_t>(row[offset]);
}

// Hands `count` pixels of whole bytes, one after another, to a sink.
template <class Codec>
class ByteReader {
public:
    ByteReader(const std::byte* row, std::size_t x) : m_next(row + x * Codec::bytesPerPixel) {}

    template <class Sink>
    void read(std::size_t count, Sink&& sink) {
        for (std::size_t i = 0; i < count; ++i, m_next += Codec::bytesPerPixel) {
            sink(Codec::load(m_next, 0));
        }
    }

private:
    const std::byte* m_next;
};

template <class Codec>
class ByteWriter {
public:
    ByteWriter(std::byte* row, std::size_t x, std::size_t)
        : m_next(row + x * Codec::bytesPerPixel) {}
    void put(std::uint32_t value) {
        Codec::store(m_next, 0, value);
        m_next += Codec::bytesPerPixel;
    }
    void finish() {}

private:
    std::byte* m_next;
};

// Hands pixels of `bits` bits, packed from the high end of each byte, to a sink: those of a
// partly covered first byte one by one, then whole bytes, then the rest.
template <unsigned bits>
class PackedReader {
public:
    PackedReader(const std::byte* row, std::size_t x)
        : m_byte(row + x * bits / 8), m_first(unsigned(x * bits % 8 / bits)) {}

    template <class Sink>
    void read(std::size_t count, Sink&& sink) {
        std::size_t left = count;
        if (m_first != 0) {
            const std::size_t head = std::min<std::size_t>(perByte - m_first, left);
            readPart(m_first, head, sink);
            left -= head;
            ++m_byte;
        }
        for (; left >= perByte; left -= perByte, ++m_byte) {
            readPart(0, perByte, sink);
        }
        if (left > 0) {
            readPart(0, left, sink);
        }
    }

private:
    static constexpr std::uint32_t valueMask = (1u << bits) - 1;
    static constexpr unsigned perByte = 8 / bits;

    template <class Sink>
    void readPart(unsigned first, std::size_t count, Sink& sink) const {
        const std::uint32_t byte = byteAt(m_byte, 0);
        for (std::size_t k = first; k < first + count; ++k) {
            sink(byte >> (8 - bits * (k + 1)) & valueMask);
        }
    }

    const std::byte* m_byte;
    // The pixel of the first byte where the segment starts.
    unsigned m_first;
};

// Gathers packed pixels into a byte and stores each byte once; the pixels of the first and last
// byte that lie outside the segment keep their values.
template <unsigned bits>
class PackedWriter {
public:
    PackedWriter(std::byte* row, std::size_t x, std::size_t)
        : m_byte(row + x * bits / 8), m_shift(8 - bits - x * bits % 8) {
        m_gathered = byteAt(m_byte, 0) & ~unwritten() & 0xFF;
    }
    void put(std::uint32_t value) {
        m_gathered |= (value & valueMask) << m_shift;
        if (m_shift == 0) {
            *m_byte++ = std::byte(m_gathered);
            m_gathered = 0;
            m_shift = 8 - bits;
        } else {
            m_shift -= bits;
        }
    }
    void finish() {
        if (m_shift != 8 - bits) {
            const std::uint32_t kept = byteAt(m_byte, 0) & unwritten();
            *m_byte = std::byte(m_gathered | kept);
        }
    }

private:
    static constexpr std::uint32_t valueMask = (1u << bits) - 1;

    // The bits of the current byte from the next pixel on.
    std::uint32_t unwritten() const { return (1u << (m_shift + bits)) - 1; }

    std::byte* m_byte;
    unsigned m_shift;
    std::uint32_t m_gathered;
};

// Bit 7 of each byte is the leftmost pixel.
struct Index1 {
    static constexpr PixelKind kind = PixelKind::Index1;
    static constexpr bool indexed = true;
    static constexpr std::size_t bytesPerPixel = 0;
    static constexpr std::size_t bitsPerPixel = 1;
    using Reader = PackedReader<1>;
    using Writer = PackedWriter<1>;
};

// The high nibble is the left pixel.
struct Index4 {
    static constexpr PixelKind kind = PixelKind::Index4;
    static constexpr bool indexed = true;
    static constexpr std::size_t bytesPerPixel = 0;
    static constexpr std::size_t bitsPerPixel = 4;
    using Reader = PackedReader<4>;
    using Writer = PackedWriter<4>;
};

struct Index8 {
    static constexpr PixelKind kind = PixelKind::Index8;
    static constexpr bool indexed = true;
    static constexpr std::size_t bytesPerPixel = 1;
    static constexpr std::size_t bitsPerPixel = 8;
    using Reader = ByteReader<Index8>;
    using Writer = ByteWriter<Index8>;

    static std::uint32_t load(const std::byte* row, std::size_t x) { return byteAt(row, x); }
    static void store(std::byte* row, std::size_t x, std::uint32_t index) {
        row[x] = std::byte(index);
    }
};

struct Bits16 {
    static constexpr PixelKind kind = PixelKind::Bits16;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 2;
    static constexpr std::size_t colourBytes = 2;
    using Reader = ByteReader<Bits16>;
    using Writer = ByteWriter<Bits16>;

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        std::uint16_t value;
        std::memcpy(&value, row + 2 * x, sizeof value);
        return value;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t value) {
        const auto narrow = std::uint16_t(value);
        std::memcpy(row + 2 * x, &narrow, sizeof narrow);
    }
    static Rgb toRgb(const ChannelFields& fields, std::uint32_t value) {
        return fields.toRgb(value);
    }
    static std::uint32_t fromRgb(const ChannelFields& fields, Rgb rgb) {
        return fields.fromRgb(rgb);
    }
};

// 16-bit pixels whose masks are known when compiling, so their shifts are constants.
template <PixelKind pixelKind, ChannelMasks masks>
struct Fixed16 : Bits16 {
    static constexpr PixelKind kind = pixelKind;
    using Reader = ByteReader<Fixed16>;
    using Writer = ByteWriter<Fixed16>;

    static Rgb toRgb(const ChannelFields&, std::uint32_t value) { return fields.toRgb(value); }
    static std::uint32_t fromRgb(const ChannelFields&, Rgb rgb) { return fields.fromRgb(rgb); }
    // The channels' top 5 bits are the fields' own top 5 bits.
    static std::uint32_t fiveBitKey(const ChannelFields&, std::uint32_t value) {
        return (value >> (fields.red.topFiveShift()) & 0x1F) << 10 |
               (value >> (fields.green.topFiveShift()) & 0x1F) << 5 |
               (value >> (fields.blue.topFiveShift()) & 0x1F);
    }

private:
    static constexpr ChannelFields fields = ChannelFields::of(masks);
    static_assert(fields.red.hasFiveBits() && fields.green.hasFiveBits() &&
                  fields.blue.hasFiveBits());
};

using Rgb555 = Fixed16<PixelKind::Rgb555, rgb555Masks>;
using Rgb565 = Fixed16<PixelKind::Rgb565, rgb565Masks>;

// Bytes blue, green, red. A row segment is read eight bytes for two pixels while more than two
// are left, so that no read goes past the segment's last pixel; bits above a pixel's 24 are no
// channel, and every reader of a colour drops them.
struct Rgb24 {
    static constexpr PixelKind kind = PixelKind::Rgb24;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 3;
    static constexpr std::size_t colourBytes = 3;

    class Reader {
    public:
        Reader(const std::byte* row, std::size_t x) : m_next(row + 3 * x) {}

        template <class Sink>
        void read(std::size_t count, Sink&& sink) {
            std::size_t left = count;
            for (; left > 2; left -= 2, m_next += 6) {
                std::uint64_t pair;
                std::memcpy(&pair, m_next, sizeof pair);
                sink(std::uint32_t(pair));
                sink(std::uint32_t(pair >> 24));
            }
            for (; left > 0; --left, m_next += 3) {
                sink(load(m_next, 0));
            }
        }

    private:
        const std::byte* m_next;
    };
    // Every pixel but the segment's last is stored as four bytes, the fourth of which the next
    // pixel overwrites: one store instead of three.
    class Writer {
    public:
        Writer(std::byte* row, std::size_t x, std::size_t count)
            : m_next(row + 3 * x), m_wide(count > 0 ? count - 1 : 0) {}
        void put(std::uint32_t rgb) {
            if (m_wide > 0) {
                --m_wide;
                std::memcpy(m_next, &rgb, sizeof rgb);
            } else {
                store(m_next, 0, rgb);
            }
            m_next += 3;
        }
        void finish() {}

    private:
        std::byte* m_next;
        std::size_t m_wide;
    };

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        const std::byte* pixel = row + 3 * x;
        return byteAt(pixel, 0) | byteAt(pixel, 1) << 8 | byteAt(pixel, 2) << 16;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t rgb) {
        std::byte* pixel = row + 3 * x;
        pixel[0] = std::byte(rgb);
        pixel[1] = std::byte(rgb >> 8);
        pixel[2] = std::byte(rgb >> 16);
    }
    static Rgb toRgb(const ChannelFields&, std::uint32_t value) { return Rgb::of(value); }
    static std::uint32_t fromRgb(const ChannelFields&, Rgb rgb) { return rgb.packed(); }
};

// The top byte is no channel: reading drops it, writing a colour leaves it 0.
struct Xrgb32 {
    static constexpr PixelKind kind = PixelKind::Xrgb32;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 4;
    static constexpr std::size_t colourBytes = 3;
    using Reader = ByteReader<Xrgb32>;
    using Writer = ByteWriter<Xrgb32>;

    static std::uint32_t load(const std::byte* row, std::size_t x) {
        std::uint32_t value;
        std::memcpy(&value, row + 4 * x, sizeof value);
        return value;
    }
    static void store(std::byte* row, std::size_t x, std::uint32_t value) {
        std::memcpy(row + 4 * x, &value, sizeof value);
    }
    static Rgb toRgb(const ChannelFields&, std::uint32_t value) { return Rgb::of(value); }
    static std::uint32_t fromRgb(const ChannelFields&, Rgb rgb) { return rgb.packed(); }
};

// Red in the low byte, blue in the third; the top byte is no channel.
struct Xbgr32 {
    static constexpr PixelKind kind = PixelKind::Xbgr32;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 4;
    static constexpr std::size_t colourBytes = 3;
    using Reader = ByteReader<Xbgr32>;
    using Writer = ByteWriter<Xbgr32>;

    static std::uint32_t load(const std::byte* row, std::size_t x) { return Xrgb32::load(row, x); }
    static void store(std::byte* row, std::size_t x, std::uint32_t value) {
        Xrgb32::store(row, x, value);
    }
    static Rgb toRgb(const ChannelFields&, std::uint32_t value) {
        return {value & 0xFF, value >> 8 & 0xFF, value >> 16 & 0xFF};
    }
    static std::uint32_t fromRgb(const ChannelFields&, Rgb rgb) {
        return rgb.blue << 16 | rgb.green << 8 | rgb.red;
    }
};

struct Bits32 {
    static constexpr PixelKind kind = PixelKind::Bits32;
    static constexpr bool indexed = false;
    static constexpr std::size_t bytesPerPixel = 4;
    static constexpr std::size_t colourBytes = 4;
    using Reader = ByteReader<Bits32>;
    using Writer = ByteWriter<Bits32>;

    static std::uint32_t load(const std::byte* row, std::size_t x) { return Xrgb32::load(row, x); }
    static void store(std::byte* row, std::size_t x, std::uint32_t value) {
        Xrgb32::store(row, x, value);
    }
    static Rgb toRgb(const ChannelFields& fields, std::uint32_t value) {
        return fields.toRgb(value);
    }
    static std::uint32_t fromRgb(const ChannelFields& fields, Rgb rgb) {
        return fields.fromRgb(rgb);
    }
};

// Every pixel kind, in the order of PixelKind.
using All =
    std::tuple<Index1, Index4, Index8, Rgb555, Rgb565, Bits16, Rgb24, Xrgb32, Xbgr32, Bits32>;

}  // namespace gdi::codecs
