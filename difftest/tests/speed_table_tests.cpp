#include "format_rules.h"
#include "speed_call.h"
#include "speed_table.h"

#include <gtest/gtest.h>

namespace {

using difftest::Timing;

TEST(TimingLines, ReadBackWhatTheyWriteAndSkipTheRest) {
    const std::vector<Timing> written{{"16:f800:7e0:1f", "8", 1024, 1234.5},
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
    EXPECT_FALSE(read[1].nanoseconds);
    EXPECT_DOUBLE_EQ(*read[2].nanoseconds, 5e6);
}

// Every pair at both sizes, ours at `share` of Wine's time; the 4096 x 4096 copy and memcpy; the
// 8 x 8 32 -> 32 call at `smallCall` ns.
struct Runs {
    std::vector<Timing> ours;
    std::vector<Timing> wine;
};

Runs runs(double share, double copy, double smallCall) {
    Runs r;
    for (const auto& source : difftest::sourceFormats()) {
        for (const auto& dest : difftest::destinationFormats()) {
            for (const std::uint32_t size : {8u, 1024u}) {
                const double wine = size == 8 ? 1000 : 1e6;
                const bool copy32 = source.token == "32" && dest.token == "32" && size == 8;
                r.ours.push_back({std::string(source.token), std::string(dest.token), size,
                                  copy32 ? smallCall : wine * share});
                r.wine.push_back({std::string(source.token), std::string(dest.token), size, wine});
            }
        }
    }
    r.ours.push_back({"32", "32", 4096, copy});
    r.ours.push_back({"memcpy", "-", 4096, 1e7});
    return r;
}

std::string closingLine(const Runs& r) {
    const std::string table = difftest::speedTable(r.ours, r.wine);
    return table.substr(table.find("speed targets:"));
}

TEST(SpeedTable, SaysEveryTargetHolds) {
    EXPECT_EQ(closingLine(runs(0.5, 1.05e7, 40)),
              "speed targets: 176 of 176 pairs at 1024 x 1024 at least as fast as Wine met; 4096 "
              "x 4096 copy met; 8 x 8 call met\n");
}

TEST(SpeedTable, NamesThePairsSlowerThanWine) {
    Runs r = runs(1.0, 1e7, 30);
    r.ours[3].nanoseconds = 1.01e6;  // 1 -> 4 at 1024 x 1024
    r.ours[5].nanoseconds.reset();   // 1 -> 8 refused
    EXPECT_EQ(closingLine(r),
              "speed targets: 174 of 176 pairs at 1024 x 1024 at least as fast as Wine MISSED "
              "(not: 1->4, 1->8); 4096 x 4096 copy met; 8 x 8 call met\n");
}

TEST(SpeedTable, CountsTheFastestRunOfEachMeasurement) {
    Runs r = runs(1.0, 1e7, 30);
    const Runs slower = runs(2.0, 2e7, 60);
    r.ours.insert(r.ours.begin(), slower.ours.begin(), slower.ours.end());
    // A slower run of ours does not count; a faster run of Wine's does.
    r.ours.push_back({"1", "4", 1024, 1.01e6});
    r.wine.push_back({"1", "8", 1024, 0.5e6});
    EXPECT_EQ(closingLine(r),
              "speed targets: 175 of 176 pairs at 1024 x 1024 at least as fast as Wine MISSED "
              "(not: 1->8); 4096 x 4096 copy met; 8 x 8 call met\n");
}

TEST(SpeedTable, HoldsTheCopyToMemcpyAndTheSmallCallTo40ns) {
    EXPECT_NE(closingLine(runs(0.5, 1.06e7, 40)).find("copy MISSED"), std::string::npos);
    EXPECT_NE(closingLine(runs(0.5, 1e7, 41)).find("8 x 8 call MISSED"), std::string::npos);
}

TEST(SpeedTable, ShowsOursBesideWineAndTheRatio) {
    const std::string table =
        difftest::speedTable(runs(0.25, 1e7, 40).ours, runs(0.25, 1e7, 40).wine);
    EXPECT_NE(table.find("\n8      565         250 ns    1000 ns    0.25   250.0 us  1000.0 us    "
                         "0.25      met\n"),
              std::string::npos)
        << table;
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
