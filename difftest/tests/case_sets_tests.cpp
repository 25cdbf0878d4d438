#include "case_sets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <utility>

namespace {

using difftest::ProbeCase;

TEST(GridCases, CoverEveryOrientationPairWithAtLeast200000Cases) {
    const std::vector<ProbeCase> cases = difftest::gridCases();
    EXPECT_GE(cases.size(), 200000u);
    std::set<std::pair<bool, bool>> orientations;
    for (const ProbeCase& c : cases) {
        orientations.insert({c.sourceTopDown, c.destTopDown});
    }
    EXPECT_EQ(orientations.size(), 4u);
}

TEST(GridCases, AreAllEightByEight) {
    const std::vector<ProbeCase> cases = difftest::gridCases();
    EXPECT_TRUE(std::all_of(cases.begin(), cases.end(), [](const ProbeCase& c) {
        return c.destWidth == 8 && c.destHeight == 8 && c.sourceWidth == 8 && c.sourceHeight == 8;
    }));
}

TEST(GridCases, AreAllDistinct) {
    std::set<std::string> lines;
    for (const ProbeCase& c : difftest::gridCases()) {
        lines.insert(difftest::toCaseLine(c));
    }
    EXPECT_EQ(lines.size(), difftest::gridCases().size());
}

std::vector<std::string> randomLines(std::uint32_t seed) {
    std::vector<std::string> lines;
    for (const ProbeCase& c : difftest::randomCases(seed, 2000)) {
        lines.push_back(difftest::toCaseLine(c));
    }
    return lines;
}

TEST(RandomCases, AreReproducibleFromTheirSeed) {
    EXPECT_EQ(randomLines(7), randomLines(7));
    EXPECT_NE(randomLines(7), randomLines(8));
}

TEST(RandomCases, KeepSizesSmallButNotEightByEight) {
    std::set<std::uint32_t> sizes;
    for (const ProbeCase& c : difftest::randomCases(1, 5000)) {
        for (std::uint32_t size : {c.destWidth, c.destHeight, c.sourceWidth, c.sourceHeight}) {
            ASSERT_GE(size, 1u);
            ASSERT_LE(size, 20u);
            sizes.insert(size);
        }
    }
    EXPECT_EQ(sizes.size(), 20u);
}

TEST(RandomCases, ReachTheExtremesOf32Bits) {
    const std::vector<ProbeCase> cases = difftest::randomCases(1, 5000);
    const auto some = [&](auto predicate) {
        return std::any_of(cases.begin(), cases.end(), predicate);
    };
    EXPECT_TRUE(some([](const ProbeCase& c) { return c.xDest == INT_MIN; }));
    EXPECT_TRUE(some([](const ProbeCase& c) { return c.ySrc == INT_MAX; }));
    EXPECT_TRUE(some([](const ProbeCase& c) { return c.width == 0xffffffff; }));
    EXPECT_TRUE(some([](const ProbeCase& c) { return c.height == 0x80000000; }));
    EXPECT_TRUE(some([](const ProbeCase& c) { return c.startScan == 0x7fffffff; }));
    EXPECT_TRUE(some([](const ProbeCase& c) { return c.cLines == 0xfffffffe; }));
}

TEST(CaseLine, WritesTheEightArgumentsAsSigned32BitValues) {
    ProbeCase c;
    c.destTopDown = true;
    c.fill = 0xffffffff;
    c.base = 0x00a00000;
    c.xDest = -3;
    c.width = 0xffffffff;
    c.height = 0x80000000;
    c.startScan = 2;
    c.cLines = 3;
    EXPECT_EQ(difftest::toCaseLine(c), "8 8 1 ffffffff 8 8 0 00a00000 -3 0 -1 -2147483648 0 0 2 3");
}

}  // namespace
