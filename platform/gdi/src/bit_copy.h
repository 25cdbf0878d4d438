#pragma once

#include <cstddef>

namespace gdi {

// Copies `count` bits from bit `sourceBit` of `source` to bit `destinationBit` of `destination`,
// bits numbered from the high end of each byte, as packed pixels are; the destination's other
// bits keep their values. Whole bytes are copied as bytes when both offsets agree within a byte.
// Source and destination may overlap: every bit is read before it is overwritten.
void copyBits(const std::byte* source, std::size_t sourceBit, std::byte* destination,
              std::size_t destinationBit, std::size_t count);

}  // namespace gdi
