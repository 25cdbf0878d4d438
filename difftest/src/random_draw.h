#pragma once

#include <cstdint>
#include <random>
#include <span>

namespace difftest {

// Seeded draws for case sets. Only the standard-defined mt19937 sequence is used, reduced by
// modulo, so the same seed gives the same cases on every machine.
class Draw {
public:
    explicit Draw(std::uint32_t seed) : m_engine(seed) {}

    std::uint32_t below(std::uint32_t bound) { return m_engine() % bound; }
    std::uint32_t any() { return m_engine(); }
    bool coin() { return below(2) == 1; }
    // True about once in `n` draws.
    bool oneIn(std::uint32_t n) { return below(n) == 0; }
    // A value from `low` to `high`, both included.
    std::int32_t between(std::int32_t low, std::int32_t high) {
        return low + std::int32_t(below(std::uint32_t(high - low) + 1));
    }
    template <typename T>
    const T& pick(std::span<const T> values) {
        return values[below(std::uint32_t(values.size()))];
    }

    // A signed coordinate: mostly small values around a picture of `size`, sometimes its edges,
    // sometimes the extremes of 32 bits, where sums wrap.
    std::int32_t coordinate(std::uint32_t size);
    // A DWORD or UINT argument: mostly 0 to a little over `size`, sometimes a huge value.
    std::uint32_t count(std::uint32_t size);
    std::uint32_t size() { return below(4) == 0 ? 1 + below(3) : 1 + below(20); }

private:
    std::mt19937 m_engine;
};

}  // namespace difftest
