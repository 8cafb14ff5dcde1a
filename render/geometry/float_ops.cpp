// Float products and quotients of font transforms, as the engine's
// floating-point object forms them: the product of the float and the LONG
// cut toward zero to a LONG, a quotient of LONGs as a float. Carried in
// double, which keeps at least the precision of the engine's object.
#include <cmath>
#include <limits>

#include "render/geometry/geometry.h"

LONG F_mul_L2L(float value, LONG factor) {
  const double product = static_cast<double>(value) * factor;
  if (std::isnan(product)) return 0;
  // Converting a value outside the LONG range is undefined: saturate.
  if (product >= 2147483648.0) return std::numeric_limits<LONG>::max();
  if (product <= -2147483649.0) return std::numeric_limits<LONG>::min();
  return static_cast<LONG>(product);
}

float L_div_L2F(LONG numerator, LONG denominator) {
  if (denominator == 0) return 0.0f;
  return static_cast<float>(static_cast<double>(numerator) / denominator);
}
