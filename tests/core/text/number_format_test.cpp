#include "text/number_format.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>

namespace rizazovoz {
namespace {

TEST(FormatInteger, PlainDecimalWithMinusAndNoGrouping) {
  EXPECT_EQ(formatInteger(0), "0");
  EXPECT_EQ(formatInteger(4080), "4080");
  EXPECT_EQ(formatInteger(-5), "-5");
  EXPECT_EQ(formatInteger(1234567), "1234567");
  EXPECT_EQ(formatInteger(LLONG_MIN), "-9223372036854775808");
  EXPECT_EQ(formatInteger(LLONG_MAX), "9223372036854775807");
}

struct FixedCase {
  double value;
  int precision;
  int digits;
  const char* expected;
};

void PrintTo(const FixedCase& c, std::ostream* os) {
  *os << "Fixed(" << c.precision << ", " << c.digits << ") of " << c.value;
}

class FormatFixed : public testing::TestWithParam<FixedCase> {};

TEST_P(FormatFixed, WritesTheRoundedValue) {
  const FixedCase& c = GetParam();
  EXPECT_EQ(formatFixed(c.value, c.precision, c.digits, '.'), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rounding, FormatFixed,
    testing::Values(
        // Significant digits bound before decimals do; padding to exactly D decimals.
        FixedCase{0.456, 2, 2, "0.46"}, FixedCase{12.34, 2, 2, "12.00"},
        FixedCase{3.14159, 6, 0, "3"}, FixedCase{3.14159, 6, 1, "3.1"},
        FixedCase{3.14159, 6, 2, "3.14"}, FixedCase{3.14159, 6, 3, "3.142"},
        FixedCase{7.0, 4, 3, "7.000"}, FixedCase{123.0, 3, 2, "123.00"},
        // Halves away from zero, on the exact binary value.
        FixedCase{2.5, 2, 0, "3"}, FixedCase{-2.5, 2, 0, "-3"}, FixedCase{0.125, 3, 2, "0.13"},
        FixedCase{-0.125, 3, 2, "-0.13"}, FixedCase{double{0.45f}, 3, 1, "0.4"},
        FixedCase{0.45, 3, 1, "0.5"},                    // the double 0.45 lies just above the half
        FixedCase{1.005, 4, 2, "1.00"},                  // 1.00499999999999989...
        FixedCase{0.1, 18, 18, "0.100000000000000006"},  // 0.1000000000000000055511...
        // Float readings as the live values pass them.
        FixedCase{double{0.4f}, 3, 1, "0.4"}, FixedCase{double{-79.6f}, 3, 1, "-79.6"},
        FixedCase{double{-160.0f}, 3, 1, "-160.0"}, FixedCase{double{14.2f}, 3, 1, "14.2"},
        // Carries that add an integer digit.
        FixedCase{99.96, 4, 1, "100.0"}, FixedCase{9.996, 3, 2, "10.00"},
        FixedCase{0.0996, 2, 3, "0.100"}, FixedCase{999.6, 3, 0, "1E3"},
        FixedCase{-999.6, 3, 1, "-1E3"}, FixedCase{99.5, 2, 0, "1E2"},
        // More integer digits than P: scientific form.
        FixedCase{138.0, 2, 0, "1.4E2"}, FixedCase{1000.0, 3, 2, "1E3"},
        FixedCase{-138.0, 2, 1, "-1.4E2"}, FixedCase{123456.0, 4, 1, "1.235E5"},
        FixedCase{1e20, 6, 2, "1E20"}, FixedCase{-1.5e300, 3, 0, "-1.5E300"},
        FixedCase{std::numeric_limits<double>::max(), 18, 0, "1.79769313486231571E308"},
        // Tiny values and zero: no minus sign on a value that rounds to zero.
        FixedCase{1e-5, 3, 3, "0.000"}, FixedCase{-1e-5, 3, 3, "0.000"},
        FixedCase{0.0005, 3, 3, "0.001"}, FixedCase{-0.0004, 3, 3, "0.000"},
        FixedCase{std::numeric_limits<double>::denorm_min(), 18, 18, "0.000000000000000000"},
        FixedCase{0.0, 3, 2, "0.00"}, FixedCase{-0.0, 3, 2, "0.00"}, FixedCase{-0.0, 3, 0, "0"},
        FixedCase{0.4, 3, 0, "0"}, FixedCase{0.5, 3, 0, "1"}, FixedCase{-0.5, 3, 0, "-1"},
        // P taken as 2..18, D negative as 0.
        FixedCase{138.0, 1, 0, "1.4E2"}, FixedCase{138.0, -4, 0, "1.4E2"},
        FixedCase{12.5, 0, 0, "13"},
        FixedCase{123456789012345678901.0, 25, 0, "1.23456789012345684E20"},
        FixedCase{123456789012345678.0, 25, 0, "123456789012345680"}, FixedCase{2.75, 4, -1, "3"},
        // Not-a-number and infinities.
        FixedCase{std::numeric_limits<double>::quiet_NaN(), 3, 1, "NAN"},
        FixedCase{-std::numeric_limits<double>::quiet_NaN(), 3, 1, "NAN"},
        FixedCase{std::numeric_limits<double>::infinity(), 3, 1, "INF"},
        FixedCase{-std::numeric_limits<double>::infinity(), 3, 1, "-INF"}));

TEST(FormatFixedSeparator, UsesTheGivenSeparatorInBothForms) {
  EXPECT_EQ(formatFixed(0.456, 2, 2, ','), "0,46");
  EXPECT_EQ(formatFixed(-12.34, 4, 3, ','), "-12,340");
  EXPECT_EQ(formatFixed(138.0, 2, 0, ','), "1,4E2");
  EXPECT_EQ(formatFixed(0.0, 2, 1, ','), "0,0");
  EXPECT_EQ(formatFixed(5.0, 2, 0, ','), "5");  // no separator without decimals
}

}  // namespace
}  // namespace rizazovoz
