#include "speed_call.h"
#include "speed_table.h"
#include "timing.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

constexpr const char* usage =
    "Usage: diblab-speed [--beside FILE]\n"
    "\n"
    "Times SetDIBitsToDevice from every source format onto every destination format, for\n"
    "pictures of 8 x 8 and 1024 x 1024 pixels, then 32 -> 32 at 4096 x 4096 and a memcpy of the\n"
    "same bytes, on the GDI this build has: the emulated layer, or gdi32 in the Windows build.\n"
    "Prints one line per measurement: SOURCE DEST SIZE NANOSECONDS (\"refused\" when the call\n"
    "returns 0). With --beside, FILE holds such lines from another run (the Windows build run\n"
    "under Wine), and the output is a table of both with the speed targets.\n";

using difftest::Timing;

void timePair(const difftest::TestFormat& dest, const difftest::SpeedSource& source,
              std::string_view sourceToken, std::vector<Timing>& timings) {
    const difftest::SpeedTarget target(dest, source.width(), source.height());
    Timing timing{std::string(sourceToken), std::string(dest.token), source.width(), std::nullopt};
    if (target.created() && target.draw(source) != 0) {
        timing.nanoseconds = difftest::nanosecondsPerCall([&] { target.draw(source); });
    }
    timings.push_back(timing);
}

// The 4096 x 4096 32-bpp copy, timed in turns with a memcpy of its bytes into memory of the
// same size.
void timeLargeCopy(std::vector<Timing>& timings) {
    constexpr std::uint32_t size = 4096;
    const difftest::TestFormat& rgb32 = difftest::rgb32Format();
    const difftest::SpeedSource source(rgb32, size, size);
    const difftest::SpeedTarget target(rgb32, size, size);
    std::vector<std::byte> copy(source.bits().size());
    volatile std::byte sink{};
    const auto memcpyCall = [&] {
        std::memcpy(copy.data(), source.bits().data(), copy.size());
        sink = copy[copy.size() / 2];
    };
    Timing call{std::string(rgb32.token), std::string(rgb32.token), size, std::nullopt};
    Timing plainCopy{"memcpy", "-", size, std::nullopt};
    if (target.created() && target.draw(source) != 0) {
        const auto [drawn, copied] =
            difftest::nanosecondsPerCallInTurns([&] { target.draw(source); }, memcpyCall);
        call.nanoseconds = drawn;
        plainCopy.nanoseconds = copied;
    } else {
        plainCopy.nanoseconds = difftest::nanosecondsPerCall(memcpyCall);
    }
    timings.push_back(call);
    timings.push_back(plainCopy);
}

std::vector<Timing> timeEveryPair() {
    std::vector<Timing> timings;
    for (const difftest::TestFormat& format : difftest::sourceFormats()) {
        for (const std::uint32_t size : {8u, 1024u}) {
            const difftest::SpeedSource source(format, size, size);
            for (const difftest::TestFormat& dest : difftest::destinationFormats()) {
                timePair(dest, source, format.token, timings);
            }
        }
    }
    timeLargeCopy(timings);
    return timings;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << usage;
        return 0;
    }
    const bool beside = argc == 3 && std::strcmp(argv[1], "--beside") == 0;
    if (argc != 1 && !beside) {
        std::cerr << usage;
        return 2;
    }
    std::string theirs;
    if (beside) {
        std::ifstream file(argv[2], std::ios::binary);
        if (!file) {
            std::cerr << "diblab-speed: cannot read " << argv[2] << '\n';
            return 1;
        }
        std::ostringstream text;
        text << file.rdbuf();
        theirs = text.str();
    }
    const std::vector<Timing> ours = timeEveryPair();
    if (beside) {
        std::cout << difftest::speedTable(ours, difftest::parseTimings(theirs));
    } else {
        for (const Timing& timing : ours) {
            std::cout << difftest::toTimingLine(timing) << '\n';
        }
    }
    return 0;
}
