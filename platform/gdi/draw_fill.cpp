// Filling rectangles: FillRect, FrameRect, InvertRect, DrawFocusRect and
// PatBlt, each a block transfer of a brush by the engine.
#include "platform/base/winerror.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

constexpr BYTE kPatCopy = 0xF0;
constexpr BYTE kDstInvert = 0x55;
constexpr BYTE kPatInvert = 0x5A;
// Handles below this are system colour indexes + 1 given as brushes.
constexpr ULONG_PTR kSystemColorLimit = 32;

// The brush a caller gave: a brush object, or a system colour's index + 1.
bool BrushObject(HBRUSH brush, GdiObject* out) {
  const auto value = reinterpret_cast<ULONG_PTR>(brush);
  if (value != 0 && value <= kSystemColorLimit) {
    out->type = OBJ_BRUSH;
    out->style = static_cast<int>(BS_SOLID);
    out->color = SystemColor(static_cast<int>(value - 1));
    return true;
  }
  return WithObject(brush, OBJ_BRUSH, [&](GdiObject& o) { *out = o; });
}

// Fills the rectangles (logical coordinates) of the DC with the brush in the
// operation; false for a DC or brush that is not one.
bool FillRects(HDC dc, std::initializer_list<RECT> rects, const GdiObject* brushObject, BYTE rop3) {
  Canvas canvas;
  if (!ResolveCanvas(dc, &canvas)) return false;
  std::lock_guard guard(RasterLock());
  EngineSurface surface(*canvas.bitmap);
  if (surface.get() == nullptr) return false;
  RealizedBrush brush;
  if (brushObject != nullptr) {
    brush = RealizeBrush(canvas, *brushObject);
    if (brush.brush == nullptr) return true;  // the null brush
  }
  bool ok = true;
  for (const RECT& r : rects) ok = FillWith(canvas, surface.get(), canvas.ToDevice(r), brush.brush.get(), rop3) && ok;
  return ok;
}

// The checkered brush of focus rectangles: every other pixel white, so that
// its exclusive or inverts it. Eight bits per pixel, so that the DC's text
// and background colours do not colour it as they colour a monochrome one.
GdiObject FocusBrush() {
  static const std::shared_ptr<Bitmap> checker = [] {
    auto made = MakeBitmap(8, 8, 8, true);
    for (int y = 0; y < 8; ++y) {
      for (int x = 0; x < 8; ++x) made->bits[static_cast<std::size_t>(y) * made->Stride() + x] = ((x + y) & 1) ? 0 : 0xFF;
    }
    return made;
  }();
  GdiObject o;
  o.type = OBJ_BRUSH;
  o.style = static_cast<int>(BS_PATTERN);
  o.bitmap = checker;
  return o;
}

bool ValidRect(const RECT* rect) {
  if (rect != nullptr) return true;
  SetLastError(ERROR_INVALID_PARAMETER);
  return false;
}

}  // namespace

bool FillColor(HDC dc, const RECT& rect, COLORREF color) {
  GdiObject solid;
  solid.type = OBJ_BRUSH;
  solid.style = static_cast<int>(BS_SOLID);
  solid.color = color & 0xFFFFFF;
  return FillRects(dc, {rect}, &solid, kPatCopy);
}

}  // namespace plat::gdi

using plat::gdi::RecordGdiCall;

int FillRect(HDC dc, const RECT* rect, HBRUSH brush) {
  plat::gdi::GdiObject object;
  if (!plat::gdi::ValidRect(rect) || brush == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  if (!plat::gdi::BrushObject(brush, &object)) return 0;
  if (!plat::gdi::FillRects(dc, {*rect}, &object, plat::gdi::kPatCopy)) return 0;
  RecordGdiCall(dc, "FillRect", {rect->left, rect->top, rect->right, rect->bottom, reinterpret_cast<LONG_PTR>(brush)});
  return 1;
}

int FrameRect(HDC dc, const RECT* rect, HBRUSH brush) {
  plat::gdi::GdiObject object;
  if (!plat::gdi::ValidRect(rect) || !plat::gdi::BrushObject(brush, &object)) return 0;
  const RECT r = *rect;
  if (r.right <= r.left || r.bottom <= r.top) return 1;
  // One pixel inside each edge, the corners drawn once.
  if (!plat::gdi::FillRects(dc,
                            {RECT{r.left, r.top, r.right, r.top + 1}, RECT{r.left, r.bottom - 1, r.right, r.bottom},
                             RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1},
                             RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}},
                            &object, plat::gdi::kPatCopy)) {
    return 0;
  }
  RecordGdiCall(dc, "FrameRect", {r.left, r.top, r.right, r.bottom, reinterpret_cast<LONG_PTR>(brush)});
  return 1;
}

BOOL InvertRect(HDC dc, const RECT* rect) {
  if (!plat::gdi::ValidRect(rect) || !plat::gdi::FillRects(dc, {*rect}, nullptr, plat::gdi::kDstInvert)) return FALSE;
  RecordGdiCall(dc, "InvertRect", {rect->left, rect->top, rect->right, rect->bottom});
  return TRUE;
}

BOOL DrawFocusRect(HDC dc, const RECT* rect) {
  if (!plat::gdi::ValidRect(rect)) return FALSE;
  const RECT r = *rect;
  const plat::gdi::GdiObject checker = plat::gdi::FocusBrush();
  // Drawing it twice takes it away again.
  const bool ok = plat::gdi::FillRects(
      dc,
      {RECT{r.left, r.top, r.right, r.top + 1}, RECT{r.left, r.bottom - 1, r.right, r.bottom},
       RECT{r.left, r.top + 1, r.left + 1, r.bottom - 1}, RECT{r.right - 1, r.top + 1, r.right, r.bottom - 1}},
      &checker, plat::gdi::kPatInvert);
  if (!ok) return FALSE;
  RecordGdiCall(dc, "DrawFocusRect", {r.left, r.top, r.right, r.bottom});
  return TRUE;
}

BOOL PatBlt(HDC dc, int x, int y, int width, int height, DWORD rop) {
  const BYTE rop3 = static_cast<BYTE>((rop >> 16) & 0xFF);
  // PatBlt has no source: an operation that reads one is refused.
  if ((((rop3 >> 2) ^ rop3) & 0x33) != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  plat::gdi::Canvas probe;
  if (!plat::gdi::ResolveCanvas(dc, &probe)) return FALSE;
  const bool needsBrush = (((rop3 >> 4) ^ rop3) & 0x0F) != 0;
  if (needsBrush && probe.brush.style == static_cast<int>(BS_NULL)) return TRUE;  // nothing to draw with
  if (!plat::gdi::FillRects(dc, {RECT{x, y, x + width, y + height}}, needsBrush ? &probe.brush : nullptr, rop3)) {
    return FALSE;
  }
  RecordGdiCall(dc, "PatBlt", {x, y, width, height, static_cast<LONG_PTR>(rop)});
  return TRUE;
}
