#include "platform/runtime/winmath.h"

#include <cstdint>
#include <limits>

int MulDiv(int number, int numerator, int denominator) {
  if (denominator == 0) return -1;
  const std::int64_t product = static_cast<std::int64_t>(number) * numerator;
  const bool negative = (product < 0) != (denominator < 0);
  const std::uint64_t magnitude = product < 0 ? 0 - static_cast<std::uint64_t>(product) : static_cast<std::uint64_t>(product);
  const std::uint64_t divisor =
      denominator < 0 ? 0 - static_cast<std::uint64_t>(static_cast<std::int64_t>(denominator)) : static_cast<std::uint64_t>(denominator);
  const std::uint64_t rounded = (magnitude + divisor / 2) / divisor;
  const std::uint64_t limit = negative ? std::uint64_t{1} << 31 : std::numeric_limits<int>::max();
  if (rounded > limit) return -1;
  return negative ? static_cast<int>(0 - static_cast<std::int64_t>(rounded)) : static_cast<int>(rounded);
}
