// Integer arithmetic of the stand-in's kernel side.
#pragma once

#include "platform/base/wintypes.h"

// number * numerator / denominator, the product taken in 64 bits and the
// quotient rounded to the nearest integer (halves away from zero); -1 when
// the denominator is 0 or the result does not fit in 32 bits.
int MulDiv(int number, int numerator, int denominator);
