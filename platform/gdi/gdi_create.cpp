// Pens, brushes, bitmaps and regions: their making and their descriptions.
#include <algorithm>
#include <cstring>

#include "platform/base/winerror.h"
#include "platform/gdi/canvas.h"
#include "platform/gdi/dib.h"
#include "platform/gdi/gdi_log.h"
#include "platform/gdi/gdi_table.h"
#include "platform/gdi/wingdi.h"

namespace plat::gdi {
namespace {

template <class Handle>
Handle Made(GdiObject object) {
  return static_cast<Handle>(AddObject(std::move(object)));
}

GdiObject Brush(UINT style, COLORREF color) {
  GdiObject o;
  o.type = OBJ_BRUSH;
  o.style = static_cast<int>(style);
  o.color = color & 0x00FFFFFFu;
  return o;
}

HRGN MakeRegion(RectSet rects) {
  GdiObject o;
  o.type = OBJ_REGION;
  o.region = std::move(rects);
  return Made<HRGN>(std::move(o));
}

// The kind of region a set makes.
int Complexity(const RectSet& set) {
  if (set.empty()) return NULLREGION;
  return set.size() == 1 ? SIMPLEREGION : COMPLEXREGION;
}

bool RegionOf(HRGN region, RectSet* out) {
  return WithObject(region, OBJ_REGION, [&](GdiObject& o) { *out = o.region; });
}

// Copies up to `bytes` of a description into the caller's buffer; with a
// null buffer, the size it needs.
template <class T>
int Describe(const T& value, int bytes, void* buffer) {
  if (buffer == nullptr) return static_cast<int>(sizeof(T));
  const int copied = std::min<int>(bytes, static_cast<int>(sizeof(T)));
  if (copied <= 0) return 0;
  std::memcpy(buffer, &value, static_cast<std::size_t>(copied));
  return copied;
}

int DescribeBitmap(const Bitmap& b, int bytes, void* buffer) {
  BITMAP bm{0, b.width, b.height, b.Stride(), 1, b.bitsPerPixel, nullptr};
  if (!b.dibSection || bytes < static_cast<int>(sizeof(DIBSECTION))) {
    if (b.dibSection) bm.bmBits = const_cast<BYTE*>(b.bits.data());
    return Describe(bm, bytes, buffer);
  }
  DIBSECTION ds{};
  ds.dsBm = bm;
  ds.dsBm.bmBits = const_cast<BYTE*>(b.bits.data());
  ds.dsBmih = BITMAPINFOHEADER{sizeof(BITMAPINFOHEADER), b.width, b.topDown ? -b.height : b.height, 1,
                               b.bitsPerPixel, BI_RGB, static_cast<DWORD>(b.bits.size()), 0, 0,
                               static_cast<DWORD>(b.colors.size()), 0};
  return Describe(ds, bytes, buffer);
}

}  // namespace
}  // namespace plat::gdi

using plat::gdi::GdiObject;

HPEN CreatePen(int style, int width, COLORREF color) {
  if (style < PS_SOLID || style > PS_INSIDEFRAME) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  GdiObject o;
  o.type = OBJ_PEN;
  o.style = style;
  o.width = std::max(width, 0);
  o.color = color & 0x00FFFFFFu;
  return plat::gdi::Made<HPEN>(std::move(o));
}

HBRUSH CreateHatchBrush(int hatch, COLORREF color) {
  if (hatch < static_cast<int>(HS_HORIZONTAL) || hatch > static_cast<int>(HS_DIAGCROSS)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  GdiObject o = plat::gdi::Brush(BS_HATCHED, color);
  o.hatch = hatch;
  return plat::gdi::Made<HBRUSH>(std::move(o));
}

HBRUSH CreatePatternBrush(HBITMAP bitmap) {
  std::shared_ptr<plat::gdi::Bitmap> pixels;
  if (!plat::gdi::WithObject(bitmap, OBJ_BITMAP, [&](GdiObject& o) {
        if (o.bitmap != nullptr) pixels = std::make_shared<plat::gdi::Bitmap>(*o.bitmap);
      }) || pixels == nullptr) {
    return nullptr;
  }
  GdiObject o = plat::gdi::Brush(BS_PATTERN, 0);
  o.bitmap = std::move(pixels);
  return plat::gdi::Made<HBRUSH>(std::move(o));
}

HBRUSH CreateBrushIndirect(const LOGBRUSH* brush) {
  if (brush == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  switch (brush->lbStyle) {
    case BS_SOLID: return CreateSolidBrush(brush->lbColor);
    case BS_NULL: return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    case BS_HATCHED: return CreateHatchBrush(static_cast<int>(brush->lbHatch), brush->lbColor);
    case BS_PATTERN: return CreatePatternBrush(reinterpret_cast<HBITMAP>(brush->lbHatch));
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
  }
}

HBITMAP CreateBitmap(int width, int height, UINT planes, UINT bitsPerPixel, const void* bits) {
  auto made = planes == 1 && bitsPerPixel <= 32
                  ? plat::gdi::MakeBitmap(width, height, static_cast<WORD>(bitsPerPixel), true)
                  : nullptr;
  if (made == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  if (bits != nullptr) {
    // The caller's lines are padded to 16-bit words, ours to 32-bit ones.
    const std::size_t from = ((static_cast<std::size_t>(width) * bitsPerPixel + 15) / 16) * 2;
    for (int y = 0; y < height; ++y) {
      std::memcpy(made->bits.data() + static_cast<std::size_t>(y) * made->Stride(),
                  static_cast<const BYTE*>(bits) + y * from, from);
    }
  }
  GdiObject o;
  o.type = OBJ_BITMAP;
  o.bitmap = std::move(made);
  return plat::gdi::Made<HBITMAP>(std::move(o));
}

HBITMAP CreateCompatibleBitmap(HDC dc, int width, int height) {
  WORD depth = 32;
  {
    auto& table = plat::gdi::Gdi();
    std::lock_guard guard(table.lock);
    const plat::gdi::DeviceContext* d = plat::gdi::LockedDC(table, dc);
    if (d == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return nullptr;
    }
    if (d->kind == plat::gdi::DcKind::kMemory) {
      const GdiObject* selected = plat::gdi::LockedObject(table, d->state.bitmap);
      if (selected != nullptr && selected->bitmap != nullptr) depth = selected->bitmap->bitsPerPixel;
    }
  }
  // A compatible bitmap is the DC's device format: monochrome or the screen's.
  return CreateBitmap(width, height, 1, depth == 1 ? 1 : 32, nullptr);
}

HBITMAP CreateDIBSection(HDC, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD offset) {
  if (section != nullptr || offset != 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  auto made = plat::gdi::BitmapFromDib(info, nullptr, usage);
  if (made == nullptr) return nullptr;
  made->dibSection = true;
  if (bits != nullptr) *bits = made->bits.data();
  GdiObject o;
  o.type = OBJ_BITMAP;
  o.bitmap = std::move(made);
  return plat::gdi::Made<HBITMAP>(std::move(o));
}

int GetObjectW(HGDIOBJ object, int bytes, void* buffer) {
  GdiObject copy;
  {
    auto& table = plat::gdi::Gdi();
    std::lock_guard guard(table.lock);
    const GdiObject* found = plat::gdi::LockedObject(table, object);
    if (found == nullptr) {
      SetLastError(ERROR_INVALID_HANDLE);
      return 0;
    }
    copy = *found;
  }
  switch (copy.type) {
    case OBJ_BITMAP:
      return copy.bitmap ? plat::gdi::DescribeBitmap(*copy.bitmap, bytes, buffer) : 0;
    case OBJ_PEN:
      return plat::gdi::Describe(LOGPEN{static_cast<UINT>(copy.style), POINT{copy.width, 0}, copy.color}, bytes, buffer);
    case OBJ_FONT:
      return plat::gdi::Describe(copy.logfont, bytes, buffer);
    case OBJ_BRUSH:
      return plat::gdi::Describe(LOGBRUSH{static_cast<UINT>(copy.style), copy.color, static_cast<ULONG_PTR>(copy.hatch)},
                                 bytes, buffer);
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return 0;
  }
}

HRGN CreateRectRgn(int left, int top, int right, int bottom) {
  const RECT r{std::min(left, right), std::min(top, bottom), std::max(left, right), std::max(top, bottom)};
  return plat::gdi::MakeRegion(r.left < r.right && r.top < r.bottom ? plat::gdi::RectSet{r} : plat::gdi::RectSet{});
}

HRGN CreateRectRgnIndirect(const RECT* rect) {
  if (rect == nullptr) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  return CreateRectRgn(rect->left, rect->top, rect->right, rect->bottom);
}

int CombineRgn(HRGN destination, HRGN source1, HRGN source2, int mode) {
  using namespace plat::gdi;
  RectSet a, b;
  if (mode < RGN_AND || mode > RGN_COPY || !RegionOf(source1, &a) || (mode != RGN_COPY && !RegionOf(source2, &b))) {
    if (mode < RGN_AND || mode > RGN_COPY) SetLastError(ERROR_INVALID_PARAMETER);
    return RGN_ERROR;
  }
  RectSet result;
  switch (mode) {
    case RGN_AND: result = IntersectSets(a, b); break;
    case RGN_OR: result = UnionSets(a, b); break;
    case RGN_XOR: result = UnionSets(SubtractSets(a, b), SubtractSets(b, a)); break;
    case RGN_DIFF: result = SubtractSets(a, b); break;
    default: result = a; break;
  }
  const int kind = Complexity(result);
  if (!WithObject(destination, OBJ_REGION, [&](GdiObject& o) { o.region = std::move(result); })) return RGN_ERROR;
  return kind;
}

int GetRgnBox(HRGN region, LPRECT rect) {
  plat::gdi::RectSet set;
  if (rect == nullptr || !plat::gdi::RegionOf(region, &set)) return RGN_ERROR;
  *rect = plat::gdi::BoundsOfSet(set);
  return plat::gdi::Complexity(set);
}

int OffsetRgn(HRGN region, int dx, int dy) {
  int kind = RGN_ERROR;
  plat::gdi::WithObject(region, OBJ_REGION, [&](GdiObject& o) {
    o.region = plat::gdi::OffsetSet(std::move(o.region), dx, dy);
    kind = plat::gdi::Complexity(o.region);
  });
  return kind;
}

BOOL PtInRegion(HRGN region, int x, int y) {
  plat::gdi::RectSet set;
  if (!plat::gdi::RegionOf(region, &set)) return FALSE;
  return std::any_of(set.begin(), set.end(), [&](const RECT& r) {
    return x >= r.left && x < r.right && y >= r.top && y < r.bottom;
  }) ? TRUE : FALSE;
}
