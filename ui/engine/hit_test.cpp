// Pointing at the printer picture: which of its tray and output areas holds
// a point, with the shifts that installed options give the pictures.
#include "ui/engine/hit_test.h"

#include "platform/window/winuser.h"
#include "settings/values/setting_value.h"

namespace {

LONG_PTR Setting(UCB* ucb, DWORD funcId) {
  return GetDevmodeValueDirectByFuncID(ucb, static_cast<WORD>(funcId), nullptr);
}

bool Applies(UCB* ucb, const HitTestRegion& r) {
  if (r.funcId != 0 && Setting(ucb, r.funcId) != 1) return false;
  return r.secondFuncId == 0 || Setting(ucb, r.secondFuncId) == static_cast<LONG_PTR>(r.reserved);
}

RECT Shifted(UCB* ucb, const HitTestRegion& r) {
  RECT area{r.left, r.top, r.right, r.bottom};
  for (const RelatedShift* s = r.related; s != nullptr && s->funcId != 0; ++s) {
    if (Setting(ucb, s->funcId) != 1) continue;
    OffsetRect(&area, s->dx, s->dy);
  }
  return area;
}

}  // namespace

const HitTestRegion* CheckHitTestData(UCB* ucb, RECT* area, POINT point, const HitTestRegion* records) {
  if (ucb == nullptr || records == nullptr) return nullptr;
  for (const HitTestRegion* r = records; r->nameId != 0; ++r) {
    if (!Applies(ucb, *r)) continue;
    const RECT shifted = Shifted(ucb, *r);
    if (point.x < shifted.left || point.x >= shifted.right || point.y < shifted.top || point.y >= shifted.bottom) continue;
    if (area != nullptr) *area = shifted;
    return r;
  }
  return nullptr;
}
