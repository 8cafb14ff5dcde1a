// The drawing attributes of a mix, their colour record and the brush record
// of a brush.
#include "platform/engine/objects/brushobj.h"
#include "render/paths/draw_setup.h"
#include "render/pdev/pdev.h"
#include "render/records/attribute_records.h"
#include "render/records/state_control.h"

namespace {

// The background code that leaves the page alone (R2_NOP).
constexpr ULONG kLeaveBackground = 11;
constexpr ULONG kWhite = 0xFFFFFF;
constexpr LONG kOriginBits = 0xFF;

}  // namespace

BOOL SetDrawAttr(PDEV* /*pdev*/, MIX mix, DRAWATTR* attributes, ULONG strokeAndFill) {
  *attributes = DRAWATTR{};
  attributes->mix = static_cast<USHORT>(mix & 0xFF);
  attributes->backgroundMode = ((mix >> 8) & 0xFF) == kLeaveBackground ? kBackgroundTransparent : kBackgroundOpaque;
  attributes->thirdColorFlag = strokeAndFill == 1 ? 1 : 0;
  return TRUE;
}

BOOL SendDrawColors(PDEV* pdev, DRAWATTR& attributes) {
  BGRtoRGB_DRAWATTR(&attributes);
  return IdlSetColorCtrl(pdev, &attributes) ? TRUE : FALSE;
}

BrushRecord* SetBrushObject(PDEV* pdev, SURFOBJ* /*pso*/, BRUSHOBJ* pbo, const POINTL* origin) {
  if (pbo == nullptr) return nullptr;
  if (pbo->iSolidColor != kNoSolidColor) {
    BrushRecord& brush = pdev->defaultBrush;
    brush = BrushRecord{};
    brush.colors[0] = pbo->iSolidColor;
    brush.colors[1] = kWhite;
    return &brush;
  }
  auto* brush = static_cast<BrushRecord*>(BRUSHOBJ_pvGetRbrush(pbo));
  if (brush == nullptr) return nullptr;
  brush->originX = static_cast<SHORT>(origin != nullptr ? origin->x & kOriginBits : 0);
  brush->originY = static_cast<SHORT>(origin != nullptr ? origin->y & kOriginBits : 0);
  return brush;
}
