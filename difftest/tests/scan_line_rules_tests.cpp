#include "scan_line_rules.h"

#include <gtest/gtest.h>

#include <cstdint>

namespace {

using difftest::ProbeCase;

// A worked 8 x 8 example: the eight arguments, then the result for a bottom-up and a top-down
// source, each as Windows gives it and as Wine gives it.
struct WorkedExample {
    const char* name;
    std::int32_t xDest, yDest;
    std::uint32_t width, height;
    std::int32_t xSrc, ySrc;
    std::uint32_t startScan, cLines;
    std::int64_t bottomUpWindows, bottomUpWine, topDownWindows, topDownWine;
};

ProbeCase caseOf(const WorkedExample& e, bool sourceTopDown) {
    ProbeCase c;
    c.sourceTopDown = sourceTopDown;
    c.xDest = e.xDest;
    c.yDest = e.yDest;
    c.width = e.width;
    c.height = e.height;
    c.xSrc = e.xSrc;
    c.ySrc = e.ySrc;
    c.startScan = e.startScan;
    c.cLines = e.cLines;
    return c;
}

class WorkedExamples : public testing::TestWithParam<WorkedExample> {};

TEST_P(WorkedExamples, WindowsRule) {
    EXPECT_EQ(difftest::windowsScanLines(caseOf(GetParam(), false)), GetParam().bottomUpWindows);
    EXPECT_EQ(difftest::windowsScanLines(caseOf(GetParam(), true)), GetParam().topDownWindows);
}

TEST_P(WorkedExamples, WineRule) {
    EXPECT_EQ(difftest::wineScanLines(caseOf(GetParam(), false)), GetParam().bottomUpWine);
    EXPECT_EQ(difftest::wineScanLines(caseOf(GetParam(), true)), GetParam().topDownWine);
}

constexpr std::uint32_t minusOne = 0xffffffff;

INSTANTIATE_TEST_SUITE_P(
    EightByEight, WorkedExamples,
    testing::Values(
        WorkedExample{"Defaults", 0, 0, 8, 8, 0, 0, 0, 8, 8, 8, 8, 8},
        WorkedExample{"Lines4", 0, 0, 8, 8, 0, 0, 0, 4, 4, 4, 4, 4},
        WorkedExample{"Start4Lines4", 0, 0, 8, 8, 0, 0, 4, 4, 4, 4, 4, 4},
        WorkedExample{"Start2Lines3", 0, 0, 8, 8, 0, 0, 2, 3, 3, 3, 3, 3},
        WorkedExample{"YSrc2", 0, 0, 8, 8, 0, 2, 0, 8, 8, 8, 8, 8},
        WorkedExample{"YSrcMinus2", 0, 0, 8, 8, 0, -2, 0, 8, 6, 6, 8, 8},
        WorkedExample{"YDest3", 0, 3, 8, 8, 0, 0, 0, 8, 8, 8, 8, 8},
        WorkedExample{"YDestMinus3", 0, -3, 8, 8, 0, 0, 0, 8, 8, 8, 8, 8},
        WorkedExample{"Height3", 0, 0, 8, 3, 0, 0, 0, 8, 3, 3, 8, 8},
        WorkedExample{"Height3YSrc5", 0, 0, 8, 3, 0, 5, 0, 8, 8, 8, 8, 8},
        WorkedExample{"Lines12", 0, 0, 8, 8, 0, 0, 0, 12, 8, 8, 12, 12},
        WorkedExample{"Start8", 0, 0, 8, 8, 0, 0, 8, 8, 0, 0, 8, 0},
        WorkedExample{"BandBelowRectangle", 0, 0, 8, 4, 0, 4, 0, 4, 4, 0, 4, 0},
        WorkedExample{"XSrc5", 0, 0, 8, 8, 5, 0, 0, 8, 8, 8, 8, 8},
        WorkedExample{"XSrc8", 0, 0, 8, 8, 8, 0, 0, 8, 8, 0, 8, 0},
        WorkedExample{"Height0", 0, 0, 8, 0, 0, 0, 0, 8, 0, 0, 8, 8},
        WorkedExample{"Width0", 0, 0, 0, 8, 0, 0, 0, 8, 8, 0, 8, 0},
        WorkedExample{"WidthMinus1", 0, 0, minusOne, 8, 0, 0, 0, 8, 8, 0, 8, 0},
        WorkedExample{"HeightMinus1", 0, 0, 8, minusOne, 0, 0, 0, 8, 0, 0, 8, 8},
        WorkedExample{"Lines0", 0, 0, 8, 8, 0, 0, 0, 0, 0, 0, 0, 0},
        WorkedExample{"LinesNegative", 0, 0, 8, 8, 0, 0, 0, minusOne, 8, 8, 0, 0},
        WorkedExample{"LinesNegativeYSrcMinus2", 0, 0, 8, 8, 0, -2, 0, minusOne, 6, 6, 0, -1},
        WorkedExample{"HeightMinus3YSrc5", 0, 0, 8, 0xfffffffd, 0, 5, 0, 8, 2, 0, 8, 0},
        WorkedExample{"XSrcWrapsPastWidth", 0, 0, 0x7fffffff, 8, 5, 0, 0, 8, 8, 0, 8, 0}),
    [](const testing::TestParamInfo<WorkedExample>& info) { return info.param.name; });

}  // namespace
