#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace difftest {

// One measurement of a run: SetDIBitsToDevice from `source` onto `dest` (format tokens) for a
// picture `size` x `size`, or a memcpy of the same bytes as the 32 -> 32 call (source "memcpy",
// dest "-"). No time when the call returned 0. A call may carry the bytes it reads and writes
// and, timed in turns with it, a memcpy that moves as many bytes in all (half of them copied).
struct Timing {
    std::string source;
    std::string dest;
    std::uint32_t size = 0;
    std::optional<double> nanoseconds;
    std::uint64_t bytes = 0;
    std::optional<double> memcpyNanoseconds = std::nullopt;
};

// "SOURCE DEST SIZE NANOSECONDS", with "refused" for a call that returned 0, then
// " BYTES MEMCPY_NANOSECONDS" where the call has them.
std::string toTimingLine(const Timing& timing);
// The lines of toTimingLine; others are skipped. A measurement may appear once for each run.
std::vector<Timing> parseTimings(std::string_view text);

// Ours beside Wine's: one row per pair with both sizes, each the fastest of its runs, the ratio
// ours / Wine (below 1: ours is faster), at 1024 x 1024 the bytes the call reads and writes, the
// memcpy that moves as many and ours / memcpy, and whether the pair's targets hold: at 1024 x
// 1024 at most half of Wine's time (a tenth for direct colour onto 1, 4 and 8 bpp), at 8 x 8 no
// slower than Wine. Then 32 -> 32 at 4096 x 4096, at least as fast as memcpy of the same bytes in
// the same run, and the 8 x 8 32 -> 32 call, at most 30 ns. Ends with a "speed targets:" line.
std::string speedTable(const std::vector<Timing>& ours, const std::vector<Timing>& wine);

}  // namespace difftest
