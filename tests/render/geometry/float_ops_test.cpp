#include <gtest/gtest.h>

#include <limits>

#include "render/geometry/geometry.h"

namespace {

constexpr LONG kMax = std::numeric_limits<LONG>::max();
constexpr LONG kMin = std::numeric_limits<LONG>::min();

struct MulRow {
  float value;
  LONG factor;
  LONG product;
};

TEST(F_mul_L2L, CutsTowardZeroAndSaturates) {
  const MulRow rows[] = {
      {0.5f, 10, 5},
      {0.05f, 5000, 250},  // a font transform entry times 5000
      {-0.5f, 3, -1},
      {0.999f, 1, 0},
      {-0.999f, 1, 0},
      {1.0f, kMin, kMin},
      {-1.0f, kMin, kMax},  // 2^31 does not fit: the largest LONG
      {1e10f, 1000, kMax},
      {-1e10f, 1000, kMin},
      {std::numeric_limits<float>::infinity(), 1, kMax},
      {std::numeric_limits<float>::quiet_NaN(), 7, 0},
      {3.0f, 0, 0},
  };
  for (const MulRow& r : rows) {
    EXPECT_EQ(F_mul_L2L(r.value, r.factor), r.product) << r.value << " x " << r.factor;
  }
}

TEST(L_div_L2F, DividesAndGivesZeroForAZeroLength) {
  EXPECT_EQ(L_div_L2F(1, 4), 0.25f);
  EXPECT_EQ(L_div_L2F(-1000, 1000), -1.0f);
  EXPECT_FLOAT_EQ(L_div_L2F(1000, 1414), 0.70721358f);
  EXPECT_EQ(L_div_L2F(kMin, -1), 2147483648.0f);
  EXPECT_EQ(L_div_L2F(1000, 0), 0.0f);
  EXPECT_EQ(L_div_L2F(0, 0), 0.0f);
}

}  // namespace
