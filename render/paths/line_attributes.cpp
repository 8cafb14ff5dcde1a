// The line attributes of a pen: width, join, cap and miter limit, and a
// dash style folded into the printer's 32-bit style mask.
#include <algorithm>
#include <cmath>
#include <cstdint>

#include "platform/engine/objects/pathobj.h"
#include "platform/engine/objects/xformobj.h"
#include "render/paths/draw_setup.h"
#include "render/paths/heap_array.h"
#include "render/pdev/pdev.h"

namespace {

constexpr ULONG kSolidMask = 0xFFFFFFFF;
constexpr ULONG kDefaultMiter = 10 * 256;
constexpr double kMaxMiter = 0x7FFF;
constexpr LONGLONG kMaxWidth = 0x7FFF;
constexpr LONGLONG kMaskBits = 32;
constexpr LONGLONG kMaxUnit = 255;
// Style entries are held below this, so that sums and products of them
// stay far inside 64 bits.
constexpr LONGLONG kMaxEntry = 1 << 24;
// Cosmetic style entries count in fiftieths of an inch.
constexpr LONG kCosmeticStylePerInch = 50;
// Below this a geometric width read as an integer is one: its bits are not
// those of a float of at least 1.
constexpr LONG kIntegerWidthLimit = 0x00800000;

// A float cut toward zero, held within LONG's range; NaN is 0.
LONG Cut(double value) {
  if (std::isnan(value)) return 0;
  if (value >= 2147483647.0) return 0x7FFFFFFF;
  if (value <= -2147483648.0) return -0x7FFFFFFF - 1;
  return static_cast<LONG>(value);
}

USHORT JoinOf(ULONG join) {
  if (join == JOIN_BEVEL) return 1;
  if (join == JOIN_MITER) return 2;
  return 0;
}

USHORT CapOf(ULONG cap) {
  if (cap == ENDCAP_SQUARE) return 2;
  if (cap == ENDCAP_BUTT) return 1;
  return 0;
}

// How a style is folded into the mask, or why it cannot be.
enum class Style { kDone, kSolid, kFail };

LONGLONG Sum(const LONGLONG* entries, ULONG count) {
  LONGLONG total = 0;
  for (ULONG i = 0; i < count; ++i) total += entries[i];
  return total;
}

// Fits entries that add up to more than 32 into 32 units of total / 32
// pixels each.
Style FitToMask(LONGLONG* e, ULONG n, LONGLONG& total, bool geometric, LineAttributes& line) {
  LONGLONG unit = total / kMaskBits;
  if (unit > kMaxUnit) {
    if (geometric) return Style::kFail;
    unit = kMaxUnit;
  }
  line.styleUnit = static_cast<USHORT>(unit);
  for (ULONG i = 0; i < n; ++i) e[i] = std::max<LONGLONG>(1, (e[i] * kMaskBits / total) & 0xFF);
  LONGLONG sum = Sum(e, n);
  if (sum > kMaskBits) return geometric ? Style::kFail : Style::kSolid;
  for (ULONG i = 0; i < n && sum < kMaskBits; ++i, ++sum) e[i] += 1;
  e[n - 1] = kMaskBits - (Sum(e, n) - e[n - 1]);
  total = kMaskBits;
  return Style::kDone;
}

// Dashes (even entries) and gaps (odd ones) as mask bits, bit 31 first.
ULONG BuildMask(const LONGLONG* e, ULONG n, LONGLONG k, LONGLONG m) {
  ULONG mask = 0;
  ULONG bit = 0;
  for (ULONG i = 0; i < n; ++i) {
    bit = i % 2 == 0 ? 1 : 0;
    LONGLONG bits = e[i] * k;
    if (m > 0) {
      bits += 1;
      m -= 1;
    }
    for (LONGLONG b = 0; b < bits; ++b) mask = mask << 1 | bit;
  }
  for (; m > 0; --m) mask = mask << 1 | bit;
  return mask;
}

// The style of a styled or geometric line with at least one entry.
Style FoldStyle(PDEV* pdev, const LINEATTRS& attrs, bool geometric, LONG ratio, LineAttributes& line) {
  if (line.width > 1) return Style::kFail;
  const bool startGap = (attrs.fl & LA_STARTGAP) != 0;
  const ULONG first = startGap ? 1 : 0;
  if (attrs.cstyle < 2 + first) return Style::kSolid;
  const ULONG n = attrs.cstyle - first;
  auto entry = [&](ULONG i) -> LONGLONG {
    LONGLONG value = 0;
    if (geometric) {
      value = Cut(attrs.pstyle[i].e);
      if (ratio > 0) value = value * ratio / 256;
    } else {
      value = LONGLONG{attrs.pstyle[i].l} * (pdev->resolution / kCosmeticStylePerInch);
    }
    return std::clamp<LONGLONG>(value, 0, kMaxEntry);
  };
  const LONGLONG startOffset = startGap ? entry(0) & 0xFF : 0;
  const HeapArray<LONGLONG> work(pdev, n, SIZE_MAX);
  LONGLONG* e = work.get();
  if (e == nullptr) return geometric ? Style::kFail : Style::kSolid;
  for (ULONG i = 0; i < n; ++i) e[i] = entry(first + i);
  LONGLONG total = Sum(e, n);
  if (total == 0) return Style::kSolid;
  // An offset beyond one pattern is the same place in the next one.
  line.styleShift = static_cast<BYTE>(startOffset % total * kMaskBits / total);
  for (ULONG i = 0; i < n; ++i) {
    if (e[i] == 0) e[i] = i + 1 < n ? e[i + 1] : e[i - 1];
  }
  total = Sum(e, n);
  line.styleUnit = 1;
  if (total > kMaskBits) {
    const Style fitted = FitToMask(e, n, total, geometric, line);
    if (fitted != Style::kDone) return fitted;
  }
  LONGLONG k = kMaskBits / total;
  LONGLONG m = kMaskBits % total;
  // A short pattern is repeated to fill the mask, the pixels left over
  // spread over the repeated entries.
  const HeapArray<LONGLONG> repeated(pdev, k > 1 ? std::uint64_t(n) * std::uint64_t(k) : 0, SIZE_MAX);
  if (k > 1 && repeated.get() != nullptr) {
    const auto count = static_cast<ULONG>(n * k);
    LONGLONG* r = repeated.get();
    for (ULONG i = 0; i < count; ++i) r[i] = e[i % n] + m / count + (i < static_cast<ULONG>(m % count) ? 1 : 0);
    line.styleMask = BuildMask(r, count, 1, 0);
    return Style::kDone;
  }
  line.styleMask = BuildMask(e, n, k, m);
  return Style::kDone;
}

}  // namespace

LONG GetRatioGeoline(XFORMOBJ* pxo) {
  if (pxo == nullptr) return -1;
  XFORML m{};
  const ULONG complexity = XFORMOBJ_iGetXform(pxo, &m);
  if (complexity == GX_IDENTITY || complexity == DDI_ERROR) return -1;
  const LONGLONG sum = LONGLONG{Cut(std::fabs(double{m.eM11}) * 256)} + Cut(std::fabs(double{m.eM22}) * 256);
  return static_cast<LONG>(sum / 2);
}

BOOL SetLineAttrs(PDEV* pdev, const LINEATTRS* attrs, ULONG color, XFORMOBJ* pxo, LineAttributes* line,
                  BOOL* geometricOut) {
  *line = LineAttributes{};
  line->styleUnit = 1;
  line->width = 1;
  line->styleMask = kSolidMask;
  line->color = color;
  *geometricOut = FALSE;
  if (attrs == nullptr) return FALSE;
  const bool geometric = (attrs->fl & LA_GEOMETRIC) != 0;
  LONG ratio = -1;
  if (geometric) {
    *geometricOut = TRUE;
    LONG width = Cut(attrs->elWidth.e);
    // A width stored as an integer; the bits of a float below 1 are not
    // one, and such a line is as thin as a line can be.
    if (width == 0 && attrs->elWidth.l > 0 && attrs->elWidth.l < kIntegerWidthLimit) width = attrs->elWidth.l;
    if (width > 0) {
      ratio = GetRatioGeoline(pxo);
      if (ratio == 0) return FALSE;
      const LONGLONG scaled = ratio == -1 ? width : std::max<LONGLONG>(1, LONGLONG{width} * ratio / 256);
      line->width = static_cast<SHORT>(std::min(scaled, kMaxWidth));
    }
    line->join = JoinOf(attrs->iJoin);
    line->cap = CapOf(attrs->iEndCap);
  }
  const bool styled = geometric || (attrs->fl & LA_STYLED) != 0;
  if (styled) {
    double miter = attrs->eMiterLimit;
    if (std::isnan(miter)) miter = 1.0;
    line->miterLimit = static_cast<ULONG>(std::clamp(miter, 1.0, kMaxMiter) * 256);
  } else {
    line->miterLimit = kDefaultMiter;
  }
  if (!styled || attrs->pstyle == nullptr || attrs->cstyle == 0) return TRUE;
  switch (FoldStyle(pdev, *attrs, geometric, ratio, *line)) {
    case Style::kDone:
      return TRUE;
    case Style::kSolid:
      line->styleMask = kSolidMask;
      line->styleShift = 0;
      line->styleUnit = 1;
      return TRUE;
    case Style::kFail:
      break;
  }
  return FALSE;
}
