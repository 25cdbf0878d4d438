#include "numbers/leading_number.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace {

struct Reading {
    std::string text;
    std::optional<double> expected;
};

void PrintTo(const Reading& reading, std::ostream* out) {
    *out << '"' << reading.text << '"';
}

class ReadLeadingNumber : public ::testing::TestWithParam<Reading> {};

TEST_P(ReadLeadingNumber, ReadsTheLeadingNumber) {
    EXPECT_EQ(numbers::readLeadingNumber(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Decimal, ReadLeadingNumber,
    ::testing::Values(Reading{"255", 255}, Reading{"0255", 255}, Reading{"255.0", 255},
                      Reading{"12abc", 12}, Reading{"-3", -3}, Reading{"+7", 7},
                      Reading{"2.5", 2.5}, Reading{".5", 0.5}, Reading{"5.", 5},
                      Reading{"-.25", -0.25}, Reading{"1.2.3", 1.2}, Reading{"1e3", 1000},
                      Reading{"1E+2", 100}, Reading{"25e-1", 2.5}, Reading{"1d2", 100},
                      Reading{"1e", 1}, Reading{"1e+", 1}, Reading{"1ex", 1}, Reading{"7.4", 7.4},
                      Reading{"0.1", 0.1}, Reading{"1,000", 1}, Reading{"--5", 0}, Reading{"-", 0},
                      Reading{".", 0}, Reading{"", 0}, Reading{"abc", 0}, Reading{"e5", 0},
                      Reading{"inf", 0}, Reading{"nan", 0}, Reading{"0x1F", 0},
                      Reading{"1e-999", 0}, Reading{"-1e-999", 0},
                      Reading{"0e99999999999999999999", 0},
                      Reading{"1.7976931348623157e308", 1.7976931348623157e308},
                      Reading{"4.9406564584124654e-324", 4.9406564584124654e-324}));

INSTANTIATE_TEST_SUITE_P(IgnoredCharacters, ReadLeadingNumber,
                         ::testing::Values(Reading{" 1 2 3", 123}, Reading{"\t-\n4", -4},
                                           Reading{"2 . 5", 2.5}, Reading{"1 e 2", 100},
                                           Reading{"& h f f", 255}, Reading{"1\r2", 1},
                                           Reading{"\n\n", 0}));

INSTANTIATE_TEST_SUITE_P(
    HexadecimalAndOctal, ReadLeadingNumber,
    ::testing::Values(Reading{"&HFF", 255}, Reading{"&hff", 255}, Reading{"&H1G", 1},
                      Reading{"&H", 0}, Reading{"&", 0}, Reading{"&X12", 0}, Reading{"&O17", 15},
                      Reading{"&o8", 0}, Reading{"&H7FFFFFFF", 2147483647},
                      Reading{"&HFFFFFFFF", -1}, Reading{"&H80000000", -2147483648.0},
                      Reading{"&H00000000000000FF", 255}, Reading{"&O37777777777", -1},
                      Reading{"&H-1", 0}, Reading{"&HFFFFFFFFFFFFFFFF", std::nullopt},
                      Reading{"&H100000000", std::nullopt},
                      Reading{"&O40000000000", std::nullopt}));

INSTANTIATE_TEST_SUITE_P(BeyondDoubleRange, ReadLeadingNumber,
                         ::testing::Values(Reading{"1e999", std::nullopt},
                                           Reading{"-1e999", std::nullopt},
                                           Reading{"1.8e308", std::nullopt},
                                           Reading{"0.0001e312", 1e308},
                                           Reading{"0.001e312", std::nullopt},
                                           Reading{"1e99999999999999999999", std::nullopt},
                                           Reading{"1 e 999abc", std::nullopt}));

TEST(ReadLeadingNumberLong, TenThousandDigitsReadAsTheNearestDouble) {
    EXPECT_EQ(numbers::readLeadingNumber("1" + std::string(300, '0')), 1e300);
    EXPECT_EQ(numbers::readLeadingNumber(std::string(10'000, '9')), std::nullopt);
    EXPECT_EQ(numbers::readLeadingNumber("0." + std::string(10'000, '0') + "1"), 0.0);
    EXPECT_EQ(numbers::readLeadingNumber("0." + std::string(10'000, '3')), 1.0 / 3.0);
    EXPECT_EQ(numbers::readLeadingNumber("2." + std::string(10'000, '0') + "1"), 2.0);
}

TEST(ReadLeadingNumberLong, HalfwayCaseDecidedByADigitFarBehind) {
    // 2^53 + 1 lies exactly between two doubles; a trailing non-zero digit tips it upwards.
    const std::string halfway = "9007199254740993";
    EXPECT_EQ(numbers::readLeadingNumber(halfway), 9007199254740992.0);
    EXPECT_EQ(numbers::readLeadingNumber(halfway + "." + std::string(10'000, '0') + "1"),
              9007199254740994.0);
}

TEST(ReadLeadingNumberLong, MebibyteTextsOfBlanksOrDigits) {
    const std::string blanks(1 << 20, ' ');
    EXPECT_EQ(numbers::readLeadingNumber(blanks + "42"), 42);
    std::string spacedDigits;
    for (int i = 0; i < (1 << 19); ++i) spacedDigits += "0 ";
    EXPECT_EQ(numbers::readLeadingNumber(spacedDigits + "7x"), 7);
    EXPECT_EQ(numbers::readLeadingNumber(std::string(1 << 20, '1')), std::nullopt);
    EXPECT_EQ(numbers::readLeadingNumber("&H" + std::string(1 << 20, '0') + "1"), 1);
}

}  // namespace
