#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <random>

#include "render/geometry/geometry.h"

namespace {

constexpr LONG kMax = std::numeric_limits<LONG>::max();
constexpr LONG kMin = std::numeric_limits<LONG>::min();

struct HypotRow {
  LONG x;
  LONG y;
  ULONG length;
};

TEST(iHipot, RoundsUpAndTakesTheLargestCoordinatesWhole) {
  constexpr HypotRow kRows[] = {
      {0, 0, 0},
      {3, 4, 5},
      {-3, 4, 5},
      {1, 1, 2},
      {0, -7, 7},
      {-9, 0, 9},
      {5000, 5000, 7072},
      {kMin, 0, 2147483648u},
      {0, kMin, 2147483648u},
      {kMax, 0, 2147483647u},
      {kMax, kMax, 3037000499u},  // 3037000498.5... rounded up
      {kMin, kMin, 3037000500u},  // 2^31 x sqrt 2 = 3037000499.98
      {kMin, kMax, 3037000500u},  // 3037000499.27
  };
  for (const HypotRow& r : kRows) {
    EXPECT_EQ(iHipot(r.x, r.y), r.length) << r.x << ", " << r.y;
  }
}

TEST(iHipot, IsTheSmallestRootNotBelowTheSumOfSquares) {
  std::mt19937 rng(99);
  std::uniform_int_distribution<LONG> any(kMin, kMax);
  std::uniform_int_distribution<LONG> small(-3000, 3000);
  for (int i = 0; i < 100000; ++i) {
    const LONG x = i % 2 == 0 ? any(rng) : small(rng);
    const LONG y = i % 3 == 0 ? any(rng) : small(rng);
    const std::uint64_t sum = static_cast<std::uint64_t>(std::int64_t{x} * x) +
                              static_cast<std::uint64_t>(std::int64_t{y} * y);
    const std::uint64_t r = iHipot(x, y);
    ASSERT_GE(r * r, sum) << x << ", " << y;
    ASSERT_TRUE(r == 0 || (r - 1) * (r - 1) < sum) << x << ", " << y;
  }
}

}  // namespace
