#include "bit_copy.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace gdi {

namespace {

unsigned byteAt(const std::byte* bytes, std::size_t index) {
    return std::to_integer<unsigned>(bytes[index]);
}

// Bits `first` up to `end` (0 to 8) of a byte, counted from its high end.
unsigned bitRange(std::size_t first, std::size_t end) {
    return (0xFFu >> first) & ~(0xFFu >> end) & 0xFFu;
}

void merge(std::byte* target, unsigned value, unsigned mask) {
    *target = std::byte((byteAt(target, 0) & ~mask) | (value & mask));
}

// Where the destination bytes of a segment starting at bit `offset` of its first byte lie: a
// partly covered first byte, whole bytes [firstWhole, endWhole), a partly covered last byte.
struct ByteSpan {
    ByteSpan(std::size_t offset, std::size_t count)
        : offset(offset),
          end(offset + count),
          firstWhole(offset == 0 ? 0 : 1),
          endWhole(std::max(end / 8, firstWhole)) {}

    bool singleByte() const { return end < 8; }
    bool partialHead() const { return offset != 0; }
    bool partialTail() const { return end % 8 != 0; }
    unsigned headMask() const { return bitRange(offset, 8); }
    unsigned tailMask() const { return bitRange(0, end % 8); }

    std::size_t offset, end, firstWhole, endWhole;
};

void copyAligned(const std::byte* source, std::byte* destination, std::size_t offset,
                 std::size_t count) {
    const ByteSpan span(offset, count);
    if (span.singleByte()) {
        merge(destination, byteAt(source, 0), bitRange(offset, span.end));
        return;
    }
    // The edge bytes are read before the whole bytes move, which may overwrite them.
    const unsigned head = byteAt(source, 0);
    const unsigned tail = span.partialTail() ? byteAt(source, span.endWhole) : 0;
    std::memmove(destination + span.firstWhole, source + span.firstWhole,
                 span.endWhole - span.firstWhole);
    if (span.partialHead()) {
        merge(destination, head, span.headMask());
    }
    if (span.partialTail()) {
        merge(destination + span.endWhole, tail, span.tailMask());
    }
}

// The source bits that land on each destination byte when the offsets differ within a byte: those
// from source bit 8 * j + delta for destination byte j, read from two neighbouring bytes.
class ShiftedSource {
public:
    ShiftedSource(const std::byte* source, std::size_t sourceBit, std::size_t destinationBit,
                  std::size_t count)
        : m_source(source),
          m_bytes((sourceBit + count + 7) / 8),
          m_lowerByte(sourceBit < destinationBit ? 1 : 0),
          m_shift(unsigned((sourceBit + 8 - destinationBit) % 8)) {}

    // For destination bytes whose bits all come from the segment: both bytes lie inside it.
    unsigned inside(std::size_t j) const {
        const std::byte* pair = m_source + j - m_lowerByte;
        return (byteAt(pair, 0) << 8 | byteAt(pair, 1)) >> (8 - m_shift) & 0xFF;
    }

    // For the edge bytes: bytes outside the segment are not read.
    unsigned atEdge(std::size_t j) const {
        const std::size_t high = j + 1 - m_lowerByte;
        const unsigned first = high >= 1 && high - 1 < m_bytes ? byteAt(m_source, high - 1) : 0;
        const unsigned second = high < m_bytes ? byteAt(m_source, high) : 0;
        return (first << 8 | second) >> (8 - m_shift) & 0xFF;
    }

private:
    const std::byte* m_source;
    std::size_t m_bytes;
    std::size_t m_lowerByte;
    unsigned m_shift;
};

void copyShifted(const std::byte* source, std::size_t sourceBit, std::byte* destination,
                 std::size_t destinationBit, std::size_t count, bool backward) {
    const ShiftedSource bits(source, sourceBit, destinationBit, count);
    const ByteSpan span(destinationBit, count);
    if (span.singleByte()) {
        merge(destination, bits.atEdge(0), bitRange(destinationBit, span.end));
        return;
    }
    const auto head = [&] {
        if (span.partialHead()) {
            merge(destination, bits.atEdge(0), span.headMask());
        }
    };
    const auto tail = [&] {
        if (span.partialTail()) {
            merge(destination + span.endWhole, bits.atEdge(span.endWhole), span.tailMask());
        }
    };
    if (backward) {
        tail();
        for (std::size_t j = span.endWhole; j-- > span.firstWhole;) {
            destination[j] = std::byte(bits.inside(j));
        }
        head();
    } else {
        head();
        for (std::size_t j = span.firstWhole; j < span.endWhole; ++j) {
            destination[j] = std::byte(bits.inside(j));
        }
        tail();
    }
}

}  // namespace

void copyBits(const std::byte* source, std::size_t sourceBit, std::byte* destination,
              std::size_t destinationBit, std::size_t count) {
    if (count == 0) {
        return;
    }
    source += sourceBit / 8;
    destination += destinationBit / 8;
    sourceBit %= 8;
    destinationBit %= 8;
    if (sourceBit == destinationBit) {
        copyAligned(source, destination, sourceBit, count);
        return;
    }
    // Walking away from the source's start reads every byte before writing over it, whichever
    // way the two overlap.
    const auto sourceStart = reinterpret_cast<std::uintptr_t>(source) * 8 + sourceBit;
    const auto destinationStart =
        reinterpret_cast<std::uintptr_t>(destination) * 8 + destinationBit;
    copyShifted(source, sourceBit, destination, destinationBit, count,
                destinationStart > sourceStart);
}

}  // namespace gdi
