#include "format_cases.h"
#include "format_rules.h"
#include "rle_cases.h"
#include "scan_line_rules.h"
#include "wine_plan.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace {

using difftest::ProbeCase;
using difftest::WineRun;

std::vector<ProbeCase> everyPart(const difftest::CaseFeed& feed) {
    std::vector<ProbeCase> cases;
    for (auto part = feed(); !part.empty(); part = feed()) {
        cases.insert(cases.end(), part.begin(), part.end());
    }
    return cases;
}

TEST(PairGridCases, CoverEveryOrientationPairAndBitPositionOnce) {
    const auto& source = difftest::sourceFormats()[0];
    const auto cases = difftest::pairGridCases(source, difftest::destinationFormats()[3]);
    EXPECT_EQ(cases.size(), 504u);
    std::set<std::string> lines;
    std::set<std::pair<bool, bool>> orientations;
    std::set<std::int32_t> columns;
    for (const ProbeCase& c : cases) {
        lines.insert(difftest::toCaseLine(c));
        orientations.insert({c.sourceTopDown, c.destTopDown});
        columns.insert(c.xSrc);
    }
    EXPECT_EQ(lines.size(), cases.size());
    EXPECT_EQ(orientations.size(), 4u);
    for (std::int32_t column = 0; column < 4; ++column) {
        EXPECT_TRUE(columns.count(column)) << column;
    }
}

TEST(FormatCases, TakeEveryUncompressedSourceOntoEveryDestinationOnce) {
    std::map<std::pair<std::string_view, std::string_view>, std::size_t> pairs;
    for (const ProbeCase& c : everyPart(difftest::formatCases(1, 10))) {
        ++pairs[{c.source->token, c.dest->token}];
    }
    std::size_t expected = 0;
    for (const auto& source : difftest::sourceFormats()) {
        for (const auto& dest : difftest::destinationFormats()) {
            if (!source.rle()) {
                ++expected;
                EXPECT_EQ((pairs[{source.token, dest.token}]), 514u) << source.token << dest.token;
            }
        }
    }
    EXPECT_EQ(pairs.size(), expected);
}

TEST(FormatCases, AreReproducibleFromTheirSeed) {
    const auto lines = [](std::uint32_t seed) {
        std::vector<std::string> text;
        for (const ProbeCase& c : difftest::formatCases(seed, 20)()) {
            text.push_back(difftest::toCaseLine(c));
        }
        return text;
    };
    EXPECT_EQ(lines(5), lines(5));
    EXPECT_NE(lines(5), lines(6));
}

std::vector<ProbeCase> randomSample(std::uint32_t seed) {
    difftest::Draw draw(seed);
    std::vector<ProbeCase> cases;
    for (const auto& source : difftest::sourceFormats()) {
        for (const auto& dest : difftest::destinationFormats()) {
            for (int i = 0; i < 60; ++i) {
                cases.push_back(source.rle() ? difftest::randomRleCase(draw, source, dest)
                                             : difftest::randomFormatCase(draw, source, dest));
            }
        }
    }
    return cases;
}

// Lines the probe accepts and Wine can take as the plan says: px values that fit, RLE with
// bits and edges within an int, a larger header only over a table held in the entries given,
// short buffers only with arguments Wine draws as Windows does.
TEST(RandomFormatCases, KeepToWhatTheProbeAndThePlanRelyOn) {
    for (const ProbeCase& c : randomSample(11)) {
        const std::string line = difftest::toCaseLine(c);
        const std::uint64_t limit = std::uint64_t(1) << c.source->bitCount;
        for (const std::uint32_t pixel : c.pixels) {
            ASSERT_LT(pixel, limit) << line;
        }
        ASSERT_TRUE(c.pixels.empty() || c.pixels.size() == c.sourceWidth * c.sourceHeight);
        ASSERT_LT(c.fill, std::uint64_t(1) << c.dest->bitCount) << line;
        if (c.source->rle()) {
            ASSERT_TRUE(c.bits && !c.bits->empty() && c.pixels.empty()) << line;
            ASSERT_FALSE(difftest::edgesOverflowInt(c)) << line;
        }
        if (c.headerSize && c.source->indexed() && !c.paletteIndices && !c.sourceColours.empty()) {
            ASSERT_LE(difftest::colourEntriesRead(c), c.sourceColours.size()) << line;
        }
        if (difftest::shortBuffer(c)) {
            ASSERT_FALSE(difftest::edgesOverflowInt(c) || difftest::windowsRefusesBand(c)) << line;
        }
    }
}

TEST(RandomFormatCases, ReachEveryDepartureAndKeepCutAreasSmall) {
    std::map<WineRun, std::size_t> runs;
    for (const ProbeCase& c : randomSample(12)) {
        const auto planned = difftest::planCase(c);
        ++runs[planned.run];
        if (planned.run == WineRun::CutDecodeArea) {
            ASSERT_LE(difftest::decodeAreaBytes(planned.wine), difftest::wineDecodeAreaLimit);
        }
    }
    for (const WineRun run : {WineRun::RgbTable, WineRun::WholeBuffer, WineRun::StreamWithinBuffer,
                              WineRun::CutDecodeArea, WineRun::NotSent}) {
        EXPECT_GE(runs[run], 20u) << int(run);
    }
    EXPECT_GT(runs[WineRun::SameCase], 8000u);
}

// Whether some colour of the source table has two destination entries at its smallest squared
// distance (the destination table filled with black to 2^bpp entries).
bool tableHasATie(const ProbeCase& c) {
    std::vector<std::uint32_t> dest = c.destColours;
    dest.resize(std::size_t(1) << c.dest->bitCount, 0);
    for (const std::uint32_t colour : c.sourceColours) {
        std::int64_t best = INT64_MAX;
        int nearest = 0;
        for (const std::uint32_t entry : dest) {
            std::int64_t distance = 0;
            for (const int shift : {0, 8, 16}) {
                const std::int64_t d =
                    std::int64_t((colour >> shift) & 0xff) - ((entry >> shift) & 0xff);
                distance += d * d;
            }
            nearest = distance < best ? 1 : nearest + (distance == best);
            best = std::min(best, distance);
        }
        if (nearest > 1) {
            return true;
        }
    }
    return false;
}

TEST(RandomFormatCases, GiveIndexedDestinationsExactTies) {
    std::size_t tables = 0;
    std::size_t ties = 0;
    for (const ProbeCase& c : randomSample(13)) {
        if (c.dest->indexed() && !c.destColours.empty() && !c.sourceColours.empty() &&
            !c.paletteIndices) {
            ++tables;
            ties += tableHasATie(c);
        }
    }
    EXPECT_GT(tables, 200u);
    EXPECT_GT(ties * 4, tables);
}

TEST(RleStreams, EndEveryWayTheDecoderKnows) {
    difftest::Draw draw(14);
    std::map<std::string, std::size_t> endings;
    for (int i = 0; i < 2000; ++i) {
        const auto stream =
            difftest::drawRleStream(draw, 8, 1 + draw.below(16), 1 + draw.below(10));
        ASSERT_FALSE(stream.empty());
        const std::size_t n = stream.size();
        const bool endOfBitmap = n >= 2 && stream[n - 2] == 0 && stream[n - 1] == 1;
        const bool endOfLine = n >= 2 && stream[n - 2] == 0 && stream[n - 1] == 0;
        ++endings[endOfBitmap ? "end of bitmap" : endOfLine ? "end of line" : "other"];
    }
    EXPECT_GT(endings["end of bitmap"], 600u);
    EXPECT_GT(endings["other"], 300u);
}

}  // namespace
