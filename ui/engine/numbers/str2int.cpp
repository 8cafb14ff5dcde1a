// A typed number read as fixed point: "12.3" at scale 100 is 1230. The
// number is gathered in 64 bits and its magnitude held at 2^31, so that a
// text of any length saturates at the ends of the 32-bit range instead of
// wrapping round into a small or positive number.
#include <cstdint>
#include <limits>

#include "ui/engine/item_handlers.h"

namespace {

constexpr std::int64_t kMagnitudeCap = std::int64_t{1} << 31;

// How often the scale can be divided by 10 while it is above 1.
int DecimalsOf(LONG scale) {
  int decimals = 0;
  for (; scale > 1; scale /= 10) ++decimals;
  return decimals;
}

bool IsDigit(WCHAR c) { return c >= u'0' && c <= u'9'; }

// Where a number starts: a sign, a digit, or a point before a digit (".5"
// is a half, as "-.5" is minus a half).
bool StartsNumber(const WCHAR* p) { return *p == u'-' || IsDigit(*p) || (*p == u'.' && IsDigit(p[1])); }

std::int64_t Shifted(std::int64_t magnitude, int digit) {
  const std::int64_t next = magnitude * 10 + digit;
  return next < kMagnitudeCap ? next : kMagnitudeCap;
}

}  // namespace

LONG KesmStr2Int(LPCWSTR text, LONG scale) {
  if (text == nullptr) return 0;
  const WCHAR* p = text;
  while (*p != u'\0' && !StartsNumber(p)) ++p;
  if (*p == u'\0') return 0;
  const bool negative = *p == u'-';
  if (negative) ++p;
  std::int64_t magnitude = 0;
  for (; IsDigit(*p); ++p) magnitude = Shifted(magnitude, *p - u'0');
  int decimals = DecimalsOf(scale);
  if (*p == u'.') {
    for (++p; decimals > 0 && IsDigit(*p); ++p, --decimals) magnitude = Shifted(magnitude, *p - u'0');
  }
  for (; decimals > 0; --decimals) magnitude = Shifted(magnitude, 0);
  if (negative) return static_cast<LONG>(-magnitude);
  return static_cast<LONG>(magnitude < kMagnitudeCap ? magnitude : std::numeric_limits<LONG>::max());
}
