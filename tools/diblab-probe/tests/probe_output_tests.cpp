#include "probe_output.h"

#include <gtest/gtest.h>

#include <sstream>

namespace {

std::string processed(std::string_view line, probe::OutputStyle style = probe::OutputStyle::Line) {
    std::string out;
    probe::processLine(line, style, out);
    return out;
}

TEST(ProcessLine, PrintsTheResultAndTheDestinationInScreenOrder) {
    // A 2x2 top-down source onto a 2x3 bottom-up destination, one row down.
    EXPECT_EQ(processed("2 3 0 eeeeeeee 2 2 1 c0000000 0 1 2 2 0 0 0 2"),
              "2 eeeeeeee eeeeeeee c0000000 c0000001 c0000100 c0000101\n");
    EXPECT_EQ(processed("2 3 1 eeeeeeee 2 2 0 c0000000 0 1 2 2 0 0 0 2"),
              "2 eeeeeeee eeeeeeee c0000000 c0000001 c0000100 c0000101\n");
}

TEST(ProcessLine, ShowsTheTopDownQuirkOfAPartialBand) {
    EXPECT_EQ(processed("1 4 0 0 1 4 1 a0 0 0 1 4 0 0 0 2"),
              "2 00000000 00000000 000000a0 000001a0\n");
    EXPECT_EQ(processed("1 4 0 0 1 4 0 a0 0 0 1 4 0 0 0 2"),
              "2 00000000 00000000 000002a0 000003a0\n");
}

TEST(ProcessLine, ReportsTheWindowsResultOfAFailingCall) {
    EXPECT_EQ(processed("1 1 0 5 1 1 0 9 0 0 1 1 0 0 0 0"), "0 00000005\n");
}

TEST(ProcessLine, PrintsAGridOnRequest) {
    EXPECT_EQ(processed("2 11 0 0 1 1 0 ab 1 10 1 1 0 0 0 1 px ff", probe::OutputStyle::Grid),
              "result 1\n"
              " 0: 00000000 00000000\n 1: 00000000 00000000\n 2: 00000000 00000000\n"
              " 3: 00000000 00000000\n 4: 00000000 00000000\n 5: 00000000 00000000\n"
              " 6: 00000000 00000000\n 7: 00000000 00000000\n 8: 00000000 00000000\n"
              " 9: 00000000 00000000\n10: 00000000 000000ff\n\n");
}

TEST(RunProbe, KeepsGoingAfterAnErrorAndReportsItInTheStatus) {
    std::istringstream in(
        "# header\n1 1 0 0 1 1 0 7 0 0 1 1 0 0 0 1\n\n1 1 0\n1 1 0 0 1 1 0 8 0 0 1 1 0 0 0 1\n");
    std::ostringstream out;
    EXPECT_EQ(probe::runProbe(in, out, probe::OutputStyle::Line), 1);
    EXPECT_EQ(out.str(), "1 00000007\nerror: missing field FILL\n1 00000008\n");
}

TEST(RunProbe, SucceedsWhenEveryLineIsRead) {
    std::istringstream in("1 1 0 0 1 1 0 7 0 0 1 1 0 0 0 1\r\n");
    std::ostringstream out;
    EXPECT_EQ(probe::runProbe(in, out, probe::OutputStyle::Line), 0);
    EXPECT_EQ(out.str(), "1 00000007\n");
}

}  // namespace
