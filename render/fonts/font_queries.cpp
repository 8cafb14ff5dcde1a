// The engine's questions about the device fonts: their metrics, glyph sets,
// kerning pairs, glyph metrics, advance widths and glyph mode. Without a
// font context (device fonts off, or their resources unusable) every query
// fails with error 87.
#include <algorithm>
#include <cstdint>

#include "render/fonts/font_context.h"
#include "render/geometry/geometry.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"

namespace {

// No kerning pairs: the list is its all-zero end entry.
const FD_KERNINGPAIR kerning[1] = {};

// The largest advance in 28.4 whole pixels that 16 bits hold.
constexpr std::int64_t kMaxAdvance16 = 0xFFF0;

FONTCONTEXT* ContextOf(DHPDEV dhpdev) {
  PDEV* pdev = CheckedPdev(dhpdev);
  if (pdev == nullptr) return nullptr;
  if (pdev->fontContext == nullptr) EngSetLastError(ERROR_INVALID_PARAMETER);
  return static_cast<FONTCONTEXT*>(pdev->fontContext);
}

// The metrics resource of the font object's face, or null with error 87.
BYTE* ResourceOf(DHPDEV dhpdev, FONTOBJ* pfo) {
  FONTCONTEXT* context = ContextOf(dhpdev);
  if (context == nullptr) return nullptr;
  BYTE* resource = pfo != nullptr ? fnt_getntfm(context, pfo->iFace) : nullptr;
  if (resource == nullptr) EngSetLastError(ERROR_INVALID_PARAMETER);
  return resource;
}

// A notional vector on the device, in pixels or (fix) 28.4.
POINTL Apply(XFORMOBJ* pxo, LONG x, LONG y, bool fix) {
  POINTL in{x, y};
  POINTL out{0, 0};
  if (pxo != nullptr) XFORMOBJ_bApplyXform(pxo, fix ? XF_LTOFX : XF_LTOL, 1, &in, &out);
  return out;
}

// A 28.4 value rounded to whole pixels.
std::int64_t RoundFix(std::int64_t v) { return (v + 8) & ~std::int64_t{15}; }
FIX ToFix(std::int64_t v) {
  return static_cast<FIX>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
}

// The device length of 4096 notional units along the baseline, in 28.4.
std::int64_t BaseScale(XFORMOBJ* pxo) {
  const POINTL v = Apply(pxo, 4096, 0, true);
  return iHipot(v.x, v.y);
}

std::int64_t Length(POINTL v) { return iHipot(v.x, v.y); }

void GlyphMetrics(const BYTE* resource, XFORMOBJ* pxo, HGLYPH hg, GLYPHDATA* pgd) {
  const IFIMETRICS* ifi = fnt_getifi(const_cast<BYTE*>(resource));
  const std::int64_t w = fnt_getcharwidth(resource, hg);
  const FIX d = ToFix(RoundFix(w * BaseScale(pxo) >> 12));
  *pgd = GLYPHDATA{};
  pgd->hg = hg;
  pgd->fxD = d;
  pgd->fxA = 0;
  pgd->fxAB = d;
  const LONG top = ifi->rclFontBox.top;
  const LONG bottom = ifi->rclFontBox.bottom;
  const std::int64_t inkTop = RoundFix(Length(Apply(pxo, 0, top, true)));
  const std::int64_t inkBottom = RoundFix(Length(Apply(pxo, 0, bottom, true)));
  pgd->fxInkTop = ToFix(top < 0 ? -inkTop : inkTop);
  pgd->fxInkBottom = ToFix(bottom < 0 ? -inkBottom : inkBottom);
  const POINTL base = Apply(pxo, 4096, 0, true);
  pgd->ptqD.x.HighPart = ToFix(RoundFix(std::int64_t{base.x} * w >> 12));
  pgd->ptqD.y.HighPart = ToFix(RoundFix(std::int64_t{base.y} * w >> 12));
}

POINTE Unit(POINTL v) {
  const auto length = static_cast<LONG>(std::min<std::int64_t>(Length(v), INT32_MAX));
  return {L_div_L2F(v.x, length), L_div_L2F(v.y, length)};
}

void MaxExtents(const BYTE* resource, XFORMOBJ* pxo, FD_DEVICEMETRICS* dm) {
  const IFIMETRICS* ifi = fnt_getifi(const_cast<BYTE*>(resource));
  *dm = FD_DEVICEMETRICS{};
  dm->flRealizedType = 0;
  dm->pteBase = Unit(Apply(pxo, 1000, 0, false));
  dm->pteSide = Unit(Apply(pxo, 0, -1000, false));
  const std::int64_t cxMax = Length(Apply(pxo, ifi->fwdMaxCharInc, 0, false));
  dm->cxMax = static_cast<ULONG>(std::min<std::int64_t>(cxMax, UINT32_MAX));
  dm->lD = (ifi->flInfo & FM_INFO_CONSTANT_WIDTH) != 0 ? static_cast<LONG>(std::min<std::int64_t>(cxMax, INT32_MAX)) : 0;
  const LONG top = ifi->rclFontBox.top;
  const LONG bottom = ifi->rclFontBox.bottom;
  LONG descent = bottom < 0 ? -bottom : bottom;
  if ((ifi->jWinPitchAndFamily & FIXED_PITCH) != 0 && (ifi->flInfo & FM_INFO_DBCS_FIXED_PITCH) == 0) {
    descent = std::max<LONG>(0, descent - (top - bottom - 1000));
  }
  dm->fxMaxAscender = ToFix(RoundFix(Length(Apply(pxo, 0, top, true))));
  dm->fxMaxDescender = ToFix(RoundFix(Length(Apply(pxo, 0, descent, true))));
  dm->ptlUnderline1 = Apply(pxo, 0, -ifi->fwdUnderscorePosition, false);
  dm->ptlStrikeOut = Apply(pxo, 0, -ifi->fwdStrikeoutPosition, false);
  dm->ptlULThickness = Apply(pxo, 0, ifi->fwdUnderscoreSize, false);
  dm->ptlSOThickness = dm->ptlULThickness;
}

}  // namespace

ULONG DrvGetGlyphMode(DHPDEV dhpdev, FONTOBJ*) {
  return CheckedPdev(dhpdev) != nullptr ? FO_GLYPHBITS : 0;
}

PIFIMETRICS DrvQueryFont(DHPDEV dhpdev, ULONG_PTR, ULONG iFace, ULONG_PTR* pid) {
  if (pid != nullptr) *pid = 0;
  FONTCONTEXT* context = ContextOf(dhpdev);
  if (context == nullptr) return nullptr;
  BYTE* resource = fnt_getntfm(context, iFace);
  if (resource == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return fnt_getifi(resource);
}

PVOID DrvQueryFontTree(DHPDEV dhpdev, ULONG_PTR, ULONG iFace, ULONG iMode, ULONG_PTR* pid) {
  if (pid != nullptr) *pid = 0;
  FONTCONTEXT* context = ContextOf(dhpdev);
  if (context == nullptr) return nullptr;
  switch (iMode) {
    case QFT_KERNPAIRS:
      return const_cast<FD_KERNINGPAIR*>(kerning);
    case QFT_GLYPHSET:
      return fnt_buildglyphset(PdevOf(dhpdev), context, iFace);
    default:
      EngSetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

LONG DrvQueryFontData(DHPDEV dhpdev, FONTOBJ* pfo, ULONG iMode, HGLYPH hg, GLYPHDATA* pgd, PVOID pv, ULONG cjSize) {
  const BYTE* resource = ResourceOf(dhpdev, pfo);
  if (resource == nullptr) return -1;
  XFORMOBJ* pxo = FONTOBJ_pxoGetXform(pfo);
  switch (iMode) {
    case QFD_GLYPHANDBITMAP:
      if (pgd != nullptr) GlyphMetrics(resource, pxo, hg, pgd);
      return 0;
    case QFD_MAXEXTENTS:
      if (pv != nullptr && cjSize >= sizeof(FD_DEVICEMETRICS)) {
        MaxExtents(resource, pxo, static_cast<FD_DEVICEMETRICS*>(pv));
      }
      return sizeof(FD_DEVICEMETRICS);
    default:
      return -1;
  }
}

BOOL DrvQueryAdvanceWidths(DHPDEV dhpdev, FONTOBJ* pfo, ULONG iMode, HGLYPH* phg, PVOID pvWidths, ULONG cGlyphs) {
  if (iMode != QAW_GETWIDTHS && iMode != QAW_GETEASYWIDTHS) {
    CheckedPdev(dhpdev);
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (cGlyphs == 0) return CheckedPdev(dhpdev) != nullptr ? TRUE : FALSE;
  const BYTE* resource = ResourceOf(dhpdev, pfo);
  if (resource == nullptr) return FALSE;
  if (phg == nullptr || pvWidths == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const std::int64_t scale = BaseScale(FONTOBJ_pxoGetXform(pfo));
  auto* widths = static_cast<USHORT*>(pvWidths);
  for (ULONG i = 0; i < cGlyphs; ++i) {
    // Widths go in 16 bits: a larger one is cut to the largest they hold.
    const std::int64_t width = RoundFix(fnt_getcharwidth(resource, phg[i]) * scale >> 12);
    widths[i] = static_cast<USHORT>(std::clamp<std::int64_t>(width, 0, kMaxAdvance16));
  }
  return TRUE;
}
