#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace difftest {

// One measurement of a run: SetDIBitsToDevice from `source` onto `dest` (format tokens) for a
// picture `size` x `size`, or a memcpy of the same bytes as the 32 -> 32 call (source "memcpy",
// dest "-"). No time when the call returned 0.
struct Timing {
    std::string source;
    std::string dest;
    std::uint32_t size = 0;
    std::optional<double> nanoseconds;
};

// "SOURCE DEST SIZE NANOSECONDS", with "refused" for a call that returned 0.
std::string toTimingLine(const Timing& timing);
// The lines of toTimingLine; others are skipped. A measurement may appear once for each run.
std::vector<Timing> parseTimings(std::string_view text);

// Ours beside Wine's: one row per pair with both sizes, each the fastest of its runs, the ratio
// ours / Wine (below 1: ours is faster), and whether each target holds: every pair at 1024 x 1024 at least as fast as Wine's,
// 32 -> 32 at 4096 x 4096 at least 0.95 times the speed of memcpy in the same run, and the 8 x 8
// 32 -> 32 call at most 40 ns. Ends with a "speed targets:" line.
std::string speedTable(const std::vector<Timing>& ours, const std::vector<Timing>& wine);

}  // namespace difftest
