#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "render/geometry/geometry.h"

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr LONG kMax = std::numeric_limits<LONG>::max();
constexpr LONG kMin = std::numeric_limits<LONG>::min();

TEST(Tan, HoldsTheRoundedTangentInTenthsOfADegree) {
  for (int i = 0; i < kTanTableSize; ++i) {
    EXPECT_EQ(Tan[i], std::lround(std::tan(i * kPi / 1800) * kTanScale)) << i;
    if (i > 0) {
      EXPECT_GT(Tan[i], Tan[i - 1]) << i;
    }
  }
}

// The largest index below 450 whose entry is below value, else 0.
LONG LargestBelow(LONG value) {
  LONG found = 0;
  for (LONG i = 0; i < kTanTableSize; ++i) {
    if (Tan[i] < value) found = i;
  }
  return found;
}

TEST(QuickSearch, FindsTheLargestEntryBelowEveryTangent) {
  for (LONG value = -1; value <= 40000; ++value) {
    ASSERT_EQ(QuickSearch(0, kTanTableSize, value), LargestBelow(value)) << value;
  }
}

struct AngleRow {
  LONG x;
  LONG y;
  LONG degrees;
};

TEST(GetAngle, AxesDiagonalsAndQuadrants) {
  constexpr AngleRow kRows[] = {
      {1, 1, 45},        {-5, 0, 180},      {0, -3, -90},      {0, 3, 90},        {7, 0, 0},
      {0, 0, 0},         {-1, 1, 135},      {1, -1, -45},      {-1, -1, -135},    {1000, 577, 30},
      {577, 1000, 60},   {-577, 1000, 120}, {-1000, 577, 150}, {-1000, -577, -150},
      {1000, -577, -30}, {1, 1000, 90},     {1000, 1, 0},      {5000, 0, 0},
  };
  for (const AngleRow& r : kRows) {
    EXPECT_EQ(GetAngle(r.x, r.y), r.degrees) << r.x << ", " << r.y;
  }
}

TEST(GetAngle, CoordinatesBeyondSixteenBitsAreTakenWhole) {
  // Cut to 16 bits, 40000 would turn into -25536 and the angle to about 138.
  EXPECT_EQ(GetAngle(40000, 23094), 30);
  EXPECT_EQ(GetAngle(23094, 40000), 60);
  EXPECT_EQ(GetAngle(100000, 100000), 45);
  EXPECT_EQ(GetAngle(70000, -70000), -45);
  EXPECT_EQ(GetAngle(kMin, 0), 180);
  EXPECT_EQ(GetAngle(0, kMin), -90);
  EXPECT_EQ(GetAngle(kMin, kMin), -135);
  EXPECT_EQ(GetAngle(kMax, kMax), 45);
  EXPECT_EQ(GetAngle(kMax, kMin), -45);
  EXPECT_EQ(GetAngle(kMin, kMax), 135);
  EXPECT_EQ(GetAngle(kMin, 1), 180);
  EXPECT_EQ(GetAngle(1, kMin), -90);
  EXPECT_EQ(GetAngle(kMax, 1), 0);
}

TEST(GetAngle, StaysWithinADegreeOfTheTrueAngleEverywhere) {
  // The search rounds tenths of a degree taken from below, so the result
  // is the true angle rounded, give or take one degree at the halves.
  std::mt19937 rng(12345);
  std::uniform_int_distribution<LONG> any(kMin, kMax);
  std::uniform_int_distribution<LONG> small(-40000, 40000);
  for (int i = 0; i < 200000; ++i) {
    const LONG x = i % 2 == 0 ? any(rng) : small(rng);
    const LONG y = i % 2 == 0 ? any(rng) : small(rng);
    if (x == 0 || y == 0) continue;
    const double exact = std::atan2(static_cast<double>(y), static_cast<double>(x)) * 180 / kPi;
    const LONG got = GetAngle(x, y);
    double diff = std::fabs(got - exact);
    if (diff > 180) diff = 360 - diff;  // -180 and 180 are one direction
    ASSERT_LE(diff, 1.0) << x << ", " << y << " gave " << got << " for " << exact;
  }
}

}  // namespace
