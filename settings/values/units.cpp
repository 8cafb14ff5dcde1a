// Dots and display units. Every product is formed in 64 bits, so no input
// of 32 bits can overflow it; quotients that do not fit are clamped.
#include "settings/values/units.h"

#include <algorithm>
#include <cstdint>
#include <limits>

#include "features/freesize/freesize_range.h"
#include "settings/bkpd/bkpd_access.h"
#include "settings/values/setting_value.h"
#include "settings/constraints/ui_status.h"

namespace {

constexpr WORD kFuncDspUnit = 171;
constexpr std::uint64_t kMmOf01PerInch = 254;
constexpr std::uint64_t kInchOf001PerInch = 100;
// Rounding up from the floor value takes one step for any 32-bit input;
// the bound keeps the loop finite whatever the arithmetic.
constexpr int kMaxRoundingSteps = 4;

DWORD Clamp32(std::uint64_t v) {
  return v > std::numeric_limits<DWORD>::max() ? std::numeric_limits<DWORD>::max() : static_cast<DWORD>(v);
}

// floor(a * b / c) for c > 0.
std::uint64_t MulDiv64(std::uint64_t a, std::uint64_t b, std::uint64_t c) { return a / c * b + a % c * b / c; }

std::uint64_t UnitsPerInch(DWORD flags) { return (flags & kUnitMmOf01) != 0 ? kMmOf01PerInch : kInchOf001PerInch; }

// Display value of 1200-dpi dots, and the dots of a display value.
std::uint64_t DisplayOf(DWORD flags, std::uint64_t dots) { return MulDiv64(dots, UnitsPerInch(flags), kInternalDpi); }
std::uint64_t DotsOf(DWORD flags, std::uint64_t size) { return MulDiv64(size, kInternalDpi, UnitsPerInch(flags)); }

bool HasUnit(DWORD flags) { return (flags & (kUnitMmOf01 | kUnitInchOf001)) != 0; }

DWORD DisplayFlags(const UCB* ucb) { return IsDispUnitMM(ucb) ? kUnitMmOf01 : kUnitInchOf001; }

}  // namespace

BOOL IsDispUnitMM(const UCB* ucb) { return GetDevmodeValueDirectByFuncID(ucb, kFuncDspUnit, nullptr) == 0 ? TRUE : FALSE; }

DWORD CmnDot2MmOf01(DWORD dots, DWORD dpi) { return dpi == 0 ? 0 : Clamp32(MulDiv64(dots, kMmOf01PerInch, dpi)); }

DWORD CmnDot2InchOf001(DWORD dots, DWORD dpi) { return dpi == 0 ? 0 : Clamp32(MulDiv64(dots, kInchOf001PerInch, dpi)); }

DWORD CmnMmOf012Dot(DWORD tenthsMm, DWORD dpi) { return Clamp32(MulDiv64(tenthsMm, dpi, kMmOf01PerInch)); }

DWORD CmnInchOf0012Dot(DWORD hundredthsInch, DWORD dpi) {
  return Clamp32(MulDiv64(hundredthsInch, dpi, kInchOf001PerInch));
}

DWORD CmnDot2Dot(DWORD a, DWORD b, DWORD c) { return b == 0 || c == 0 ? 0 : Clamp32(MulDiv64(a, c, b)); }

DWORD CmnToDot(DWORD flags, DWORD size, DWORD dpi) {
  if (!HasUnit(flags)) {
    return 0;
  }
  std::uint64_t n = DotsOf(flags, size);
  while (n != 0 && (n % 2 != 0 || size < DisplayOf(flags, n))) {
    --n;
  }
  return dpi == 0 ? 0 : Clamp32(MulDiv64(n, dpi, kInternalDpi));
}

DWORD CmnFromDot(DWORD flags, DWORD dots, DWORD dpi) {
  if (!HasUnit(flags) || dpi == 0) {
    return 0;
  }
  const std::uint64_t b = MulDiv64(dots, kInternalDpi, dpi);
  std::uint64_t i = DisplayOf(flags, b);
  for (int step = 0; step < kMaxRoundingSteps && DotsOf(flags, i) < b; ++step) {
    ++i;
  }
  return Clamp32(i);
}

LONG ConvertDevmodeValueToSize(const UCB* ucb, WORD funcId, LONG dots) {
  const LONG_PTR length = funcId != 0 ? GetDevmodeValueByFuncID(ucb, funcId, nullptr) : dots;
  if (length < 0 || length > std::numeric_limits<LONG>::max()) {
    return 0;
  }
  return static_cast<LONG>(CmnFromDot(DisplayFlags(ucb), static_cast<DWORD>(length), kInternalDpi));
}

LONG ConvertSizeToDevmodeValue(UCB* ucb, WORD funcId, LONG size) {
  if (size < 0) {
    return 0;
  }
  const DWORD converted = CmnToDot(DisplayFlags(ucb), static_cast<DWORD>(size), kInternalDpi);
  const auto dots = static_cast<LONG>(std::min<DWORD>(converted, std::numeric_limits<LONG>::max()));
  if (funcId != 0) {
    SetDevmodeValueByFuncID(ucb, funcId, dots);
  }
  return dots;
}

void DisplayRangeOfDots(UCB* ucb, LONG minDots, LONG maxDots, LONG* min, LONG* max) {
  if (max != nullptr) {
    const LONG s = ConvertDevmodeValueToSize(ucb, 0, maxDots);
    *max = ConvertSizeToDevmodeValue(ucb, 0, s) > maxDots ? s - 1 : s;
  }
  if (min != nullptr) {
    const LONG s = ConvertDevmodeValueToSize(ucb, 0, minDots);
    *min = ConvertSizeToDevmodeValue(ucb, 0, s) < minDots ? s + 1 : s;
  }
}

BOOL GetDispMinMaxByFuncID(UCB* ucb, WORD funcId, LONG* min, LONG* max) {
  constexpr WORD kFreeSizeWidth = 753;
  constexpr WORD kFreeSizeLength = 754;
  if (ucb == nullptr || ucb->pDP == nullptr || (funcId != kFreeSizeWidth && funcId != kFreeSizeLength)) {
    return FALSE;
  }
  const DP& dp = *ucb->pDP;
  const bool width = funcId == kFreeSizeWidth;
  const auto minDots = static_cast<LONG>(width ? dp.dwFreeSizeWidthMin : dp.dwFreeSizeLengthMin);
  const auto maxDots = static_cast<LONG>(width ? dp.dwFreeSizeWidthMax : dp.dwFreeSizeLengthMax);
  DisplayRangeOfDots(ucb, minDots, maxDots, min, max);
  return TRUE;
}

BOOL GetDispMinMax(UCB* ucb, const ICB* icb, LONG* min, LONG* max) {
  if (ucb == nullptr || icb == nullptr) {
    return FALSE;
  }
  const UiGroup* group = GetUiGroupFromGroupID(ucb, icb->groupId);
  const UiNumericValue* numeric =
      group != nullptr ? BkpdNumericValue(reinterpret_cast<PCBKPD>(ucb->pBKPD), group) : nullptr;
  if (numeric == nullptr) {
    return FALSE;
  }
  // The numeric value data keep the range in dots as their third and
  // fourth numbers.
  LONG lo = 0;
  LONG hi = 0;
  DisplayRangeOfDots(ucb, static_cast<LONG>(numeric->third), static_cast<LONG>(numeric->fourth), &lo, &hi);
  LONG trayMax = 0;
  LONG trayMin = 0;
  if (GetFreeSizeRangebyIcb(ucb, icb, &trayMax, &trayMin)) {
    hi = std::min(hi, ConvertDevmodeValueToSize(ucb, 0, trayMax));
    lo = std::max(lo, ConvertDevmodeValueToSize(ucb, 0, trayMin));
  }
  if (min != nullptr) {
    *min = lo;
  }
  if (max != nullptr) {
    *max = hi;
  }
  return TRUE;
}

LONG longMulDiv(LONG a, LONG b, LONG c) {
  if (c == 0) {
    return -1;
  }
  const std::int64_t q = static_cast<std::int64_t>(a) * b / c;
  if (q > std::numeric_limits<LONG>::max()) {
    return std::numeric_limits<LONG>::max();
  }
  if (q < std::numeric_limits<LONG>::min()) {
    return std::numeric_limits<LONG>::min();
  }
  return static_cast<LONG>(q);
}
