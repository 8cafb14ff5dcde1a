#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "render/geometry/geometry.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

long Rounded(double v) { return std::lround(v); }

TEST(SinTbl, HoldsTheRoundedQuarterWave) {
  for (int d = 0; d < kSinTableSize; ++d) {
    EXPECT_EQ(SinTbl[d], Rounded(std::sin(d * kPi / 180) * kSinOne)) << d;
  }
  EXPECT_EQ(SinTbl[1], 286);
  EXPECT_EQ(SinTbl[89], 16382);
}

struct TrigRow {
  LONG degrees;
  LONG sin;
  LONG cos;
};

TEST(SinCos, QuadrantsAndAxes) {
  constexpr TrigRow kRows[] = {
      {0, 0, 16384},    {30, 8192, 14189},  {90, 16384, 0},       {180, 0, -16384},
      {270, -16384, 0}, {360, 0, 16384},    {450, 16384, 0},      {210, -8192, -14189},
      {330, -8192, 14189}, {150, 8192, -14189},
  };
  for (const TrigRow& r : kRows) {
    EXPECT_EQ(Sin(r.degrees), r.sin) << r.degrees;
    EXPECT_EQ(Cos(r.degrees), r.cos) << r.degrees;
  }
}

TEST(SinCos, EveryWholeDegreeOverTwoTurnsIsTheRoundedValue) {
  for (LONG d = 0; d < 720; ++d) {
    EXPECT_EQ(Sin(d), Rounded(std::sin(d * kPi / 180) * kSinOne)) << d;
    EXPECT_EQ(Cos(d), Rounded(std::cos(d * kPi / 180) * kSinOne)) << d;
  }
}

TEST(SinCos, NegativeAndExtremeAnglesStayInTheTable) {
  // Callers pass 0 or more; a negative angle still gives its own sine and
  // never reads outside the table.
  EXPECT_EQ(Sin(-30), -8192);
  EXPECT_EQ(Cos(-30), 14189);
  EXPECT_EQ(Sin(-90), -16384);
  constexpr LONG kMax = std::numeric_limits<LONG>::max();
  constexpr LONG kMin = std::numeric_limits<LONG>::min();
  EXPECT_EQ(Sin(kMax), Sin(kMax % 360));
  EXPECT_EQ(Cos(kMax), Cos(kMax % 360));
  EXPECT_EQ(Sin(kMin), Sin(kMin % 360 + 360));
  EXPECT_EQ(Cos(kMin), Cos(kMin % 360 + 360));
}

}  // namespace
