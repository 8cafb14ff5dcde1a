// Where a DC's drawing lands: the bitmap it draws on (a window's own
// surface, the screen's, or the bitmap selected into a memory DC), where
// the DC's origin lies on it, the clip in that bitmap's pixels, and a copy
// of the DC's state and selected objects. The drawing calls resolve a DC
// into a canvas, then draw through the engine's raster core under the one
// raster lock. Internal to platform/gdi/.
#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <vector>

#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/gdi/gdi_table.h"

namespace plat::gdi {

struct Canvas {
  HDC dc = nullptr;
  std::shared_ptr<Bitmap> bitmap;
  POINT offset{};          // the bitmap pixel of the DC's logical (0,0)
  std::vector<RECTL> clip; // where the DC may draw, in the bitmap's pixels
  DcState state;
  GdiObject pen;
  GdiObject brush;
  GdiObject font;

  RECTL ToDevice(const RECT& r) const {
    return RECTL{r.left + offset.x, r.top + offset.y, r.right + offset.x, r.bottom + offset.y};
  }
  POINT ToDevice(POINT p) const { return POINT{p.x + offset.x, p.y + offset.y}; }
  plat::eng::Palette palette() const { return EnginePalette(*bitmap); }
};

// The canvas of a DC; false (ERROR_INVALID_HANDLE) when the handle is not a
// DC or it has nothing to draw on.
bool ResolveCanvas(HDC dc, Canvas* canvas);
// The font of a DC as ResolveCanvas gives it, for calls that only measure:
// without making the window surface a window's DC draws on. Fails where
// ResolveCanvas fails.
bool ResolveFont(HDC dc, GdiObject* font);

// Held while the engine draws on GDI bitmaps, so that two threads drawing
// on one bitmap take turns.
std::mutex& RasterLock();

// A brush realized for the engine on one canvas: solid, hatched or a
// pattern. A monochrome pattern takes the DC's text colour for 0 and
// background colour for 1. Null for the null brush.
struct RealizedBrush {
  std::unique_ptr<Bitmap> patternCopy;
  std::unique_ptr<EngineSurface> pattern;
  std::unique_ptr<plat::eng::Brush> brush;
};
RealizedBrush RealizeBrush(const Canvas& canvas, const GdiObject& brush);
// A solid engine brush of a colour on the canvas.
std::unique_ptr<plat::eng::Brush> SolidBrush(const Canvas& canvas, COLORREF color);

// Fills a rectangle of the bitmap with an engine brush in a ternary
// operation, through the engine's block transfer; the caller holds the
// raster lock.
bool FillWith(const Canvas& canvas, SURFOBJ* surface, const RECTL& rect, plat::eng::Brush* brush, BYTE rop3);
// Fills a logical rectangle of a DC with a colour (no call recorded).
bool FillColor(HDC dc, const RECT& rect, COLORREF color);
// The brush origin of the canvas in the bitmap's pixels.
POINTL BrushOrigin(const Canvas& canvas);

// The clip of a drawing within bounds (bitmap pixels) for the engine.
plat::eng::Clip ClipFor(const Canvas& canvas, const RECTL& bounds);

// The mix of the DC's binary raster operation, for the engine's path and
// text calls, and its ternary operation.
MIX MixOf(const Canvas& canvas);

// A colour given by the system: the window manager fills this in, so that a
// brush given as a system colour's index + 1 and the edges of DrawEdge take
// the system's colours.
using SystemColorFn = COLORREF (*)(int index);
void SetSystemColorSource(SystemColorFn source);
COLORREF SystemColor(int index);

// The surface of a window, made (zeroed) or grown to hold at least the
// given size. Dropped with the window's DCs when the window goes away.
std::shared_ptr<Bitmap> WindowSurface(HWND window, SIZE atLeast);
// The surface a window has drawn on so far, or null.
std::shared_ptr<Bitmap> ExistingWindowSurface(HWND window);
void DropWindowSurface(HWND window);

}  // namespace plat::gdi
