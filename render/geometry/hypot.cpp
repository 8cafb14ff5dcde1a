// The hypotenuse rounded up, exact for every pair of 32-bit coordinates.
#include <cstdint>

#include "render/geometry/geometry.h"

namespace {

std::uint64_t Square(LONG v) {
  std::int64_t wide = v;
  return static_cast<std::uint64_t>(wide * wide);
}

}  // namespace

ULONG iHipot(LONG x, LONG y) {
  // x^2 + y^2 is at most 2^63, which an unsigned 64-bit sum holds; the root
  // is at most 3037000500, which a ULONG holds.
  const std::uint64_t sum = Square(x) + Square(y);
  // Integer square root, bit by bit from the top: root is the largest
  // number whose square is at most sum.
  std::uint64_t root = 0;
  std::uint64_t rest = sum;
  std::uint64_t bit = std::uint64_t{1} << 62;
  while (bit > sum) bit >>= 2;
  for (; bit != 0; bit >>= 2) {
    if (rest >= root + bit) {
      rest -= root + bit;
      root = (root >> 1) + bit;
    } else {
      root >>= 1;
    }
  }
  // rest is sum - root^2: anything left means root^2 falls short.
  return static_cast<ULONG>(rest != 0 ? root + 1 : root);
}
