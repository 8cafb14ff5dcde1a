// Integer geometry of the text code: the angle of a vector in whole degrees,
// sine and cosine in 2.14 fixed point from a table, the hypotenuse rounded
// up, and the two float conversions of font transforms. None of them
// allocates; the angle, sine, cosine and hypotenuse use no floating point.
#pragma once

#include "platform/base/wintypes.h"

inline constexpr int kSinTableSize = 91;
inline constexpr int kTanTableSize = 450;
inline constexpr LONG kSinOne = 16384;     // Sin(90): 1.0 in 2.14 fixed point
inline constexpr LONG kTanScale = 32767;   // tan(45 degrees) in Tan's scale

// sin(d degrees) x 16384 rounded, d = 0 to 90.
extern const SHORT SinTbl[kSinTableSize];
// tan(i / 10 degrees) x 32767 rounded, i = 0 to 449; rising strictly.
extern const SHORT Tan[kTanTableSize];

// 16384 x sin or cos of a whole number of degrees. Any angle is taken modulo
// 360, so a negative one gives the sine or cosine of that angle too.
LONG Sin(LONG degrees);
LONG Cos(LONG degrees);

// The angle of the vector (x, y) in whole degrees, -180 to 180, counted
// from the positive x axis towards the positive y axis: 0 for (0, 0) and
// along the positive x axis, 180 along the negative one, 90 and -90 along
// the y axis (-180 only for vectors just short of the negative x axis).
// Every 32-bit coordinate is taken whole, -2^31 included.
LONG GetAngle(LONG x, LONG y);
// The largest index i in [low, high) of Tan, at most 449, with
// Tan[i] < value, found by quartering the range; low itself when no entry
// above low is below value (0 for a value up to Tan[1] over the whole
// table). low and high must lie within 0 to 450.
LONG QuickSearch(LONG low, LONG high, LONG value);

// The smallest r with r x r >= x x x + y x y: the length of (x, y) rounded
// up; |y| when x is 0 and |x| when y is 0. Every pair of 32-bit values has
// its exact result, up to 3037000500 for (-2^31, -2^31).
ULONG iHipot(LONG x, LONG y);

// The float value times the integer, cut toward zero to a LONG (saturated at
// the LONG range; a NaN gives 0). Font transforms are floats; this is how
// sizes in device units come out of them.
LONG F_mul_L2L(float value, LONG factor);
// numerator / denominator as a float; 0 for a zero denominator (a degenerate
// transform has a zero length and must not make an infinite unit vector).
float L_div_L2F(LONG numerator, LONG denominator);
