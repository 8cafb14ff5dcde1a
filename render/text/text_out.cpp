// DrvTextOut: the text's clip, colours and opaque box, its font, then its glyphs
// as a device-font string, outlines or glyph bitmaps; in banding mode the
// engine draws the text into the band.
#include <new>

#include "render/paths/draw_setup.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"
#include "render/records/shape_records.h"
#include "render/records/state_control.h"
#include "render/text/text.h"

namespace {

constexpr ULONG kWhite = 0xFFFFFF;
constexpr SHORT kTextDrawKind = 2;

bool Empty(const RECTL& r) { return r.left == r.right || r.top == r.bottom; }

// The drawing attributes of a text brush and its record: a solid colour
// draws on white and leaves the background alone (mode 1), a pattern draws
// its two colours (mode 2). Without a brush, or with a pattern that cannot
// be realized, text is black with the PDEV's default brush.
struct TextBrush {
  DRAWATTR attributes;
  const BrushRecord* record;
};

TextBrush BrushAttributes(PDEV* pdev, SURFOBJ* pso, BRUSHOBJ* pbo, const POINTL* origin, MIX mix) {
  TextBrush brush{DRAWATTR{}, SetBrushObject(pdev, pso, pbo, origin)};
  DRAWATTR& attributes = brush.attributes;
  SetDrawAttr(pdev, mix, &attributes, 0);
  attributes.drawKind = kTextDrawKind;
  attributes.backgroundMode = kBackgroundTransparent;
  attributes.backgroundColor = kWhite;
  if (brush.record == nullptr) {
    brush.record = &pdev->defaultBrush;
    return brush;
  }
  if (pbo->iSolidColor != kNoSolidColor) {
    attributes.foregroundColor = pbo->iSolidColor;
    return brush;
  }
  attributes.backgroundMode = kBackgroundOpaque;
  attributes.foregroundColor = brush.record->colors[0];
  attributes.backgroundColor = brush.record->colors[1];
  return brush;
}

BOOL SendAttributes(PDEV* pdev, DRAWATTR attributes) {
  return SendDrawColors(pdev, attributes) && IdlSetBackgroundModeCtrl(pdev, attributes.backgroundMode) &&
         IdlSetRop3Ctrl(pdev, GetTextROP3(attributes.mix));
}

BOOL OpaqueBox(PDEV* pdev, SURFOBJ* pso, RECTL* box, BRUSHOBJ* pboOpaque, const POINTL* origin, MIX mix) {
  if (box == nullptr || pboOpaque == nullptr || Empty(*box)) return TRUE;
  if (!SendAttributes(pdev, BrushAttributes(pdev, pso, pboOpaque, origin, mix).attributes)) return FALSE;
  return PrnIdlRect(&pdev->stream, box, box, kRectFill) != nullptr;
}

BOOL Foreground(PDEV* pdev, SURFOBJ* pso, BRUSHOBJ* pboFore, const POINTL* origin, MIX mix) {
  const TextBrush brush = BrushAttributes(pdev, pso, pboFore, origin, mix);
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
    return SetClipObject(pdev, pco, 0) != kClipFailed &&
           OpaqueBox(pdev, pso, prclOpaque, pboOpaque, pptlOrg, mix) &&
           Foreground(pdev, pso, pboFore, pptlOrg, mix) && Glyphs(pdev, pstro, pfo, *ifi) &&
           ExtraBoxes(pdev, prclExtra);
  } catch (const std::bad_alloc&) {
    EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return FALSE;
  }
}
