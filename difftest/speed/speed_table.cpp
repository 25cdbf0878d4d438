#include "speed_table.h"

#include "test_formats.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <tuple>

namespace difftest {

namespace {

constexpr std::uint32_t smallSize = 8;
constexpr std::uint32_t largeSize = 1024;
constexpr std::uint32_t copySize = 4096;
constexpr double copyTarget = 1.0;
constexpr double smallCallTarget = 30;
constexpr double largeShare = 0.5;
constexpr double matchedShare = 0.1;
constexpr double smallShare = 1.0;
// The pairs that miss their target named on the closing line; the table shows them all.
constexpr std::size_t listedMisses = 8;

using Key = std::tuple<std::string, std::string, std::uint32_t>;

// The fastest of a measurement's runs: the call's time, and apart from it the fastest memcpy.
struct Fastest {
    std::optional<double> nanoseconds;
    std::uint64_t bytes = 0;
    std::optional<double> memcpyNanoseconds;
};

std::optional<double> faster(std::optional<double> a, std::optional<double> b) {
    return a && b ? std::min(*a, *b) : a ? a : b;
}

std::map<Key, Fastest> byKey(const std::vector<Timing>& timings) {
    std::map<Key, Fastest> map;
    for (const Timing& t : timings) {
        const auto [entry, added] = map.try_emplace({t.source, t.dest, t.size});
        Fastest& f = entry->second;
        f.nanoseconds = added ? t.nanoseconds : faster(f.nanoseconds, t.nanoseconds);
        f.memcpyNanoseconds = faster(f.memcpyNanoseconds, t.memcpyNanoseconds);
        f.bytes = std::max(f.bytes, t.bytes);
    }
    return map;
}

Fastest findFastest(const std::map<Key, Fastest>& map, std::string_view source,
                    std::string_view dest, std::uint32_t size) {
    const auto found = map.find({std::string(source), std::string(dest), size});
    return found == map.end() ? Fastest{} : found->second;
}

std::optional<double> find(const std::map<Key, Fastest>& map, std::string_view source,
                           std::string_view dest, std::uint32_t size) {
    return findFastest(map, source, dest, size).nanoseconds;
}

std::string mebibytes(std::uint64_t bytes) {
    if (bytes == 0) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f MiB", double(bytes) / (1 << 20));
    return text;
}

std::string duration(std::optional<double> nanoseconds) {
    if (!nanoseconds) {
        return "refused";
    }
    char text[32];
    if (*nanoseconds < 1e4) {
        std::snprintf(text, sizeof text, "%.0f ns", *nanoseconds);
    } else if (*nanoseconds < 1e7) {
        std::snprintf(text, sizeof text, "%.1f us", *nanoseconds / 1e3);
    } else {
        std::snprintf(text, sizeof text, "%.2f ms", *nanoseconds / 1e6);
    }
    return text;
}

std::string ratio(std::optional<double> ours, std::optional<double> wine) {
    if (!ours || !wine) {
        return "-";
    }
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", *ours / *wine);
    return text;
}

std::string row(const std::vector<std::string>& cells) {
    static constexpr int widths[] = {7, 7, 10, 10, 7, 10, 10, 7, 9, 10, 7, 11};
    std::string text;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        char cell[64];
        std::snprintf(cell, sizeof cell, i < 2 ? "%-*s" : " %*s", widths[i], cells[i].c_str());
        text += cell;
    }
    return text + '\n';
}

std::string met(bool holds) {
    return holds ? "met" : "MISSED";
}

bool within(std::optional<double> ours, std::optional<double> wine, double share) {
    return ours && wine && *ours <= share * *wine;
}

// The pairs that meet a target, and the first few that do not by name.
struct Tally {
    std::size_t pairs = 0;
    std::size_t holding = 0;
    std::string missed;

    void count(bool holds, const TestFormat& source, const TestFormat& dest) {
        ++pairs;
        holding += holds ? 1 : 0;
        if (!holds && pairs - holding <= listedMisses) {
            missed += std::string(missed.empty() ? "" : ", ") + std::string(source.label) + "->" +
                      std::string(dest.label);
        }
    }
    std::string line(const std::string& target) const {
        return std::to_string(holding) + " of " + std::to_string(pairs) + " pairs " + target +
               " " + met(holding == pairs) +
               (missed.empty()
                    ? ""
                    : " (not: " + missed + (pairs - holding > listedMisses ? ", ..." : "") + ")");
    }
};

std::string rowTarget(bool large, bool small) {
    return large && small ? "met" : small ? "MISSED 1024" : large ? "MISSED 8x8" : "MISSED both";
}

}  // namespace

std::string toTimingLine(const Timing& t) {
    char time[32] = "refused";
    if (t.nanoseconds) {
        std::snprintf(time, sizeof time, "%.1f", *t.nanoseconds);
    }
    std::string line = t.source + ' ' + t.dest + ' ' + std::to_string(t.size) + ' ' + time;
    if (t.memcpyNanoseconds) {
        std::snprintf(time, sizeof time, "%.1f", *t.memcpyNanoseconds);
        line += ' ' + std::to_string(t.bytes) + ' ' + time;
    }
    return line;
}

std::vector<Timing> parseTimings(std::string_view text) {
    std::vector<Timing> timings;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string line(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        char source[64];
        char dest[64];
        char time[32];
        unsigned size = 0;
        unsigned long long bytes = 0;
        double copied = 0;
        const int fields = std::sscanf(line.c_str(), "%63s %63s %u %31s %llu %lf", source, dest,
                                       &size, time, &bytes, &copied);
        if (fields != 4 && fields != 6) {
            continue;
        }
        Timing timing{source, dest, size, std::nullopt};
        if (std::string_view(time) != "refused") {
            timing.nanoseconds = std::strtod(time, nullptr);
        }
        if (fields == 6) {
            timing.bytes = bytes;
            timing.memcpyNanoseconds = copied;
        }
        timings.push_back(timing);
    }
    return timings;
}

std::string speedTable(const std::vector<Timing>& oursTimings,
                       const std::vector<Timing>& wineTimings) {
    const auto ours = byKey(oursTimings);
    const auto wine = byKey(wineTimings);
    std::string text =
        "SetDIBitsToDevice time per call: ours (the emulated layer) beside Wine's gdi32\n"
        "bytes: what the 1024 x 1024 call reads and writes; memcpy: moving as many in the same "
        "run; target: 1024 x 1024 within half of Wine's time (a tenth for direct colour onto 1, "
        "4 and 8 bpp), 8 x 8 no slower than Wine\n" +
        row({"source", "dest", "8x8 ours", "Wine", "ratio", "1024 ours", "Wine", "ratio", "bytes",
             "memcpy", "x mcpy", "target"});
    Tally largeTally;
    Tally smallTally;
    for (const TestFormat& source : sourceFormats()) {
        for (const TestFormat& dest : destinationFormats()) {
            const auto small = find(ours, source.token, dest.token, smallSize);
            const auto smallWine = find(wine, source.token, dest.token, smallSize);
            const Fastest large = findFastest(ours, source.token, dest.token, largeSize);
            const auto largeWine = find(wine, source.token, dest.token, largeSize);
            const bool matched = !source.indexed() && dest.indexed();
            const bool largeHolds =
                within(large.nanoseconds, largeWine, matched ? matchedShare : largeShare);
            const bool smallHolds = within(small, smallWine, smallShare);
            largeTally.count(largeHolds, source, dest);
            smallTally.count(smallHolds, source, dest);
            text += row({std::string(source.label), std::string(dest.label), duration(small),
                         duration(smallWine), ratio(small, smallWine), duration(large.nanoseconds),
                         duration(largeWine), ratio(large.nanoseconds, largeWine),
                         mebibytes(large.bytes),
                         large.memcpyNanoseconds ? duration(large.memcpyNanoseconds) : "-",
                         ratio(large.nanoseconds, large.memcpyNanoseconds),
                         rowTarget(largeHolds, smallHolds)});
        }
    }
    const std::string rgb32(rgb32Format().token);
    const auto copy = find(ours, rgb32, rgb32, copySize);
    const auto memcpyTime = find(ours, "memcpy", "-", copySize);
    const bool copyHolds = copy && memcpyTime && *memcpyTime / *copy >= copyTarget;
    const auto smallCall = find(ours, rgb32, rgb32, smallSize);
    const bool smallHolds = smallCall && *smallCall <= smallCallTarget;
    text += "32 -> 32 at 4096 x 4096: ours " + duration(copy) + ", Wine " +
            duration(find(wine, rgb32, rgb32, copySize)) + ", memcpy of the same bytes " +
            duration(memcpyTime) + " (ours is " +
            (copy && memcpyTime ? ratio(memcpyTime, copy) : "-") + " x memcpy's speed; target " +
            ratio(copyTarget, 1) + ")\n";
    text += "8 x 8 32 -> 32: ours " + duration(smallCall) + " (target " +
            duration(smallCallTarget) + ")\n";
    text += "speed targets: " + largeTally.line("at 1024 x 1024 within their share of Wine's time") +
            "; " + smallTally.line("at 8 x 8 no slower than Wine") + "; 4096 x 4096 copy " +
            met(copyHolds) + "; 8 x 8 call " + met(smallHolds) + '\n';
    return text;
}

}  // namespace difftest
