// DrawEdge: the raised and sunken borders of three-dimensional controls, an
// outer and an inner line of the system's edge colours.
#include "platform/base/winerror.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

// System colour indexes of the edges.
constexpr int kFace = 15;        // COLOR_3DFACE
constexpr int kShadow = 16;      // COLOR_3DSHADOW
constexpr int kHighlight = 20;   // COLOR_3DHIGHLIGHT
constexpr int kDarkShadow = 21;  // COLOR_3DDKSHADOW
constexpr int kLight = 22;       // COLOR_3DLIGHT

// One row per border line: which edge bit draws it, and the colours of its
// top-left and bottom-right sides.
struct EdgeRow {
  UINT bit;
  bool inner;
  int topLeft;
  int bottomRight;
};
constexpr EdgeRow kEdges[] = {
    {BDR_RAISEDOUTER, false, kLight, kDarkShadow},
    {BDR_SUNKENOUTER, false, kShadow, kHighlight},
    {BDR_RAISEDINNER, true, kHighlight, kShadow},
    {BDR_SUNKENINNER, true, kDarkShadow, kLight},
};

// Draws one line of the border inside r on the sides flags names, and
// moves those sides in by one.
bool DrawLine(HDC dc, RECT& r, UINT flags, const EdgeRow& row) {
  const COLORREF tl = SystemColor(row.topLeft), br = SystemColor(row.bottomRight);
  bool ok = true;
  if (flags & BF_TOP) ok = FillColor(dc, RECT{r.left, r.top, r.right, r.top + 1}, tl) && ok;
  if (flags & BF_LEFT) ok = FillColor(dc, RECT{r.left, r.top, r.left + 1, r.bottom}, tl) && ok;
  if (flags & BF_BOTTOM) ok = FillColor(dc, RECT{r.left, r.bottom - 1, r.right, r.bottom}, br) && ok;
  if (flags & BF_RIGHT) ok = FillColor(dc, RECT{r.right - 1, r.top, r.right, r.bottom}, br) && ok;
  if (flags & BF_TOP) ++r.top;
  if (flags & BF_LEFT) ++r.left;
  if (flags & BF_BOTTOM) --r.bottom;
  if (flags & BF_RIGHT) --r.right;
  return ok;
}

}  // namespace
}  // namespace plat::gdi

BOOL DrawEdge(HDC dc, LPRECT rect, UINT edge, UINT flags) {
  if (rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  RECT r = *rect;
  bool ok = true;
  for (bool inner : {false, true}) {
    for (const plat::gdi::EdgeRow& row : plat::gdi::kEdges) {
      if (row.inner == inner && (edge & row.bit) != 0) {
        ok = plat::gdi::DrawLine(dc, r, flags, row) && ok;
        break;  // raised wins over sunken on the same line
      }
    }
  }
  if (ok && (flags & BF_MIDDLE) != 0 && r.left < r.right && r.top < r.bottom) {
    ok = plat::gdi::FillColor(dc, r, plat::gdi::SystemColor(plat::gdi::kFace));
  }
  if (!ok) return FALSE;
  if (flags & BF_ADJUST) *rect = r;
  plat::gdi::RecordGdiCall(dc, "DrawEdge", {rect->left, rect->top, rect->right, rect->bottom,
                                            static_cast<LONG_PTR>(edge), static_cast<LONG_PTR>(flags)});
  return TRUE;
}
