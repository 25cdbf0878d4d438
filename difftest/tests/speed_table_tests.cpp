#include "format_rules.h"
#include "speed_call.h"
#include "speed_table.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string_view>

namespace {

using difftest::Timing;

TEST(TimingLines, ReadBackWhatTheyWriteAndSkipTheRest) {
    const std::vector<Timing> written{{"16:f800:7e0:1f", "8", 1024, 1234.5, 3145728, 70000.5},
                                      {"rle4", "1", 8, std::nullopt},
                                      {"memcpy", "-", 4096, 5e6}};
    std::string text = "stray line\n";
    for (const Timing& t : written) {
        text += difftest::toTimingLine(t) + "\r\n";
    }
    const std::vector<Timing> read = difftest::parseTimings(text);
    ASSERT_EQ(read.size(), 3u);
    EXPECT_EQ(read[0].source, "16:f800:7e0:1f");
    EXPECT_EQ(read[0].dest, "8");
    EXPECT_EQ(read[0].size, 1024u);
    EXPECT_DOUBLE_EQ(*read[0].nanoseconds, 1234.5);
    EXPECT_EQ(read[0].bytes, 3145728u);
    EXPECT_DOUBLE_EQ(*read[0].memcpyNanoseconds, 70000.5);
    EXPECT_FALSE(read[1].nanoseconds);
    EXPECT_FALSE(read[1].memcpyNanoseconds);
    EXPECT_DOUBLE_EQ(*read[2].nanoseconds, 5e6);
}

// Every pair at both sizes, ours at a share of Wine's time: `large` at 1024 x 1024 (`matched`
// for direct colour onto 1, 4 and 8 bpp), `small` at 8 x 8; the 4096 x 4096 copy and memcpy; the
// 8 x 8 32 -> 32 call at `smallCall` ns.
struct Shares {
    double large = 0.5;
    double matched = 0.1;
    double small = 1.0;
    double copy = 1e7;
    double smallCall = 30;
};

struct Runs {
    std::vector<Timing> ours;
    std::vector<Timing> wine;
};

Runs runs(const Shares& shares) {
    Runs r;
    for (const auto& source : difftest::sourceFormats()) {
        for (const auto& dest : difftest::destinationFormats()) {
            for (const std::uint32_t size : {8u, 1024u}) {
                const double wine = size == 8 ? 1000 : 1e6;
                const bool copy32 = source.token == "32" && dest.token == "32" && size == 8;
                const bool matched = !source.indexed() && dest.indexed();
                const double share = size == 8 ? shares.small
                                     : matched ? shares.matched
                                               : shares.large;
                r.ours.push_back({std::string(source.token), std::string(dest.token), size,
                                  copy32 ? shares.smallCall : wine * share});
                r.wine.push_back({std::string(source.token), std::string(dest.token), size, wine});
            }
        }
    }
    r.ours.push_back({"32", "32", 4096, shares.copy});
    r.ours.push_back({"memcpy", "-", 4096, 1e7});
    return r;
}

// The measurement of `source` -> `dest` at `size` in ours.
Timing& ours(Runs& r, std::string_view source, std::string_view dest, std::uint32_t size) {
    for (Timing& t : r.ours) {
        if (t.source == source && t.dest == dest && t.size == size) {
            return t;
        }
    }
    throw std::logic_error("no such measurement");
}

std::string closingLine(const Runs& r) {
    const std::string table = difftest::speedTable(r.ours, r.wine);
    return table.substr(table.find("speed targets:"));
}

TEST(SpeedTable, SaysEveryTargetHolds) {
    EXPECT_EQ(closingLine(runs({})),
              "speed targets: 176 of 176 pairs at 1024 x 1024 within their share of Wine's time "
              "met; 176 of 176 pairs at 8 x 8 no slower than Wine met; 4096 x 4096 copy met; 8 x "
              "8 call met\n");
}

TEST(SpeedTable, NamesThePairsOverTheirShareOfWinesTime) {
    Runs r = runs({});
    ours(r, "1", "4", 1024).nanoseconds = 0.51e6;
    ours(r, "1", "8", 1024).nanoseconds.reset();
    ours(r, "32", "8", 1024).nanoseconds = 0.11e6;
    ours(r, "24", "16", 8).nanoseconds = 1001;
    EXPECT_EQ(closingLine(r),
              "speed targets: 173 of 176 pairs at 1024 x 1024 within their share of Wine's time "
              "MISSED (not: 1->4, 1->8, 32->8); 175 of 176 pairs at 8 x 8 no slower than Wine "
              "MISSED (not: 24->555); 4096 x 4096 copy met; 8 x 8 call met\n");
}

TEST(SpeedTable, CountsTheFastestRunOfEachMeasurement) {
    Runs r = runs({});
    const Runs slower = runs({1.0, 0.2, 2.0, 2e7, 60});
    r.ours.insert(r.ours.begin(), slower.ours.begin(), slower.ours.end());
    // A slower run of ours does not count; a faster run of Wine's does.
    r.ours.push_back({"1", "4", 1024, 0.51e6});
    r.wine.push_back({"1", "8", 1024, 0.5e6});
    EXPECT_EQ(closingLine(r),
              "speed targets: 175 of 176 pairs at 1024 x 1024 within their share of Wine's time "
              "MISSED (not: 1->8); 176 of 176 pairs at 8 x 8 no slower than Wine met; 4096 x 4096 "
              "copy met; 8 x 8 call met\n");
}

TEST(SpeedTable, HoldsTheCopyToMemcpyAndTheSmallCallTo30ns) {
    EXPECT_NE(closingLine(runs({.copy = 1.01e7})).find("copy MISSED"), std::string::npos);
    EXPECT_NE(closingLine(runs({.smallCall = 31})).find("8 x 8 call MISSED"), std::string::npos);
}

TEST(SpeedTable, ShowsOursBesideWineAndTheRatio) {
    const Runs r = runs({0.25, 0.1, 0.25});
    const std::string table = difftest::speedTable(r.ours, r.wine);
    EXPECT_NE(table.find("\n8      565         250 ns    1000 ns    0.25   250.0 us  1000.0 us    "
                         "0.25         -          -       -         met\n"),
              std::string::npos)
        << table;
}

TEST(SpeedTable, ShowsTheBytesAndAMemcpyOfAsManyBesideTheCall) {
    Runs r = runs({});
    Timing& call = ours(r, "8", "16:f800:7e0:1f", 1024);
    call.bytes = 3 << 20;
    call.memcpyNanoseconds = 125e3;
    r.ours.push_back({"8", "16:f800:7e0:1f", 1024, 0.6e6, 3 << 20, 100e3});
    const std::string table = difftest::speedTable(r.ours, r.wine);
    EXPECT_NE(table.find("\n8      565        1000 ns    1000 ns    1.00   500.0 us  1000.0 us    "
                         "0.50  3.00 MiB   100.0 us    5.00         met\n"),
              std::string::npos)
        << table;
}

TEST(SpeedTable, SaysWhichSizeOfAPairMissesItsTarget) {
    Runs r = runs({});
    ours(r, "8", "16:f800:7e0:1f", 8).nanoseconds = 1001;
    ours(r, "8", "24", 1024).nanoseconds = 0.51e6;
    ours(r, "8", "32", 8).nanoseconds = 1001;
    ours(r, "8", "32", 1024).nanoseconds = 0.51e6;
    const std::string table = difftest::speedTable(r.ours, r.wine);
    EXPECT_NE(table.find("\n8      565 "), std::string::npos);
    EXPECT_NE(table.find(" MISSED 8x8\n8      444 "), std::string::npos);
    EXPECT_NE(table.find(" MISSED 1024\n8      32 "), std::string::npos);
    EXPECT_NE(table.find(" MISSED both\n8      888bf "), std::string::npos);
}

// The timing program's RLE pictures: runs that cover every pixel of every line.
TEST(SpeedSources, RleStreamsCoverThePicture) {
    for (const auto& format : difftest::sourceFormats()) {
        if (!format.rle()) {
            continue;
        }
        for (const std::uint32_t size : {1u, 2u, 8u, 37u}) {
            const difftest::SpeedSource source(format, size, size);
            std::vector<std::uint8_t> stream;
            for (const std::byte b : source.bits()) {
                stream.push_back(std::uint8_t(b));
            }
            const auto reach = difftest::streamReach(stream, format.bitCount);
            EXPECT_EQ(reach.columns, size) << format.token << ' ' << size;
            EXPECT_EQ(reach.lines, size) << format.token << ' ' << size;
            EXPECT_EQ(source.info()->bmiHeader.biSizeImage, stream.size());
        }
    }
}

}  // namespace
