// DrvTextOut: the text's colours and opaque box, its font, then its glyphs
// as a device-font string, outlines or glyph bitmaps; in banding mode the
// engine draws the text into the band.
#include <new>

#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"
#include "render/records/shape_records.h"
#include "render/records/state_control.h"
#include "render/text/text.h"

namespace {

constexpr ULONG kPatternBrush = 0xFFFFFFFF;
constexpr ULONG kWhite = 0xFFFFFF;
constexpr SHORT kTextDrawKind = 2;

bool Empty(const RECTL& r) { return r.left == r.right || r.top == r.bottom; }

// The drawing attributes of a brush: a solid one draws its colour on a
// white background (kind 1), a pattern its two colours (kind 2). Without a
// brush text is black.
struct TextBrush {
  DRAWATTR attributes;
  const BrushRecord* record;
};

TextBrush BrushAttributes(PDEV* pdev, BRUSHOBJ* pbo, MIX mix) {
  TextBrush brush{DRAWATTR{static_cast<USHORT>(mix & 0xFF), kBackgroundTransparent, kWhite, 0, 0, 0, kTextDrawKind},
                  &pdev->defaultBrush};
  if (pbo == nullptr) return brush;
  if (pbo->iSolidColor != kPatternBrush) {
    brush.attributes.foregroundColor = pbo->iSolidColor;
    return brush;
  }
  const auto* realized = static_cast<const BrushRecord*>(BRUSHOBJ_pvGetRbrush(pbo));
  if (realized == nullptr) return brush;
  brush.record = realized;
  brush.attributes.backgroundMode = kBackgroundOpaque;
  brush.attributes.foregroundColor = realized->colors[0];
  brush.attributes.backgroundColor = realized->colors[1];
  return brush;
}

BOOL SendAttributes(PDEV* pdev, DRAWATTR attributes) {
  BGRtoRGB_DRAWATTR(&attributes);
  return IdlSetColorCtrl(pdev, &attributes) && IdlSetBackgroundModeCtrl(pdev, attributes.backgroundMode) &&
         IdlSetRop3Ctrl(pdev, GetTextROP3(attributes.mix));
}

BOOL OpaqueBox(PDEV* pdev, RECTL* box, BRUSHOBJ* pboOpaque, MIX mix) {
  if (box == nullptr || pboOpaque == nullptr || Empty(*box)) return TRUE;
  if (!SendAttributes(pdev, BrushAttributes(pdev, pboOpaque, mix).attributes)) return FALSE;
  return PrnIdlRect(&pdev->stream, box, box, kRectFill) != nullptr;
}

BOOL Foreground(PDEV* pdev, BRUSHOBJ* pboFore, MIX mix) {
  const TextBrush brush = BrushAttributes(pdev, pboFore, mix);
  return IdlSetBrushCtrl(pdev, brush.record) && SendAttributes(pdev, brush.attributes);
}

BOOL ExtraBoxes(PDEV* pdev, const RECTL* extra) {
  if (extra == nullptr) return TRUE;
  for (; !Empty(*extra); ++extra) {
    if (PrnIdlRect(&pdev->stream, extra, extra, kRectFill) == nullptr) return FALSE;
  }
  return TRUE;
}

BOOL Glyphs(PDEV* pdev, STROBJ* pstro, FONTOBJ* pfo, const IFIMETRICS& ifi) {
  TextSizes sizes{};
  if (!ComputeTextSizes(pfo, ifi, sizes)) return FALSE;
  FontDescription font{};
  if (pdev->textBitmap != 0 && pdev->printMethod != 5) {
    if (!ExtSelectDevFont(pdev, pstro, pfo, ifi, sizes, &font)) return FALSE;
    return font.kind == kFontDevice ? DrawDevString(pdev, pstro, sizes, font)
                                    : DrawDevStringBitmap(pdev, pfo, pstro, sizes, font);
  }
  if (!SelectDevFont(pdev, pstro, pfo, ifi, sizes, &font)) return FALSE;
  return font.kind == kFontDevice ? DrawDevString(pdev, pstro, sizes, font) : DrawDevStringOutline(pdev, pfo, pstro);
}

}  // namespace

BYTE GetTextROP3(ULONG mix) { return GetGraphicROP3(mix); }

BOOL DrvTextOut(SURFOBJ* pso, STROBJ* pstro, FONTOBJ* pfo, CLIPOBJ* pco, RECTL* prclExtra, RECTL* prclOpaque,
                BRUSHOBJ* pboFore, BRUSHOBJ* pboOpaque, POINTL* pptlOrg, MIX mix) {
  PDEV* pdev = pso != nullptr ? CheckedPdev(pso) : nullptr;
  const IFIMETRICS* ifi = pdev != nullptr && pstro != nullptr && pfo != nullptr ? FONTOBJ_pifi(pfo) : nullptr;
  if (ifi == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  if (pdev->hiddenFunc18 != 0) return TRUE;
  if ((pdev->flags & kPdevWriteError) != 0) return FALSE;
  if (pdev->banding != 0) {
    POINTL origin{0, 0};
    return EngTextOut(pso, pstro, pfo, pco, prclExtra, prclOpaque, pboFore, pboOpaque,
                      pptlOrg != nullptr ? pptlOrg : &origin, mix);
  }
  try {
    // The clip of the text is not sent yet: the printer draws it whole.
    return OpaqueBox(pdev, prclOpaque, pboOpaque, mix) && Foreground(pdev, pboFore, mix) &&
           Glyphs(pdev, pstro, pfo, *ifi) && ExtraBoxes(pdev, prclExtra);
  } catch (const std::bad_alloc&) {
    EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}
