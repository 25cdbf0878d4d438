#include "numbers/integer_conversion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Rounding {
    double value;
    double expected;
};

class RoundHalfEven : public ::testing::TestWithParam<Rounding> {};

TEST_P(RoundHalfEven, GoesToTheNearestIntegerAndHalvesToEven) {
    EXPECT_EQ(numbers::roundHalfEven(GetParam().value), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Table, RoundHalfEven,
                         ::testing::Values(Rounding{0.5, 0}, Rounding{1.5, 2}, Rounding{2.5, 2},
                                           Rounding{3.5, 4}, Rounding{254.5, 254},
                                           Rounding{253.5, 254}, Rounding{-0.5, 0},
                                           Rounding{-1.5, -2}, Rounding{-2.5, -2}, Rounding{0.4, 0},
                                           Rounding{0.6, 1}, Rounding{-0.6, -1},
                                           Rounding{0.49999999999999994, 0},
                                           Rounding{4503599627370495.5, 4503599627370496.0},
                                           Rounding{1e300, 1e300}, Rounding{-7.4, -7}));

TEST(ToInt16, KeepsTheFullRangeAndRefusesWhatLiesBeyond) {
    EXPECT_EQ(numbers::toInt16(-32768.0), -32768);
    EXPECT_EQ(numbers::toInt16(32767.0), 32767);
    EXPECT_EQ(numbers::toInt16(32767.4), 32767);
    EXPECT_EQ(numbers::toInt16(-32768.5), -32768);
    EXPECT_EQ(numbers::toInt16(32766.5), 32766);
    EXPECT_FALSE(numbers::toInt16(32767.5));
    EXPECT_FALSE(numbers::toInt16(-32769.0));
    EXPECT_FALSE(numbers::toInt16(32768.0));
    EXPECT_FALSE(numbers::toInt16(std::numeric_limits<double>::infinity()));
    EXPECT_FALSE(numbers::toInt16(std::nan("")));
}

TEST(ToInt32, KeepsTheFullRangeAndRefusesWhatLiesBeyond) {
    EXPECT_EQ(numbers::toInt32(2147483647.0), 2147483647);
    EXPECT_EQ(numbers::toInt32(-2147483648.5), -2147483647 - 1);
    EXPECT_EQ(numbers::toInt32(32768.5), 32768);
    EXPECT_FALSE(numbers::toInt32(2147483647.5));
    EXPECT_FALSE(numbers::toInt32(-2147483649.0));
    EXPECT_FALSE(numbers::toInt32(-std::numeric_limits<double>::infinity()));
}

}  // namespace
