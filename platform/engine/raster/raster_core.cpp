// Drawing targets, clip rectangles, raster operations and polygon filling.
#include "platform/engine/raster/raster_core.h"

#include <algorithm>
#include <cmath>

#include "platform/engine/objects/eng_device.h"
#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"

namespace plat::eng {
namespace {

using CopyBitsFn = BOOL (*)(SURFOBJ*, SURFOBJ*, CLIPOBJ*, XLATEOBJ*, RECTL*, POINTL*);

// A temporary engine bitmap freed on scope exit.
struct TempBitmap {
  HSURF handle = nullptr;
  SURFOBJ* so = nullptr;
  TempBitmap(SIZEL size, ULONG format) {
    handle = reinterpret_cast<HSURF>(EngCreateBitmap(size, 0, format, BMF_TOPDOWN, nullptr));
    if (handle != nullptr) so = EngLockSurface(handle);
  }
  ~TempBitmap() {
    if (so != nullptr) EngUnlockSurface(so);
    if (handle != nullptr) EngDeleteSurface(handle);
  }
};

}  // namespace

bool DrawOn(SURFOBJ* pso, const RECTL& bounds, CLIPOBJ* pco,
            const std::function<bool(Target&)>& draw) {
  if (pso == nullptr) return false;
  const RECTL area = Intersect(bounds, RECTL{0, 0, pso->sizlBitmap.cx, pso->sizlBitmap.cy});
  Target target;
  if (pso->pvScan0 != nullptr) {
    target.view_ = PixelView(pso);
    target.area_ = area;
    return target.valid() && (IsEmpty(area) || draw(target));
  }
  if (IsEmpty(area)) return true;
  Surface* surface = SurfaceOf(pso);
  CopyBitsFn copyBits = surface && surface->device
                            ? surface->device->Function<CopyBitsFn>(INDEX_DrvCopyBits)
                            : nullptr;
  if (copyBits == nullptr) return false;
  TempBitmap copy(SIZEL{area.right - area.left, area.bottom - area.top}, pso->iBitmapFormat);
  if (copy.so == nullptr) return false;
  RECTL whole{0, 0, area.right - area.left, area.bottom - area.top};
  POINTL from{area.left, area.top};
  if (!copyBits(copy.so, pso, nullptr, nullptr, &whole, &from)) return false;
  target.view_ = PixelView(copy.so);
  target.origin_ = from;
  target.area_ = area;
  if (!draw(target)) return false;
  RECTL to = area;
  POINTL origin{0, 0};
  return copyBits(pso, copy.so, pco, nullptr, &to, &origin) != FALSE;
}

std::vector<RECTL> ClipRects(CLIPOBJ* pco, const RECTL& bounds, const RECTL& area) {
  const RECTL limit = Intersect(Ordered(bounds), area);
  std::vector<RECTL> out;
  if (IsEmpty(limit)) return out;
  if (pco == nullptr || pco->iDComplexity == DC_TRIVIAL) return {limit};
  if (pco->iDComplexity == DC_RECT) {
    const RECTL r = Intersect(pco->rclBounds, limit);
    if (!IsEmpty(r)) out.push_back(r);
    return out;
  }
  for (const RECTL& r : static_cast<Clip*>(pco)->Visible()) {
    const RECTL part = Intersect(r, limit);
    if (!IsEmpty(part)) out.push_back(part);
  }
  return out;
}

BYTE MixToRop3(MIX mix) {
  static constexpr BYTE kRop3[16] = {0x00, 0x05, 0x0A, 0x0F, 0x50, 0x55, 0x5A, 0x5F,
                                     0xA0, 0xA5, 0xAA, 0xAF, 0xF0, 0xF5, 0xFA, 0xFF};
  const ULONG code = mix & 0xFF;
  return code >= 1 && code <= 16 ? kRop3[code - 1] : 0xF0;
}

ULONG IndexMask(ULONG format) {
  switch (format) {
    case BMF_1BPP: return 0x1;
    case BMF_4BPP: return 0xF;
    case BMF_8BPP: return 0xFF;
    case BMF_16BPP: return 0xFFFF;
    case BMF_24BPP: return 0xFFFFFF;
    default: return 0xFFFFFFFF;
  }
}

void PaintRow(Target& t, LONG y, LONG left, LONG right, BYTE rop, const Brush* brush, POINTL origin,
              ULONG indexMask) {
  const bool pattern = NeedsPattern(rop);
  if (!pattern || brush->solid()) {
    const ULONG p = pattern ? brush->IndexAt(left, y, origin) : 0;
    if (!NeedsDestination(rop)) {
      t.Fill(y, left, right, Rop3(rop, p, 0, 0) & indexMask);
      return;
    }
    for (LONG x = left; x < right; ++x) t.Set(x, y, Rop3(rop, p, 0, t.Get(x, y)) & indexMask);
    return;
  }
  for (LONG x = left; x < right; ++x) {
    t.Set(x, y, Rop3(rop, brush->IndexAt(x, y, origin), 0, t.Get(x, y)) & indexMask);
  }
}

void ScanFill(const std::vector<std::vector<POINTFIX>>& polygons, bool winding,
              const std::vector<RECTL>& clip, const std::function<void(LONG, LONG, LONG)>& fill) {
  struct Edge { double x0, y0, x1, y1; int dir; };
  std::vector<Edge> edges;
  double top = 1e18, bottom = -1e18;
  for (const auto& poly : polygons) {
    for (std::size_t i = 0; i < poly.size(); ++i) {
      const POINTFIX a = poly[i], b = poly[(i + 1) % poly.size()];
      if (a.y == b.y) continue;
      if (a.y < b.y) edges.push_back({double(a.x), double(a.y), double(b.x), double(b.y), 1});
      else edges.push_back({double(b.x), double(b.y), double(a.x), double(a.y), -1});
      top = std::min(top, double(std::min(a.y, b.y)));
      bottom = std::max(bottom, double(std::max(a.y, b.y)));
    }
  }
  if (edges.empty() || clip.empty()) return;
  // The rows any clip rectangle holds, each scanned once through the edges
  // that cross it: an edge joins when the scan reaches its top and leaves
  // past its bottom.
  LONG clipTop = clip.front().top, clipBottom = clip.front().bottom;
  for (const RECTL& r : clip) {
    clipTop = std::min(clipTop, r.top);
    clipBottom = std::max(clipBottom, r.bottom);
  }
  const LONG yFirst = std::max<LONG>(clipTop, static_cast<LONG>(std::floor((top - 8) / 16)));
  const LONG yLast = std::min<LONG>(clipBottom, static_cast<LONG>(std::ceil((bottom - 8) / 16)) + 1);
  std::sort(edges.begin(), edges.end(), [](const Edge& a, const Edge& b) { return a.y0 < b.y0; });
  std::size_t next = 0;
  std::vector<Edge> active;
  std::vector<std::pair<double, int>> crossings;
  std::vector<std::pair<LONG, LONG>> runs;
  for (LONG y = yFirst; y < yLast; ++y) {
    const double cy = y * 16.0 + 8.0;
    for (; next < edges.size() && edges[next].y0 <= cy; ++next) active.push_back(edges[next]);
    std::erase_if(active, [cy](const Edge& e) { return cy >= e.y1; });
    crossings.clear();
    for (const Edge& e : active) crossings.emplace_back(e.x0 + (cy - e.y0) * (e.x1 - e.x0) / (e.y1 - e.y0), e.dir);
    std::sort(crossings.begin(), crossings.end());
    runs.clear();
    int count = 0;
    for (std::size_t i = 0; i + 1 < crossings.size(); ++i) {
      count += winding ? crossings[i].second : 1;
      const bool inside = winding ? count != 0 : (count & 1) != 0;
      if (!inside) continue;
      // Pixels whose centre lies in [xa, xb).
      runs.emplace_back(static_cast<LONG>(std::ceil((crossings[i].first - 8) / 16)),
                        static_cast<LONG>(std::ceil((crossings[i + 1].first - 8) / 16)));
    }
    for (const RECTL& r : clip) {
      if (y < r.top || y >= r.bottom) continue;
      for (const auto& [xa, xb] : runs) {
        const LONG left = std::max(xa, r.left), right = std::min(xb, r.right);
        if (left < right) fill(y, left, right);
      }
    }
  }
}

}  // namespace plat::eng
