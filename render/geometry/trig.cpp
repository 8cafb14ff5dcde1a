// Sine and cosine in 2.14 fixed point: the angle's quadrant picks the
// quarter-wave table entry and its sign.
#include "render/geometry/geometry.h"

namespace {

// 16384 x sin((quadrant x 90 + rest) degrees), rest below 90.
LONG FromQuadrant(LONG quadrant, LONG rest) {
  LONG value = SinTbl[(quadrant & 1) != 0 ? 90 - rest : rest];
  return (quadrant & 2) != 0 ? -value : value;
}

// Degrees taken modulo 360 into 0 to 359, so that a negative angle never
// indexes outside the table.
LONG OneTurn(LONG degrees) {
  LONG turn = degrees % 360;
  return turn < 0 ? turn + 360 : turn;
}

}  // namespace

LONG Sin(LONG degrees) {
  LONG n = OneTurn(degrees);
  return FromQuadrant(n / 90, n % 90);
}

// cos(n) = sin(n + 90): the same table walk one quadrant further on.
LONG Cos(LONG degrees) {
  LONG n = OneTurn(degrees);
  return FromQuadrant(n / 90 + 1, n % 90);
}
