// The angle of a vector: folded into the first octant, its tangent scaled
// to Tan's 32767 and looked up in tenths of a degree.
#include <cstdint>

#include "render/geometry/geometry.h"

namespace {

// The tangent smaller / larger (0 < smaller < larger) x 32767, rounded to
// the nearest integer. Both are magnitudes up to 2^31, so the product is
// formed in 64 bits: folding first to 16 bits, or scaling up to 0x7FFF,
// would cut or zero coordinates beyond 32767.
LONG ScaledTangent(std::uint64_t smaller, std::uint64_t larger) {
  return static_cast<LONG>((smaller * 2 * kTanScale + larger) / (2 * larger));
}

// The magnitude of a coordinate; -2^31 has one that no LONG holds.
std::uint64_t Magnitude(LONG v) {
  return v < 0 ? std::uint64_t{0} - static_cast<std::uint64_t>(static_cast<std::int64_t>(v))
               : static_cast<std::uint64_t>(v);
}

}  // namespace

LONG QuickSearch(LONG low, LONG high, LONG value) {
  // Tan[low] < value <= Tan[high] is kept (an end of the table counting as
  // beyond), so the range narrows to the largest entry below the value.
  while ((high > low ? high - low : low - high) >= 2) {
    LONG q3 = (low + 3 * high) >> 2;
    LONG mid = (low + high) >> 1;
    LONG q1 = (3 * low + high) >> 2;
    if (value > Tan[q3]) {
      low = q3;
    } else if (value > Tan[mid]) {
      low = mid;
      high = q3;
    } else if (value > Tan[q1]) {
      low = q1;
      high = mid;
    } else {
      high = q1;
    }
  }
  return low;
}

LONG GetAngle(LONG x, LONG y) {
  if (y == 0) return x < 0 ? 180 : 0;
  if (x == 0) return y > 0 ? 90 : -90;

  // Fold into the first quadrant: (X, Y) is (x, y) turned back by base
  // degrees, a quarter turn swapping the magnitudes.
  const bool swapped = (x < 0) != (y < 0);
  const LONG base = y > 0 ? (x > 0 ? 0 : 90) : (x > 0 ? -90 : -180);
  const std::uint64_t X = swapped ? Magnitude(y) : Magnitude(x);
  const std::uint64_t Y = swapped ? Magnitude(x) : Magnitude(y);
  if (X == Y) return 45 + base;

  // The search gives the angle below 45 degrees in tenths; above the
  // diagonal the angle is its complement.
  LONG tenths = QuickSearch(0, kTanTableSize, X > Y ? ScaledTangent(Y, X) : ScaledTangent(X, Y));
  LONG degrees = X > Y ? (tenths + 5) / 10 : (900 - tenths + 5) / 10;
  return degrees + base;
}
