// The path drawing calls: each sends the attribute records its drawing
// needs (line attributes, brush, background mode, ROP3, clip, colours),
// then the path itself.
#include "platform/base/winerror.h"
#include "render/paths/draw_setup.h"
#include "render/paths/path_records.h"
#include "render/pdev/entry_points.h"
#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"
#include "render/records/shape_records.h"
#include "render/records/state_control.h"

namespace {

constexpr ULONG kWhite = 0xFFFFFF;
constexpr USHORT kColorPatternBrush = 3;
constexpr SHORT kDrawFill = 0;
constexpr SHORT kDrawStroke = 1;
constexpr SHORT kDrawStrokeAndFill = 3;

// The common start of the path calls: the PDEV to draw on, or null with
// *result the call's answer (FALSE for a bad PDEV, with error 87, or after
// a write error; TRUE when drawing is switched off).
PDEV* DrawingPdev(SURFOBJ* pso, BOOL* result) {
  *result = FALSE;
  PDEV* pdev = CheckedPdev(pso);
  if (pdev == nullptr) return nullptr;
  if (pdev->hiddenFunc18 != 0) {
    *result = TRUE;
    return nullptr;
  }
  if ((pdev->flags & kPdevWriteError) != 0) return nullptr;
  return pdev;
}

bool SolidColored(const BRUSHOBJ* pbo) { return pbo != nullptr && pbo->iSolidColor != kNoSolidColor; }

// The brush of a call sent; a brush that cannot be had or sent fails the
// call with error 8.
const BrushRecord* SendBrush(PDEV* pdev, SURFOBJ* pso, BRUSHOBJ* pbo, const POINTL* origin) {
  const BrushRecord* brush = SetBrushObject(pdev, pso, pbo, origin);
  if (brush == nullptr || !IdlSetBrushCtrl(pdev, brush)) {
    EngSetLastError(ERROR_NOT_ENOUGH_MEMORY);
    return nullptr;
  }
  return brush;
}

// A fill's background mode: a colour pattern covers its background.
SHORT FillBackground(const DRAWATTR& attributes, const BrushRecord& brush) {
  return brush.kind == kColorPatternBrush ? kBackgroundOpaque : attributes.backgroundMode;
}

// ROP3 and clip.
bool SendRopAndClip(PDEV* pdev, MIX mix, CLIPOBJ* pco) {
  return IdlSetRop3Ctrl(pdev, GetGraphicROP3(mix)) && SetClipObject(pdev, pco, 0) != kClipFailed;
}

BOOL Draw(PDEV* pdev, PATHOBJ* ppo, BYTE kind) {
  return DrawPath(pdev, ppo, kind) != PathResult::kFailed ? TRUE : FALSE;
}

BYTE FillKind(FLONG options, BYTE alternate, BYTE winding) {
  return (options & FP_WINDINGMODE) != 0 ? winding : alternate;
}

BOOL DrvStrokePath2(PDEV* pdev, SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pbo,
                    POINTL* origin, LINEATTRS* attrs, MIX mix) {
  // The printer strokes with one colour only; the engine is told so with
  // an error, so that it does not take the pen for drawn.
  if (!SolidColored(pbo)) {
    EngSetLastError(ERROR_NOT_SUPPORTED);
    return FALSE;
  }
  LineAttributes line{};
  BOOL geometric = FALSE;
  if (!SetLineAttrs(pdev, attrs, pbo->iSolidColor, pxo, &line, &geometric) && geometric) return FALSE;
  if (!IdlSetLineAttrCtrl(pdev, &line)) return FALSE;
  if (SendBrush(pdev, pso, pbo, origin) == nullptr) return FALSE;
  DRAWATTR attributes{};
  SetDrawAttr(pdev, mix, &attributes, 0);
  if (!IdlSetBackgroundModeCtrl(pdev, attributes.backgroundMode) || !SendRopAndClip(pdev, mix, pco)) return FALSE;
  attributes.foregroundColor = line.color;
  attributes.backgroundColor = kWhite;
  attributes.drawKind = kDrawStroke;
  if (!SendDrawColors(pdev, attributes)) return FALSE;
  return Draw(pdev, ppo, kPathStroke);
}

BOOL DrvFillPath2(PDEV* pdev, SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, BRUSHOBJ* pbo, POINTL* origin, MIX mix,
                  FLONG options) {
  const BrushRecord* brush = SendBrush(pdev, pso, pbo, origin);
  if (brush == nullptr) return FALSE;
  DRAWATTR attributes{};
  SetDrawAttr(pdev, mix, &attributes, 0);
  attributes.foregroundColor = brush->colors[0];
  attributes.backgroundColor = brush->colors[1];
  attributes.drawKind = kDrawFill;
  attributes.backgroundMode = FillBackground(attributes, *brush);
  if (!SendDrawColors(pdev, attributes)) return FALSE;
  if (!IdlSetBackgroundModeCtrl(pdev, attributes.backgroundMode) || !SendRopAndClip(pdev, mix, pco)) return FALSE;
  return Draw(pdev, ppo, FillKind(options, kPathAlternateFill, kPathWindingFill));
}

BOOL DivideStrokeAndFillPath(PDEV* pdev, SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo,
                             BRUSHOBJ* pboStroke, LINEATTRS* attrs, BRUSHOBJ* pboFill, POINTL* origin, MIX mix,
                             FLONG options) {
  if (!DrvFillPath2(pdev, pso, ppo, pco, pboFill, origin, mix, options)) return FALSE;
  return DrvStrokePath2(pdev, pso, ppo, pco, pxo, pboStroke, origin, attrs, mix);
}

}  // namespace

BOOL DrvStrokePath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pbo, POINTL* pptlBrushOrg,
                   LINEATTRS* plineattrs, MIX mix) {
  BOOL result = FALSE;
  PDEV* pdev = DrawingPdev(pso, &result);
  if (pdev == nullptr) return result;
  return DrvStrokePath2(pdev, pso, ppo, pco, pxo, pbo, pptlBrushOrg, plineattrs, mix);
}

BOOL DrvFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, BRUSHOBJ* pbo, POINTL* pptlBrushOrg, MIX mix,
                 FLONG flOptions) {
  BOOL result = FALSE;
  PDEV* pdev = DrawingPdev(pso, &result);
  if (pdev == nullptr) return result;
  return DrvFillPath2(pdev, pso, ppo, pco, pbo, pptlBrushOrg, mix, flOptions);
}

BOOL DrvStrokeAndFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pboStroke,
                          LINEATTRS* plineattrs, BRUSHOBJ* pboFill, POINTL* pptlBrushOrg, MIX mixFill,
                          FLONG flOptions) {
  BOOL result = FALSE;
  PDEV* pdev = DrawingPdev(pso, &result);
  if (pdev == nullptr) return result;
  if (!SolidColored(pboStroke) || !SolidColored(pboFill)) {
    return DivideStrokeAndFillPath(pdev, pso, ppo, pco, pxo, pboStroke, plineattrs, pboFill, pptlBrushOrg, mixFill,
                                   flOptions);
  }
  // Both solid: one record strokes and fills, the pen as the third colour.
  LineAttributes line{};
  BOOL geometric = FALSE;
  if (!SetLineAttrs(pdev, plineattrs, pboStroke->iSolidColor, pxo, &line, &geometric)) return FALSE;
  if (!IdlSetLineAttrCtrl(pdev, &line)) return FALSE;
  const BrushRecord* brush = SendBrush(pdev, pso, pboFill, pptlBrushOrg);
  if (brush == nullptr) return FALSE;
  DRAWATTR attributes{};
  SetDrawAttr(pdev, mixFill, &attributes, 1);
  attributes.backgroundMode = FillBackground(attributes, *brush);
  if (!IdlSetBackgroundModeCtrl(pdev, attributes.backgroundMode) || !SendRopAndClip(pdev, mixFill, pco)) {
    return FALSE;
  }
  attributes.foregroundColor = brush->colors[0];
  attributes.backgroundColor = brush->colors[1];
  attributes.thirdColor = line.color;
  attributes.drawKind = kDrawStrokeAndFill;
  if (!SendDrawColors(pdev, attributes)) return FALSE;
  return Draw(pdev, ppo, FillKind(flOptions, kPathStrokeAlternateFill, kPathStrokeWindingFill));
}
