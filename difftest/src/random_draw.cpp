#include "random_draw.h"

#include <array>
#include <climits>

namespace difftest {

std::int32_t Draw::coordinate(std::uint32_t size) {
    static constexpr std::array<std::int32_t, 8> extremes{
        INT_MIN, INT_MIN + 1, INT_MAX, INT_MAX - 1, -65536, 65536, -(1 << 30), 1 << 30};
    const auto span = std::int32_t(size);
    switch (below(10)) {
        case 0:
        case 1:
            return extremes[below(extremes.size())];
        case 2:
            return std::array<std::int32_t, 5>{-span, -1, span - 1, span, span + 1}[below(5)];
        default:
            return std::int32_t(below(4 * size + 1)) - 2 * span;
    }
}

std::uint32_t Draw::count(std::uint32_t size) {
    static constexpr std::array<std::uint32_t, 9> extremes{1,          0x10000,    0x7ffffffe,
                                                           0x7fffffff, 0x80000000, 0x80000001,
                                                           0xfffffff0, 0xfffffffe, 0xffffffff};
    switch (below(10)) {
        case 0:
        case 1:
            return extremes[below(extremes.size())];
        default:
            return below(size + size / 2 + 3);
    }
}

}  // namespace difftest
