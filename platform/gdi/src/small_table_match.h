#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace gdi {

// The exact nearest entry of a table of at most 16 entries (1- and 4-bpp destinations) for many
// colours at once, eight a step in AVX2 vector code, where the processor has it. For a colour c
// and entry e, d(c, e) = |c|^2 + |e|^2 - 2 c.e, so the nearest entry has the least
// 16 (|e|^2 - 2 c.e) + index: that sum orders by distance first and by index on a tie.
class SmallTableMatch {
public:
    static constexpr std::size_t maxEntries = 16;

    // Whether this processor runs the vector code.
    static bool available();

    void reset(std::span<const std::uint32_t> table);

    // Indices of `count` colours (0x00RRGGBB); only where available().
    void match(const std::uint32_t* colours, std::uint8_t* indices, std::size_t count) const;

private:
    std::size_t m_count = 0;
    // Per entry: 16 |e|^2 + index, and 32 times its channels as 16-bit pairs (red, green) and
    // (blue, 0), the operands of the multiply-add that gives 32 c.e.
    std::array<std::int32_t, maxEntries> m_base{};
    std::array<std::uint32_t, maxEntries> m_redGreen{};
    std::array<std::uint32_t, maxEntries> m_blue{};
};

}  // namespace gdi
