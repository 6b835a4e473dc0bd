#include "text/numbertext.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace orvik {
namespace {

TEST(GeneralNumber, PlainDecimalsWithCommaAndNoTrailingZeros) {
    EXPECT_EQ(generalNumber(0), "0");
    EXPECT_EQ(generalNumber(-0.0), "0");
    EXPECT_EQ(generalNumber(12), "12");
    EXPECT_EQ(generalNumber(2.5), "2,5");
    EXPECT_EQ(generalNumber(-0.5), "-0,5");
    EXPECT_EQ(generalNumber(1234567.25), "1234567,25");
    EXPECT_EQ(generalNumber(0.1 + 0.2), "0,3");
    EXPECT_EQ(generalNumber(1.0 / 3), "0,333333333333333");
    EXPECT_EQ(generalNumber(-2.0 / 3), "-0,666666666666667");
    EXPECT_EQ(generalNumber(123456789012345.0), "123456789012345");
    EXPECT_EQ(generalNumber(0.0001), "0,0001");
}

TEST(GeneralNumber, ExponentFormBeyondFifteenDigitsAndBelowTenThousandths) {
    EXPECT_EQ(generalNumber(1e15), "1E+15");
    EXPECT_EQ(generalNumber(-1.5e20), "-1,5E+20");
    EXPECT_EQ(generalNumber(999999999999999.9), "1E+15"); // rounds up into the next power
    EXPECT_EQ(generalNumber(1e-5), "1E-05");
    EXPECT_EQ(generalNumber(0.000099999999999999999), "0,0001");
    EXPECT_EQ(generalNumber(1.25e-7), "1,25E-07");
    EXPECT_EQ(generalNumber(1e300), "1E+300");
}

TEST(PatternNumber, HalvesRoundAwayFromZeroAsTheNumberReads) {
    EXPECT_EQ(patternNumber(1.005, "0.00"), "1,01");
    EXPECT_EQ(patternNumber(2.675, "0.00"), "2,68");
    EXPECT_EQ(patternNumber(0.125, "0.00"), "0,13");
    EXPECT_EQ(patternNumber(-0.125, "0.00"), "-0,13");
    EXPECT_EQ(patternNumber(2.5, "0"), "3");
    EXPECT_EQ(patternNumber(-2.5, "0"), "-3");
    EXPECT_EQ(patternNumber(0.49, "0"), "0");
    EXPECT_EQ(patternNumber(9.995, "0.00"), "10,00");
    EXPECT_EQ(patternNumber(99.5, "0"), "100");
}

TEST(PatternNumber, ZerosPadAndNegativeZeroLosesItsSign) {
    EXPECT_EQ(patternNumber(-0.004, "0.00"), "0,00");
    EXPECT_EQ(patternNumber(-0.4, "0"), "0");
    EXPECT_EQ(patternNumber(0, "0.00"), "0,00");
    EXPECT_EQ(patternNumber(3, "0.00"), "3,00");
    EXPECT_EQ(patternNumber(0.5, "0.00"), "0,50");
    EXPECT_EQ(patternNumber(-5 + 100000000.0, "000000000"), "099999995");
    EXPECT_EQ(patternNumber(-125 + 1000000000.0, "0000000000"), "0999999875");
    EXPECT_EQ(patternNumber(-5, "000000000"), "-000000005");
    EXPECT_EQ(patternNumber(-100000001, "000000000"), "-100000001");
}

TEST(PatternNumber, LargeValuesKeepEveryIntegerDigit) {
    EXPECT_EQ(patternNumber(9000000000.0, "0000000000"), "9000000000");
    EXPECT_EQ(patternNumber(12345678901.0, "0000000000"), "12345678901");
    EXPECT_EQ(patternNumber(1e20, "0"), "100000000000000000000");
    EXPECT_EQ(patternNumber(1e-20, "0.00"), "0,00");
}

TEST(NumberText, NonFiniteValuesGiveAVisibleText) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(generalNumber(nan), "NaN");
    EXPECT_EQ(generalNumber(-inf), "-Inf");
    EXPECT_EQ(patternNumber(inf, "0.00"), "Inf");
    EXPECT_TRUE(std::isnan(roundHalfAway(nan, 2)));
    EXPECT_EQ(cellNumber(generalNumber(nan)), 0);
}

TEST(RoundHalfAway, UsesTheFifteenDigitReading) {
    EXPECT_EQ(roundHalfAway(2.675, 2), 2.68);
    EXPECT_EQ(roundHalfAway(1.005, 2), 1.01);
    EXPECT_EQ(roundHalfAway(-2.5, 0), -3);
    EXPECT_EQ(roundHalfAway(2.49999, 0), 2);
    EXPECT_EQ(roundHalfAway(0.00005, 4), 0.0001);
    EXPECT_EQ(roundHalfAway(1.23456789, 4), 1.2346);
    EXPECT_EQ(roundHalfAway(1250, -2), 1300);
    EXPECT_EQ(roundHalfAway(7, 4), 7);
    EXPECT_FALSE(std::signbit(roundHalfAway(-0.00001, 4))); // no negative zero
}

TEST(CellNumber, ReadsSignDigitsAndOnePointFromTheStart) {
    EXPECT_EQ(cellNumber("        12"), 12);
    EXPECT_EQ(cellNumber("  -1.5"), -1.5);
    EXPECT_EQ(cellNumber("+3"), 3);
    EXPECT_EQ(cellNumber(".25"), 0.25);
    EXPECT_EQ(cellNumber("7."), 7);
    EXPECT_EQ(cellNumber("1.2.3"), 1.2);
    EXPECT_EQ(cellNumber("2,5"), 2); // the comma ends the number
    EXPECT_EQ(cellNumber("1E5"), 1); // no exponent
    EXPECT_EQ(cellNumber("12 34"), 12);
    EXPECT_EQ(cellNumber(" 099999995"), 99999995);
}

TEST(CellNumber, TextWithoutDigitsIsZero) {
    EXPECT_EQ(cellNumber(""), 0);
    EXPECT_EQ(cellNumber("          "), 0);
    EXPECT_EQ(cellNumber("-"), 0);
    EXPECT_EQ(cellNumber("-."), 0);
    EXPECT_EQ(cellNumber("abc"), 0);
    EXPECT_EQ(cellNumber("\t5"), 0); // only blanks are skipped
}

TEST(CommaNumber, AcceptsOnlyANumberWithDecimalComma) {
    EXPECT_EQ(commaNumber("2,5"), 2.5);
    EXPECT_EQ(commaNumber("    7"), 7);
    EXPECT_EQ(commaNumber(" -3 "), -3);
    EXPECT_EQ(commaNumber("+1,25"), 1.25);
    EXPECT_EQ(commaNumber(",5"), 0.5);
    EXPECT_EQ(commaNumber("5,"), 5);
    EXPECT_EQ(commaNumber("00012"), 12);
    for (const char* bad :
         {"", "     ", "-", ",", "2.5", "1,2,3", "1 2", "- 3", "3-", "1e3", "x", "\t4", "2,5kg"})
        EXPECT_FALSE(commaNumber(bad).has_value()) << '"' << bad << '"';
    EXPECT_EQ(firstCommaToPoint("1,5,5"), "1.5,5");
}

} // namespace
} // namespace orvik
