// The DC's modes, positions, origins and clip region.
#include <algorithm>

#include "platform/base/winerror.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/gdi_path.h"
#include "platform/gdi/gdi_table.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {

SIZE LockedDrawableSize(GdiTable& table, const DeviceContext& dc) {
  if (dc.kind != DcKind::kMemory) return dc.size;
  const GdiObject* selected = LockedObject(table, dc.state.bitmap);
  if (selected == nullptr || selected->bitmap == nullptr) return SIZE{0, 0};
  return SIZE{selected->bitmap->width, selected->bitmap->height};
}

namespace {

// A logical rectangle in the DC's device coordinates.
RECT ToDevice(const DcState& s, int left, int top, int right, int bottom) {
  const LONG dx = s.viewportOrg.x - s.windowOrg.x, dy = s.viewportOrg.y - s.windowOrg.y;
  return RECT{std::min(left, right) + dx, std::min(top, bottom) + dy, std::max(left, right) + dx,
              std::max(top, bottom) + dy};
}

int Complexity(const RectSet& set) {
  if (set.empty()) return NULLREGION;
  return set.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

// Changes the DC's clip region by change(RectSet& current) where current
// starts as the whole drawable area when the DC has no clip region.
template <class Change>
int ChangeClip(HDC dc, Change change, const char* call, std::initializer_list<LONG_PTR> args) {
  int kind = RGN_ERROR;
  GdiTable& table = Gdi();
  {
    std::lock_guard guard(table.lock);
    DeviceContext* d = LockedDC(table, dc);
    if (d == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return RGN_ERROR;
    }
    if (!d->state.clipped) {
      const SIZE size = LockedDrawableSize(table, *d);
      d->state.clip = {RECT{0, 0, size.cx, size.cy}};
    }
    change(d->state);
    d->state.clipped = true;
    kind = Complexity(d->state.clip);
  }
  RecordGdiCall(dc, call, args);
  return kind;
}

// Sets a point of the state, giving the old one; records the call.
BOOL SetPoint(HDC dc, POINT DcState::*field, int x, int y, LPPOINT previous, const char* call) {
  POINT old{};
  if (!WithDC(dc, [&](DeviceContext& d) {
        old = d.state.*field;
        d.state.*field = POINT{x, y};
      })) {
    return FALSE;
  }
  if (previous != nullptr) *previous = old;
  RecordGdiCall(dc, call, {x, y});
  return TRUE;
}

BOOL GetPoint(HDC dc, POINT DcState::*field, LPPOINT out) {
  if (out == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  return WithDC(dc, [&](DeviceContext& d) { *out = d.state.*field; }) ? TRUE : FALSE;
}

// Sets an integer mode of the state within [low, high], giving the old one
// (0 on failure).
int SetMode(HDC dc, int DcState::*field, int mode, int low, int high, const char* call) {
  if (mode < low || mode > high) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  int old = 0;
  if (!WithDC(dc, [&](DeviceContext& d) {
        old = d.state.*field;
        d.state.*field = mode;
      })) {
    return 0;
  }
  RecordGdiCall(dc, call, {mode});
  return old;
}

int GetMode(HDC dc, int DcState::*field) {
  int mode = 0;
  WithDC(dc, [&](DeviceContext& d) { mode = d.state.*field; });
  return mode;
}

}  // namespace
}  // namespace plat::gdi

using plat::gdi::DcState;

int SetROP2(HDC dc, int rop2) { return plat::gdi::SetMode(dc, &DcState::rop2, rop2, static_cast<int>(R2_BLACK), static_cast<int>(R2_WHITE), "SetROP2"); }
int GetROP2(HDC dc) { return plat::gdi::GetMode(dc, &DcState::rop2); }
int SetPolyFillMode(HDC dc, int mode) {
  return plat::gdi::SetMode(dc, &DcState::polyFillMode, mode, ALTERNATE, WINDING, "SetPolyFillMode");
}
// Every picture of the system is laid out in device pixels: MM_TEXT is the
// one mapping mode kept.
int SetMapMode(HDC dc, int mode) { return plat::gdi::SetMode(dc, &DcState::mapMode, mode, MM_TEXT, MM_TEXT, "SetMapMode"); }
int GetMapMode(HDC dc) { return plat::gdi::GetMode(dc, &DcState::mapMode); }

BOOL MoveToEx(HDC dc, int x, int y, LPPOINT previous) {
  const BOOL moved = plat::gdi::SetPoint(dc, &DcState::position, x, y, previous, "MoveToEx");
  // In a path bracket a move ends the figure: the next line starts another.
  if (moved) plat::gdi::EndFigure(dc);
  return moved;
}
BOOL GetCurrentPositionEx(HDC dc, LPPOINT position) { return plat::gdi::GetPoint(dc, &DcState::position, position); }
BOOL SetBrushOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return plat::gdi::SetPoint(dc, &DcState::brushOrg, x, y, previous, "SetBrushOrgEx");
}
BOOL SetViewportOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return plat::gdi::SetPoint(dc, &DcState::viewportOrg, x, y, previous, "SetViewportOrgEx");
}
BOOL SetWindowOrgEx(HDC dc, int x, int y, LPPOINT previous) {
  return plat::gdi::SetPoint(dc, &DcState::windowOrg, x, y, previous, "SetWindowOrgEx");
}
BOOL GetViewportOrgEx(HDC dc, LPPOINT origin) { return plat::gdi::GetPoint(dc, &DcState::viewportOrg, origin); }
BOOL GetWindowOrgEx(HDC dc, LPPOINT origin) { return plat::gdi::GetPoint(dc, &DcState::windowOrg, origin); }

int SelectClipRgn(HDC dc, HRGN region) {
  plat::gdi::RectSet rects;
  const bool none = region == nullptr;
  if (!none && !plat::gdi::WithObject(region, OBJ_REGION, [&](plat::gdi::GdiObject& o) { rects = o.region; })) {
    return RGN_ERROR;
  }
  int kind = RGN_ERROR;
  if (!plat::gdi::WithDC(dc, [&](plat::gdi::DeviceContext& d) {
        d.state.clipped = !none;
        d.state.clip = std::move(rects);
        kind = none ? SIMPLEREGION : plat::gdi::Complexity(d.state.clip);
      })) {
    return RGN_ERROR;
  }
  plat::gdi::RecordGdiCall(dc, "SelectClipRgn", {reinterpret_cast<LONG_PTR>(region)});
  return kind;
}

int ExcludeClipRect(HDC dc, int left, int top, int right, int bottom) {
  return plat::gdi::ChangeClip(
      dc,
      [&](DcState& s) { s.clip = plat::gdi::SubtractRect(s.clip, plat::gdi::ToDevice(s, left, top, right, bottom)); },
      "ExcludeClipRect", {left, top, right, bottom});
}

int IntersectClipRect(HDC dc, int left, int top, int right, int bottom) {
  return plat::gdi::ChangeClip(
      dc,
      [&](DcState& s) { s.clip = plat::gdi::IntersectSet(s.clip, plat::gdi::ToDevice(s, left, top, right, bottom)); },
      "IntersectClipRect", {left, top, right, bottom});
}

int GetClipBox(HDC dc, LPRECT rect) {
  if (rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return RGN_ERROR;
  }
  int kind = RGN_ERROR;
  auto& table = plat::gdi::Gdi();
  std::lock_guard guard(table.lock);
  const plat::gdi::DeviceContext* d = plat::gdi::LockedDC(table, dc);
  if (d == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return RGN_ERROR;
  }
  const SIZE size = plat::gdi::LockedDrawableSize(table, *d);
  plat::gdi::RectSet visible{RECT{0, 0, size.cx, size.cy}};
  if (d->state.clipped) visible = plat::gdi::IntersectSets(visible, d->state.clip);
  const RECT box = plat::gdi::BoundsOfSet(visible);
  const LONG dx = d->state.windowOrg.x - d->state.viewportOrg.x, dy = d->state.windowOrg.y - d->state.viewportOrg.y;
  *rect = RECT{box.left + dx, box.top + dy, box.right + dx, box.bottom + dy};
  kind = plat::gdi::Complexity(visible);
  return kind;
}

int GetClipRgn(HDC dc, HRGN region) {
  plat::gdi::RectSet rects;
  bool clipped = false;
  if (!plat::gdi::WithDC(dc, [&](plat::gdi::DeviceContext& d) {
        clipped = d.state.clipped;
        rects = d.state.clip;
      })) {
    return -1;
  }
  if (!clipped) return 0;
  if (!plat::gdi::WithObject(region, OBJ_REGION, [&](plat::gdi::GdiObject& o) { o.region = std::move(rects); })) {
    return -1;
  }
  return 1;
}
