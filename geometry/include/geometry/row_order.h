#pragma once

#include <cstddef>
#include <cstdint>

namespace geometry {

// SetDIBitsToDevice reads its unsigned 32-bit arguments as signed values where it counts: a
// Height or #Lines of 2^31 or more is negative to it.
inline constexpr std::int64_t kSignedLimit = std::int64_t(1) << 31;

// An unsigned 32-bit argument as the call reads it where it counts.
constexpr std::int64_t asSigned(std::uint32_t value) {
    return value >= kSignedLimit ? std::int64_t(value) - 2 * kSignedLimit : std::int64_t(value);
}

// How a DIB's rows follow each other in memory: bottom-up (a positive biHeight, the first row in
// memory is the picture's bottom row) or top-down (a negative biHeight).
enum class RowOrder { BottomUp, TopDown };

// The buffer row that holds picture row `pictureRow` (0 = top) of an image `height` rows high.
constexpr std::size_t bufferRowOf(std::size_t pictureRow, std::size_t height, RowOrder order) {
    return order == RowOrder::TopDown ? pictureRow : height - 1 - pictureRow;
}

// A run of whole numbers begin … end − 1; empty when end ≤ begin. Every coordinate is 64-bit so
// that sums of 32-bit arguments never wrap.
struct Span {
    std::int64_t begin = 0;
    std::int64_t end = 0;

    bool empty() const { return end <= begin; }
    std::int64_t size() const { return empty() ? 0 : end - begin; }
    std::int64_t last() const { return end - 1; }
    bool contains(std::int64_t value) const { return value >= begin && value < end; }
    bool operator==(const Span&) const = default;
};

inline Span intersect(Span a, Span b) {
    return {a.begin > b.begin ? a.begin : b.begin, a.end < b.end ? a.end : b.end};
}

}  // namespace geometry
