// Block transfers between bitmaps: BitBlt, StretchBlt, SetDIBitsToDevice,
// StretchDIBits, and single pixels. Colours are translated between the
// bitmaps' palettes; a monochrome source on a colour target takes the
// target DC's text colour for 0 and background colour for 1, and a colour
// source on a monochrome target gives 1 where it has the source DC's
// background colour and 0 elsewhere.
#include <algorithm>
#include <cstddef>
#include <cstdlib>
#include <cstring>

#include "platform/base/winerror.h"
#include "platform/engine/raster/engraster.h"
#include "platform/engine/raster/pixels.h"
#include "platform/engine/raster/raster_core.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

BYTE Rop3Of(DWORD rop) { return static_cast<BYTE>((rop >> 16) & 0xFF); }

// A source for a transfer: a bitmap and, for a DC's bitmap, the DC's
// background colour (what a colour-to-monochrome transfer keys on).
struct Source {
  std::shared_ptr<Bitmap> bitmap;
  POINT at{};  // the source pixel of the target rectangle's top left
  bool fromDc = false;
  COLORREF background = 0;
};

// The source's pixels in [at, at + size) as a monochrome bitmap: 1 where
// they have the background colour.
std::shared_ptr<Bitmap> MonochromeOf(const Source& source, SURFOBJ* surface, SIZE size) {
  auto mono = MakeBitmap(size.cx, size.cy, 1, true);
  if (mono == nullptr) return nullptr;
  const plat::eng::PixelView from(surface);
  const plat::eng::Palette palette = EnginePalette(*source.bitmap);
  const LONG stride = mono->Stride();
  plat::eng::PixelView to(mono->bits.data(), stride, size.cx, size.cy, BMF_1BPP);
  for (LONG y = 0; y < size.cy; ++y) {
    for (LONG x = 0; x < size.cx; ++x) {
      const LONG sx = source.at.x + x, sy = source.at.y + y;
      if (!from.Inside(sx, sy)) continue;
      to.Set(x, y, palette.ToRgb(from.Get(sx, sy)) == (source.background & 0xFFFFFF) ? 1 : 0);
    }
  }
  return mono;
}

// Transfers the source onto the target rectangle (bitmap pixels) of the
// canvas in the ternary operation; the caller holds the raster lock.
bool Transfer(const Canvas& canvas, SURFOBJ* target, const RECTL& rect, Source* source, BYTE rop3) {
  RECTL trg = rect;
  if (plat::eng::IsEmpty(trg)) return true;
  const bool needsSource = plat::eng::NeedsSource(rop3);
  const bool needsPattern = plat::eng::NeedsPattern(rop3);
  RealizedBrush brush;
  if (needsPattern) {
    brush = RealizeBrush(canvas, canvas.brush);
    if (brush.brush == nullptr) return true;  // the null brush draws nothing
  }
  std::unique_ptr<EngineSurface> ownSurface;
  std::shared_ptr<Bitmap> converted;
  std::unique_ptr<plat::eng::Xlate> xlate;
  SURFOBJ* from = nullptr;
  POINTL at{};
  if (needsSource) {
    if (source == nullptr || source->bitmap == nullptr) return false;
    const bool same = source->bitmap == canvas.bitmap;
    if (!same) ownSurface = std::make_unique<EngineSurface>(*source->bitmap);
    from = same ? target : ownSurface->get();
    if (from == nullptr) return false;
    at = POINTL{source->at.x, source->at.y};
    const bool monoTarget = canvas.bitmap->bitsPerPixel == 1;
    const bool monoSource = source->bitmap->bitsPerPixel == 1;
    if (monoTarget && !monoSource && source->fromDc) {
      converted = MonochromeOf(*source, from, SIZE{trg.right - trg.left, trg.bottom - trg.top});
      if (converted == nullptr) return false;
      ownSurface = std::make_unique<EngineSurface>(*converted);
      from = ownSurface->get();
      at = POINTL{0, 0};
    } else if (monoSource && !monoTarget && source->fromDc && !source->bitmap->dibSection) {
      // A monochrome device bitmap has no colours of its own: it takes the
      // target DC's; a DIB keeps those of its table.
      xlate = std::make_unique<plat::eng::Xlate>(
          plat::eng::Palette::Indexed({canvas.state.textColor & 0xFFFFFF, canvas.state.bkColor & 0xFFFFFF}),
          canvas.palette());
    } else {
      xlate = std::make_unique<plat::eng::Xlate>(EnginePalette(*source->bitmap), canvas.palette());
    }
  }
  plat::eng::Clip clip = ClipFor(canvas, trg);
  POINTL origin = BrushOrigin(canvas);
  const ROP4 rop4 = static_cast<ROP4>(rop3) | (static_cast<ROP4>(rop3) << 8);
  return EngBitBlt(target, from, nullptr, &clip, xlate.get(), &trg, needsSource ? &at : nullptr, nullptr,
                   brush.brush.get(), &origin, rop4) != FALSE;
}

// The source scaled to the target size (mirrored where the signs of the
// sizes differ), in the source's own format and colours.
std::shared_ptr<Bitmap> Scaled(Bitmap& source, RECTL from, LONG width, LONG height) {
  auto scaled = MakeBitmap(std::labs(width), std::labs(height), source.bitsPerPixel, true);
  if (scaled == nullptr) return nullptr;
  scaled->colors = source.colors;
  EngineSurface in(source), out(*scaled);
  if (in.get() == nullptr || out.get() == nullptr) return nullptr;
  const LONG w = std::labs(width), h = std::labs(height);
  const bool mirrorX = (width < 0) != (from.right < from.left);
  const bool mirrorY = (height < 0) != (from.bottom < from.top);
  RECTL src = plat::eng::Ordered(from);
  RECTL dest{mirrorX ? w : 0, mirrorY ? h : 0, mirrorX ? 0 : w, mirrorY ? 0 : h};
  if (!EngStretchBlt(out.get(), in.get(), nullptr, nullptr, nullptr, nullptr, nullptr, &dest, &src, nullptr, 0)) {
    return nullptr;
  }
  return scaled;
}

// Draws a source rectangle (source pixels, sizes possibly negative) onto a
// logical target rectangle of the DC, scaling where the sizes differ.
BOOL Blit(HDC dc, RECT target, Source source, SIZE sourceSize, DWORD rop, const char* call,
          std::initializer_list<LONG_PTR> args) {
  Canvas canvas;
  if (!ResolveCanvas(dc, &canvas)) return FALSE;
  const BYTE rop3 = Rop3Of(rop);
  {
    std::lock_guard guard(RasterLock());
    EngineSurface surface(*canvas.bitmap);
    if (surface.get() == nullptr) return FALSE;
    const LONG w = target.right - target.left, h = target.bottom - target.top;
    const bool scale = plat::eng::NeedsSource(rop3) && (w != sourceSize.cx || h != sourceSize.cy);
    if (scale) {
      if (sourceSize.cx == 0 || sourceSize.cy == 0) return TRUE;
      const RECTL from{source.at.x, source.at.y, source.at.x + sourceSize.cx, source.at.y + sourceSize.cy};
      source.bitmap = Scaled(*source.bitmap, from, w, h);
      if (source.bitmap == nullptr) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return FALSE;
      }
      source.at = POINT{0, 0};
    }
    // A negative size runs back from the given corner, that pixel included.
    RECT placed = target;
    if (w < 0) placed = RECT{target.left + w + 1, placed.top, target.left + 1, placed.bottom};
    if (h < 0) placed = RECT{placed.left, target.top + h + 1, placed.right, target.top + 1};
    const RECTL device = canvas.ToDevice(placed);
    if (!Transfer(canvas, surface.get(), device, &source, rop3)) {
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
    }
  }
  RecordGdiCall(dc, call, args);
  return TRUE;
}

// The source of a transfer from a DC; false when the handle is not one.
bool SourceOfDc(HDC dc, int x, int y, Source* source) {
  Canvas canvas;
  if (!ResolveCanvas(dc, &canvas)) return false;
  source->bitmap = canvas.bitmap;
  source->at = canvas.ToDevice(POINT{x, y});
  source->fromDc = true;
  source->background = canvas.state.bkColor;
  return true;
}

// A DIB from a caller as a source: `lines` scan lines from `startScan`
// (counted from the bottom of a bottom-up DIB) and a source rectangle whose
// y is counted from the DIB's bottom line when it is bottom-up.
bool SourceOfDib(const BITMAPINFO* info, const void* bits, UINT usage, UINT startScan, UINT lines, int x, int y,
                 int height, Source* source) {
  if (bits == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return false;
  }
  auto bitmap = BitmapFromDib(info, nullptr, usage);
  if (bitmap == nullptr) return false;
  const std::size_t stride = static_cast<std::size_t>(bitmap->Stride());
  const std::size_t first = std::min<std::size_t>(startScan, static_cast<std::size_t>(bitmap->height));
  const std::size_t count = std::min<std::size_t>(lines, static_cast<std::size_t>(bitmap->height) - first);
  std::memcpy(bitmap->bits.data() + first * stride, bits, count * stride);
  source->bitmap = std::move(bitmap);
  source->at = POINT{x, source->bitmap->topDown ? y : source->bitmap->height - y - height};
  return true;
}

}  // namespace
}  // namespace plat::gdi

BOOL BitBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSource, int ySource, DWORD rop) {
  plat::gdi::Source from;
  if (plat::eng::NeedsSource(plat::gdi::Rop3Of(rop)) && !plat::gdi::SourceOfDc(source, xSource, ySource, &from)) {
    return FALSE;
  }
  return plat::gdi::Blit(dc, RECT{x, y, x + width, y + height}, from, SIZE{width, height}, rop, "BitBlt",
                         {x, y, width, height, reinterpret_cast<LONG_PTR>(source), xSource, ySource,
                          static_cast<LONG_PTR>(rop)});
}

BOOL StretchBlt(HDC dc, int x, int y, int width, int height, HDC source, int xSource, int ySource,
                int widthSource, int heightSource, DWORD rop) {
  plat::gdi::Source from;
  if (plat::eng::NeedsSource(plat::gdi::Rop3Of(rop)) && !plat::gdi::SourceOfDc(source, xSource, ySource, &from)) {
    return FALSE;
  }
  return plat::gdi::Blit(dc, RECT{x, y, x + width, y + height}, from, SIZE{widthSource, heightSource}, rop,
                         "StretchBlt", {x, y, width, height, reinterpret_cast<LONG_PTR>(source), xSource, ySource,
                                        widthSource, heightSource, static_cast<LONG_PTR>(rop)});
}

int SetDIBitsToDevice(HDC dc, int x, int y, DWORD width, DWORD height, int xSource, int ySource, UINT startScan,
                      UINT lines, const void* bits, const BITMAPINFO* info, UINT usage) {
  plat::gdi::Source from;
  const int w = static_cast<int>(width), h = static_cast<int>(height);
  if (!plat::gdi::SourceOfDib(info, bits, usage, startScan, lines, xSource, ySource, h, &from)) return 0;
  if (!plat::gdi::Blit(dc, RECT{x, y, x + w, y + h}, from, SIZE{w, h}, SRCCOPY, "SetDIBitsToDevice",
                       {x, y, w, h, xSource, ySource, static_cast<LONG_PTR>(startScan), static_cast<LONG_PTR>(lines)})) {
    return 0;
  }
  return static_cast<int>(lines);
}

int StretchDIBits(HDC dc, int x, int y, int width, int height, int xSource, int ySource, int widthSource,
                  int heightSource, const void* bits, const BITMAPINFO* info, UINT usage, DWORD rop) {
  plat::gdi::Source from;
  LONG rows = 0;
  if (info != nullptr) {  // the header may lie unaligned in a file's bytes
    std::memcpy(&rows, reinterpret_cast<const BYTE*>(info) + offsetof(BITMAPINFOHEADER, biHeight), sizeof(rows));
    rows = std::labs(rows);
  }
  if (!plat::gdi::SourceOfDib(info, bits, usage, 0, static_cast<UINT>(rows), xSource, ySource, heightSource, &from)) {
    return 0;
  }
  if (!plat::gdi::Blit(dc, RECT{x, y, x + width, y + height}, from, SIZE{widthSource, heightSource}, rop,
                       "StretchDIBits",
                       {x, y, width, height, xSource, ySource, widthSource, heightSource, static_cast<LONG_PTR>(rop)})) {
    return 0;
  }
  return static_cast<int>(rows);
}

namespace {

// Whether a bitmap pixel lies in the canvas's clip.
bool Visible(const plat::gdi::Canvas& canvas, POINT p) {
  return std::any_of(canvas.clip.begin(), canvas.clip.end(), [&](const RECTL& r) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
  });
}

}  // namespace

COLORREF GetPixel(HDC dc, int x, int y) {
  plat::gdi::Canvas canvas;
  if (!plat::gdi::ResolveCanvas(dc, &canvas)) return CLR_INVALID;
  const POINT p = canvas.ToDevice(POINT{x, y});
  if (!Visible(canvas, p)) return CLR_INVALID;
  std::lock_guard guard(plat::gdi::RasterLock());
  plat::gdi::EngineSurface surface(*canvas.bitmap);
  const plat::eng::PixelView view(surface.get());
  if (!view.Inside(p.x, p.y)) return CLR_INVALID;
  return canvas.palette().ToRgb(view.Get(p.x, p.y));
}

COLORREF SetPixel(HDC dc, int x, int y, COLORREF color) {
  plat::gdi::Canvas canvas;
  if (!plat::gdi::ResolveCanvas(dc, &canvas)) return CLR_INVALID;
  const POINT p = canvas.ToDevice(POINT{x, y});
  if (!Visible(canvas, p)) return CLR_INVALID;
  const plat::eng::Palette palette = canvas.palette();
  const ULONG index = palette.FromRgb(color & 0xFFFFFF);
  {
    std::lock_guard guard(plat::gdi::RasterLock());
    plat::gdi::EngineSurface surface(*canvas.bitmap);
    auto brush = plat::eng::Brush::Solid(index, color & 0xFFFFFF);
    if (surface.get() == nullptr ||
        !plat::gdi::FillWith(canvas, surface.get(), RECTL{p.x, p.y, p.x + 1, p.y + 1}, brush.get(), 0xF0)) {
      return CLR_INVALID;
    }
  }
  plat::gdi::RecordGdiCall(dc, "SetPixel", {x, y, static_cast<LONG_PTR>(color)});
  return palette.ToRgb(index);
}

COLORREF GetNearestColor(HDC dc, COLORREF color) {
  plat::gdi::Canvas canvas;
  if (!plat::gdi::ResolveCanvas(dc, &canvas)) return CLR_INVALID;
  const plat::eng::Palette palette = canvas.palette();
  return palette.ToRgb(palette.FromRgb(color & 0xFFFFFF));
}
