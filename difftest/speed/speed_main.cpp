#include "speed_call.h"
#include "speed_table.h"
#include "timing.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

namespace {

constexpr const char* usage =
    "Usage: diblab-speed [--table OURS WINE]\n"
    "\n"
    "Times SetDIBitsToDevice from every source format onto every destination format, for\n"
    "pictures of 8 x 8 and 1024 x 1024 pixels, then 32 -> 32 at 4096 x 4096 and a memcpy of the\n"
    "same bytes, on the GDI this build has: the emulated layer, or gdi32 in the Windows build.\n"
    "Prints one line per measurement: SOURCE DEST SIZE NANOSECONDS (\"refused\" when the call\n"
    "returns 0), at 1024 x 1024 followed by the bytes the call reads and writes and the time of\n"
    "a memcpy that moves as many in all, timed in turns with the call. With --table, nothing\n"
    "is timed: OURS and WINE hold such lines from runs of\n"
    "this build and of the Windows build under Wine, and the output is a table of both, the\n"
    "fastest of several runs of a measurement counting, with the speed targets.\n";

using difftest::Timing;

constexpr std::uint32_t largeSize = 1024;

// A memcpy of the given bytes from one buffer into another, reading one byte back so that the
// copy cannot be left out.
class PlainCopy {
public:
    explicit PlainCopy(std::size_t bytes) : m_from(bytes, std::byte{1}), m_to(bytes) {}

    void operator()() {
        std::memcpy(m_to.data(), m_from.data(), m_to.size());
        m_sink = m_to[m_to.size() / 2];
    }

private:
    std::vector<std::byte> m_from;
    std::vector<std::byte> m_to;
    volatile std::byte m_sink{};
};

// Times the call; at 1024 x 1024 in turns with a memcpy that moves as many bytes as it reads and
// writes.
void timePair(const difftest::TestFormat& dest, const difftest::SpeedSource& source,
              std::string_view sourceToken, std::vector<Timing>& timings) {
    const difftest::SpeedTarget target(dest, source.width(), source.height());
    Timing timing{std::string(sourceToken), std::string(dest.token), source.width(), std::nullopt};
    if (target.created() && target.draw(source) != 0) {
        const auto draw = [&] { target.draw(source); };
        if (source.width() == largeSize) {
            timing.bytes = source.bits().size() + dest.stride(source.width()) * source.height();
            PlainCopy copy(timing.bytes / 2);
            const auto [drawn, copied] =
                difftest::nanosecondsPerCallInTurns(draw, [&copy] { copy(); });
            timing.nanoseconds = drawn;
            timing.memcpyNanoseconds = copied;
        } else {
            timing.nanoseconds = difftest::nanosecondsPerCall(draw);
        }
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
    PlainCopy copy(source.bits().size());
    const auto memcpyCall = [&copy] { copy(); };
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
        for (const std::uint32_t size : {8u, largeSize}) {
            const difftest::SpeedSource source(format, size, size);
            for (const difftest::TestFormat& dest : difftest::destinationFormats()) {
                timePair(dest, source, format.token, timings);
            }
        }
    }
    timeLargeCopy(timings);
    return timings;
}

std::optional<std::string> fileText(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        std::cerr << "diblab-speed: cannot read " << path << '\n';
        return std::nullopt;
    }
    std::ostringstream text;
    text << file.rdbuf();
    return text.str();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && std::strcmp(argv[1], "--help") == 0) {
        std::cout << usage;
        return 0;
    }
    if (argc == 4 && std::strcmp(argv[1], "--table") == 0) {
        const std::optional<std::string> ours = fileText(argv[2]);
        const std::optional<std::string> wine = fileText(argv[3]);
        if (!ours || !wine) {
            return 1;
        }
        std::cout << difftest::speedTable(difftest::parseTimings(*ours),
                                          difftest::parseTimings(*wine));
        return 0;
    }
    if (argc != 1) {
        std::cerr << usage;
        return 2;
    }
    for (const Timing& timing : timeEveryPair()) {
        std::cout << difftest::toTimingLine(timing) << '\n';
    }
    return 0;
}
