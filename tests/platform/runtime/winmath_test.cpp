// MulDiv: the 64-bit product, rounding to the nearest with halves away from
// zero, and -1 for a zero divisor or a result that does not fit.
#include "platform/runtime/winmath.h"

#include <gtest/gtest.h>

#include <climits>

namespace {

TEST(MulDiv, RoundsTheWideProductToTheNearest) {
  struct Case {
    int number, numerator, denominator, expected;
  };
  const Case cases[] = {
      {10, 3, 4, 8},          // 7.5 rounds up
      {-10, 3, 4, -8},        // and -7.5 away from zero
      {10, -3, 4, -8},        {10, 3, -4, -8},   {-10, -3, -4, -8}, {-10, -3, 4, 8},
      {7, 1, 3, 2},           {8, 1, 3, 3},      {0, 5, 7, 0},
      {100000, 100000, 100000, 100000},  // the product needs 64 bits
      {INT_MAX, 2, 2, INT_MAX}, {INT_MIN, 1, 1, INT_MIN}, {INT_MIN, 2, 2, INT_MIN},
      {533, 400, 600, 355},   // a page's right edge scaled into its client area
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MulDiv(c.number, c.numerator, c.denominator), c.expected)
        << c.number << " * " << c.numerator << " / " << c.denominator;
  }
}

TEST(MulDiv, AZeroDivisorOrAnOverflowGivesMinusOne) {
  EXPECT_EQ(MulDiv(5, 3, 0), -1);
  EXPECT_EQ(MulDiv(INT_MAX, 2, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, -1, 1), -1);
  EXPECT_EQ(MulDiv(INT_MIN, 2, 1), -1);
}

}  // namespace
