// Path filling and stroking on engine bitmaps.
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>
#include <vector>

#include "platform/base/winerror.h"
#include "platform/engine/objects/eng_device.h"
#include "platform/engine/objects/eng_geometry.h"
#include "platform/engine/objects/eng_paint.h"
#include "platform/engine/raster/raster_core.h"

namespace plat::eng {
namespace {

struct PointD { double x, y; };
using Polygon = std::vector<POINTFIX>;

// The subpaths of a path as point lists in 28.4, Beziers flattened.
struct Figure {
  std::vector<POINTFIX> points;
  bool closed = false;
};

std::vector<Figure> Figures(PATHOBJ* ppo) {
  std::vector<Figure> figures;
  auto flat = PathOf(ppo)->Flattened();
  for (const Path::Subpath& s : flat->subpaths()) {
    Figure f;
    f.points.push_back(s.start);
    for (const Path::Run& run : s.runs) f.points.insert(f.points.end(), run.points.begin(), run.points.end());
    f.closed = s.closed;
    figures.push_back(std::move(f));
  }
  return figures;
}

RECTL PixelBounds(const std::vector<Polygon>& polygons, LONG margin) {
  RECTL r{0, 0, 0, 0};
  bool any = false;
  for (const Polygon& p : polygons) {
    for (POINTFIX q : p) {
      const RECTL b{FXTOL(q.x) - margin, FXTOL(q.y) - margin, FXTOLCEILING(q.x) + 1 + margin,
                    FXTOLCEILING(q.y) + 1 + margin};
      if (!any) { r = b; any = true; continue; }
      r = {std::min(r.left, b.left), std::min(r.top, b.top), std::max(r.right, b.right),
           std::max(r.bottom, b.bottom)};
    }
  }
  return r;
}

// Paints the pixels inside the polygons with the brush in the mix.
bool PaintPolygons(SURFOBJ* pso, const std::vector<Polygon>& polygons, bool winding, CLIPOBJ* pco,
                   BRUSHOBJ* pbo, POINTL* org, MIX mix) {
  auto* brush = static_cast<Brush*>(pbo);
  if (pso == nullptr || brush == nullptr) return false;
  brush->SetTarget(pso);
  const BYTE rop = MixToRop3(mix);
  const POINTL origin = org ? *org : POINTL{0, 0};
  const RECTL bounds = PixelBounds(polygons, 0);
  return DrawOn(pso, bounds, pco, [&](Target& t) {
    const ULONG indexMask = IndexMask(t.format());
    ScanFill(polygons, winding, ClipRects(pco, bounds, t.area()), [&](LONG y, LONG left, LONG right) {
      PaintRow(t, y, left, right, rop, brush, origin, indexMask);
    });
    return true;
  });
}

POINTFIX Fix(PointD p) {
  return {static_cast<FIX>(std::lround(p.x * 16)), static_cast<FIX>(std::lround(p.y * 16))};
}
PointD Pixels(POINTFIX p) { return {p.x / 16.0, p.y / 16.0}; }

// A polygon turned so that its signed area is positive: all pieces of a
// stroke then add up under the winding rule.
Polygon Oriented(std::vector<PointD> points) {
  double area = 0;
  for (std::size_t i = 0; i < points.size(); ++i) {
    const PointD a = points[i], b = points[(i + 1) % points.size()];
    area += a.x * b.y - b.x * a.y;
  }
  if (area < 0) std::reverse(points.begin(), points.end());
  Polygon out;
  out.reserve(points.size());
  for (PointD p : points) out.push_back(Fix(p));
  return out;
}

Polygon Disc(PointD c, double r) {
  // The 24 directions of a disc's corners, worked out once.
  static const std::array<PointD, 24> kCorners = [] {
    std::array<PointD, 24> corners{};
    for (std::size_t i = 0; i < corners.size(); ++i) {
      const double a = 2 * std::numbers::pi * static_cast<double>(i) / 24;
      corners[i] = {std::cos(a), std::sin(a)};
    }
    return corners;
  }();
  std::vector<PointD> points;
  points.reserve(kCorners.size());
  for (const PointD& d : kCorners) points.push_back({c.x + r * d.x, c.y + r * d.y});
  return Oriented(points);
}

// Walks a polyline in pixels and reports the pieces that the dash pattern
// draws (all of it without a pattern).
void Dashes(const std::vector<PointD>& line, const std::vector<double>& pattern, bool startGap,
            const std::function<void(const std::vector<PointD>&)>& piece) {
  double total = 0;
  for (double d : pattern) total += d;
  if (pattern.empty() || total <= 0) {
    piece(line);
    return;
  }
  std::size_t index = 0;
  double left = pattern[0];
  bool on = !startGap;
  std::vector<PointD> current;
  if (on) current.push_back(line.front());
  for (std::size_t i = 0; i + 1 < line.size(); ++i) {
    PointD a = line[i];
    const PointD b = line[i + 1];
    double length = std::hypot(b.x - a.x, b.y - a.y);
    while (length > left) {
      const double t = left / length;
      const PointD cut{a.x + (b.x - a.x) * t, a.y + (b.y - a.y) * t};
      if (on) {
        current.push_back(cut);
        piece(current);
        current.clear();
      } else {
        current = {cut};
      }
      on = !on;
      length -= left;
      a = cut;
      index = (index + 1) % pattern.size();
      left = pattern[index];
    }
    left -= length;
    if (on) current.push_back(b);
  }
  if (on && current.size() >= 2) piece(current);
}

// The polygons of a wide stroke along a polyline.
void WidePieces(const std::vector<PointD>& line, double width, ULONG join, ULONG cap, bool closed,
                std::vector<Polygon>& out) {
  const double h = width / 2;
  std::vector<PointD> pts = line;
  if (pts.size() < 2) return;
  for (std::size_t i = 0; i + 1 < pts.size(); ++i) {
    PointD a = pts[i], b = pts[i + 1];
    const double len = std::hypot(b.x - a.x, b.y - a.y);
    if (len == 0) continue;
    const double dx = (b.x - a.x) / len, dy = (b.y - a.y) / len;
    if (!closed && cap == ENDCAP_SQUARE) {
      if (i == 0) a = {a.x - dx * h, a.y - dy * h};
      if (i + 2 == pts.size()) b = {b.x + dx * h, b.y + dy * h};
    }
    const double nx = -dy * h, ny = dx * h;
    out.push_back(Oriented({{a.x + nx, a.y + ny}, {b.x + nx, b.y + ny}, {b.x - nx, b.y - ny},
                            {a.x - nx, a.y - ny}}));
    // The join at b with the next segment.
    const bool last = i + 2 == pts.size();
    if (last && !closed) continue;
    const PointD c = last ? pts[1] : pts[i + 2];
    const double len2 = std::hypot(c.x - pts[i + 1].x, c.y - pts[i + 1].y);
    if (len2 == 0) continue;
    if (join == JOIN_ROUND) {
      out.push_back(Disc(pts[i + 1], h));
    } else {
      const PointD v = pts[i + 1];
      const double mx = -(c.y - v.y) / len2 * h, my = (c.x - v.x) / len2 * h;
      out.push_back(Oriented({v, {v.x + nx, v.y + ny}, {v.x + mx, v.y + my}}));
      out.push_back(Oriented({v, {v.x - nx, v.y - ny}, {v.x - mx, v.y - my}}));
    }
  }
  if (!closed && cap == ENDCAP_ROUND) {
    out.push_back(Disc(pts.front(), h));
    out.push_back(Disc(pts.back(), h));
  }
}

// Scale of the world-to-device transform for widths and dash lengths.
double Scale(XFORMOBJ* pxo) {
  XFORML m{1, 0, 0, 1, 0, 0};
  if (pxo != nullptr) XFORMOBJ_iGetXform(pxo, &m);
  return std::sqrt(std::fabs(static_cast<double>(m.eM11) * m.eM22 - static_cast<double>(m.eM12) * m.eM21));
}

// Pixels per style unit of a cosmetic line on the device.
double CosmeticUnit(SURFOBJ* pso) {
  Surface* s = SurfaceOf(pso);
  if (s == nullptr || s->device == nullptr) return 1;
  const GDIINFO& g = s->device->gdiInfo;
  return g.xStyleStep > 0 && g.denStyleStep > 0 ? static_cast<double>(g.denStyleStep) / g.xStyleStep : 1;
}

// One-pixel lines between the pixel centres of the points (the last pixel
// of each line left out, so joints are drawn once).
bool Cosmetic(SURFOBJ* pso, const std::vector<std::vector<PointD>>& lines, CLIPOBJ* pco,
              BRUSHOBJ* pbo, POINTL* org, MIX mix) {
  auto* brush = static_cast<Brush*>(pbo);
  std::vector<Polygon> all;
  for (const auto& l : lines) {
    Polygon p;
    for (PointD q : l) p.push_back(Fix(q));
    all.push_back(p);
  }
  const RECTL bounds = PixelBounds(all, 1);
  brush->SetTarget(pso);
  const BYTE rop = MixToRop3(mix);
  const POINTL origin = org ? *org : POINTL{0, 0};
  return DrawOn(pso, bounds, pco, [&](Target& t) {
    const auto clip = ClipRects(pco, bounds, t.area());
    const ULONG indexMask = IndexMask(t.format());
    auto plot = [&](LONG x, LONG y) {
      for (const RECTL& r : clip) {
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
          t.Set(x, y, Rop3(rop, brush->IndexAt(x, y, origin), 0, t.Get(x, y)) & indexMask);
          return;
        }
      }
    };
    for (const auto& l : lines) {
      for (std::size_t i = 0; i + 1 < l.size(); ++i) {
        LONG x0 = std::lround(std::floor(l[i].x)), y0 = std::lround(std::floor(l[i].y));
        const LONG x1 = std::lround(std::floor(l[i + 1].x)), y1 = std::lround(std::floor(l[i + 1].y));
        const LONG dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
        const LONG sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
        LONG err = dx + dy;
        const bool lastLine = i + 2 == l.size();
        while (x0 != x1 || y0 != y1) {
          plot(x0, y0);
          const LONG e2 = 2 * err;
          if (e2 >= dy) { err += dy; x0 += sx; }
          if (e2 <= dx) { err += dx; y0 += sy; }
        }
        if (lastLine) plot(x1, y1);
      }
    }
    return true;
  });
}

}  // namespace
}  // namespace plat::eng

using namespace plat::eng;

BOOL EngFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, BRUSHOBJ* pbo, POINTL* pptlBrushOrg,
                 MIX mix, FLONG flOptions) {
  if (pso == nullptr || ppo == nullptr || pbo == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  std::vector<Polygon> polygons;
  for (Figure& f : Figures(ppo)) polygons.push_back(std::move(f.points));
  return PaintPolygons(pso, polygons, (flOptions & FP_WINDINGMODE) != 0, pco, pbo, pptlBrushOrg, mix)
             ? TRUE : FALSE;
}

BOOL EngStrokePath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo, BRUSHOBJ* pbo,
                   POINTL* pptlBrushOrg, LINEATTRS* pla, MIX mix) {
  if (pso == nullptr || ppo == nullptr || pbo == nullptr || pla == nullptr) {
    EngSetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  const bool geometric = (pla->fl & LA_GEOMETRIC) != 0;
  const double scale = Scale(pxo);
  const double unit = geometric ? scale : CosmeticUnit(pso);
  std::vector<double> pattern;
  for (ULONG i = 0; i < pla->cstyle && pla->pstyle != nullptr; ++i) {
    pattern.push_back((geometric ? pla->pstyle[i].e : static_cast<double>(pla->pstyle[i].l)) * unit);
  }
  const bool startGap = (pla->fl & LA_STARTGAP) != 0;
  std::vector<std::vector<PointD>> pieces;
  std::vector<bool> closedPieces;
  for (const Figure& f : Figures(ppo)) {
    std::vector<PointD> line;
    for (POINTFIX p : f.points) line.push_back(Pixels(p));
    if (f.closed) line.push_back(line.front());
    if (line.size() < 2) continue;
    const bool whole = pattern.empty();
    Dashes(line, pattern, startGap, [&](const std::vector<PointD>& piece) {
      pieces.push_back(piece);
      closedPieces.push_back(whole && f.closed);
    });
  }
  if (!geometric) return Cosmetic(pso, pieces, pco, pbo, pptlBrushOrg, mix) ? TRUE : FALSE;
  const double width = std::max(1.0, pla->elWidth.e * scale);
  std::vector<Polygon> polygons;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    WidePieces(pieces[i], width, pla->iJoin, pla->iEndCap, closedPieces[i], polygons);
  }
  return PaintPolygons(pso, polygons, true, pco, pbo, pptlBrushOrg, mix) ? TRUE : FALSE;
}

BOOL EngStrokeAndFillPath(SURFOBJ* pso, PATHOBJ* ppo, CLIPOBJ* pco, XFORMOBJ* pxo,
                          BRUSHOBJ* pboStroke, LINEATTRS* plineattrs, BRUSHOBJ* pboFill,
                          POINTL* pptlBrushOrg, MIX mixFill, FLONG flOptions) {
  if (!EngFillPath(pso, ppo, pco, pboFill, pptlBrushOrg, mixFill, flOptions)) return FALSE;
  return EngStrokePath(pso, ppo, pco, pxo, pboStroke, pptlBrushOrg, plineattrs, mixFill);
}
