#include "probe_output.h"

#include <gtest/gtest.h>

TEST(ProbeLine, StartTwoLinesThreeDrawsTheBottomRowsInTheMiddle)
{
    std::string out;
    ASSERT_TRUE(probe::processLine("8 8 0 ffffffff 8 8 0 00a00000 0 0 8 8 0 0 2 3",
                                   probe::OutputStyle::Grid, out));
    EXPECT_NE(out.find("result 3\n"), std::string::npos) << out;
    EXPECT_NE(out.find("3: 00a00500"), std::string::npos) << out;
}
