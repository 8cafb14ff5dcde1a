// Resolving a DC into the bitmap it draws on, and realizing its objects for
// the engine's raster core.
#include "platform/gdi/canvas.h"

#include <algorithm>
#include <atomic>
#include <cstring>
#include <map>

#include "platform/base/winerror.h"
#include "platform/engine/raster/engraster.h"
#include "platform/engine/raster/pixels.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

struct WindowSurfaces {
  std::mutex lock;
  std::map<HWND, std::shared_ptr<Bitmap>> surfaces;  // the screen's under null
};

WindowSurfaces& Surfaces() {
  static auto* surfaces = new WindowSurfaces;  // lives until process exit, as windows may
  return *surfaces;
}

std::atomic<SystemColorFn> systemColors{nullptr};

// A copy of a bitmap grown to at least the size, its pixels kept.
std::shared_ptr<Bitmap> Grown(const Bitmap* old, SIZE size) {
  auto grown = MakeBitmap(std::max<LONG>(size.cx, 1), std::max<LONG>(size.cy, 1), 32, true);
  if (grown == nullptr || old == nullptr) return grown;
  const std::size_t line = static_cast<std::size_t>(std::min(old->Stride(), grown->Stride()));
  for (LONG y = 0; y < std::min(old->height, grown->height); ++y) {
    std::memcpy(grown->bits.data() + static_cast<std::size_t>(y) * grown->Stride(),
                old->bits.data() + static_cast<std::size_t>(y) * old->Stride(), line);
  }
  return grown;
}

GdiObject CopyOf(GdiTable& table, HGDIOBJ object) {
  const GdiObject* found = LockedObject(table, object);
  return found != nullptr ? *found : GdiObject{};
}

}  // namespace

std::shared_ptr<Bitmap> WindowSurface(HWND window, SIZE atLeast) {
  WindowSurfaces& all = Surfaces();
  std::lock_guard guard(all.lock);
  std::shared_ptr<Bitmap>& surface = all.surfaces[window];
  if (surface == nullptr || surface->width < atLeast.cx || surface->height < atLeast.cy) {
    const SIZE size{std::max(atLeast.cx, surface ? surface->width : 0), std::max(atLeast.cy, surface ? surface->height : 0)};
    auto grown = Grown(surface.get(), size);
    if (grown == nullptr) return surface;
    surface = std::move(grown);
  }
  return surface;
}

std::shared_ptr<Bitmap> ExistingWindowSurface(HWND window) {
  WindowSurfaces& all = Surfaces();
  std::lock_guard guard(all.lock);
  auto it = all.surfaces.find(window);
  return it == all.surfaces.end() ? nullptr : it->second;
}

void DropWindowSurface(HWND window) {
  WindowSurfaces& all = Surfaces();
  std::shared_ptr<Bitmap> dropped;  // freed outside the lock
  std::lock_guard guard(all.lock);
  auto it = all.surfaces.find(window);
  if (it == all.surfaces.end()) return;
  dropped = std::move(it->second);
  all.surfaces.erase(it);
}

bool ResolveCanvas(HDC dc, Canvas* canvas) {
  GdiTable& table = Gdi();
  DcKind kind{};
  HWND window = nullptr;
  POINT origin{};
  SIZE size{};
  {
    std::lock_guard guard(table.lock);
    const DeviceContext* d = LockedDC(table, dc);
    if (d == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return false;
    }
    kind = d->kind;
    window = d->window;
    origin = d->origin;
    size = d->size;
    canvas->state = d->state;
    canvas->pen = CopyOf(table, d->state.pen);
    canvas->brush = CopyOf(table, d->state.brush);
    canvas->font = CopyOf(table, d->state.font);
    if (kind == DcKind::kMemory) canvas->bitmap = CopyOf(table, d->state.bitmap).bitmap;
  }
  canvas->dc = dc;
  if (kind == DcKind::kMemory) {
    origin = POINT{};
    if (canvas->bitmap != nullptr) size = SIZE{canvas->bitmap->width, canvas->bitmap->height};
  } else {
    canvas->bitmap = WindowSurface(kind == DcKind::kScreen ? nullptr : window,
                                   SIZE{origin.x + size.cx, origin.y + size.cy});
  }
  if (canvas->bitmap == nullptr) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  const DcState& s = canvas->state;
  canvas->offset = POINT{origin.x - s.windowOrg.x + s.viewportOrg.x, origin.y - s.windowOrg.y + s.viewportOrg.y};
  RectSet area{RECT{origin.x, origin.y, origin.x + size.cx, origin.y + size.cy}};
  if (s.clipped) area = IntersectSets(area, OffsetSet(s.clip, origin.x, origin.y));
  canvas->clip.clear();
  for (const RECT& r : area) canvas->clip.push_back(RECTL{r.left, r.top, r.right, r.bottom});
  return true;
}

bool ResolveFont(HDC dc, GdiObject* font) {
  GdiTable& table = Gdi();
  std::lock_guard guard(table.lock);
  const DeviceContext* d = LockedDC(table, dc);
  // A memory DC draws on its selected bitmap (there is nothing to draw on
  // without one); a window's surface is made as it is needed.
  if (d == nullptr || (d->kind == DcKind::kMemory && CopyOf(table, d->state.bitmap).bitmap == nullptr)) {
    SetLastError(ERROR_INVALID_HANDLE);
    return false;
  }
  *font = CopyOf(table, d->state.font);
  return true;
}

std::mutex& RasterLock() {
  static std::mutex lock;
  return lock;
}

std::unique_ptr<plat::eng::Brush> SolidBrush(const Canvas& canvas, COLORREF color) {
  return plat::eng::Brush::Solid(canvas.palette().FromRgb(color & 0xFFFFFF), color & 0xFFFFFF);
}

RealizedBrush RealizeBrush(const Canvas& canvas, const GdiObject& brush) {
  RealizedBrush out;
  switch (brush.style) {
    case BS_SOLID:
      out.brush = SolidBrush(canvas, brush.color);
      break;
    case BS_HATCHED:
      out.brush = plat::eng::Brush::Hatch(static_cast<ULONG>(brush.hatch), canvas.palette(), brush.color & 0xFFFFFF,
                                          canvas.state.bkColor & 0xFFFFFF);
      break;
    case BS_PATTERN: {
      if (brush.bitmap == nullptr) break;
      out.patternCopy = std::make_unique<Bitmap>(*brush.bitmap);
      if (out.patternCopy->bitsPerPixel == 1) {
        out.patternCopy->colors = {canvas.state.textColor & 0xFFFFFF, canvas.state.bkColor & 0xFFFFFF};
      }
      out.pattern = std::make_unique<EngineSurface>(*out.patternCopy);
      if (out.pattern->get() == nullptr) break;
      out.brush = plat::eng::Brush::Pattern(
          out.pattern->get(), std::make_unique<plat::eng::Xlate>(EnginePalette(*out.patternCopy), canvas.palette()));
      break;
    }
    default:  // the null brush draws nothing
      break;
  }
  return out;
}

plat::eng::Clip ClipFor(const Canvas& canvas, const RECTL& bounds) {
  return plat::eng::Clip::Region(canvas.clip, bounds, plat::eng::NewClipUniq());
}

bool FillWith(const Canvas& canvas, SURFOBJ* surface, const RECTL& rect, plat::eng::Brush* brush, BYTE rop3) {
  RECTL target = plat::eng::Ordered(rect);
  if (plat::eng::IsEmpty(target)) return true;
  plat::eng::Clip clip = ClipFor(canvas, target);
  POINTL origin = BrushOrigin(canvas);
  const ROP4 rop4 = static_cast<ROP4>(rop3) | (static_cast<ROP4>(rop3) << 8);
  return EngBitBlt(surface, nullptr, nullptr, &clip, nullptr, &target, nullptr, nullptr, brush, &origin, rop4) != FALSE;
}

POINTL BrushOrigin(const Canvas& canvas) {
  return POINTL{canvas.state.brushOrg.x + canvas.offset.x + canvas.state.windowOrg.x - canvas.state.viewportOrg.x,
                canvas.state.brushOrg.y + canvas.offset.y + canvas.state.windowOrg.y - canvas.state.viewportOrg.y};
}

MIX MixOf(const Canvas& canvas) {
  const MIX rop2 = static_cast<MIX>(canvas.state.rop2);
  return rop2 | (rop2 << 8);
}

void SetSystemColorSource(SystemColorFn source) { systemColors.store(source); }

COLORREF SystemColor(int index) {
  const SystemColorFn source = systemColors.load();
  return source != nullptr ? source(index) : 0;
}

}  // namespace plat::gdi
